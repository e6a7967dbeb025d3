#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/FtsTokenizer.h"
#include "cli/QuerySql.h"

namespace ombrel::cli {

// Makes a hit's snippet: a few words around the first word of the text that the query looks
// for, each such word between "«" and "»". The work is bounded whatever the text holds: the
// search for a word reads at most kSnippetScan bytes, the marking only the snippet's window.
class SnippetMaker {
  public:
    static constexpr std::size_t kSnippetScan = 256 * 1024;

    SnippetMaker(const FtsTokenizer& tokenizer, const std::vector<MarkedTerm>& terms);

    std::string Snippet(std::string_view text) const;

  private:
    bool Marks(std::string_view word) const;

    const FtsTokenizer& tokenizer_;
    std::vector<std::string> words_;     // as the index keeps them
    std::vector<std::string> prefixes_;  // the last word of a prefix term
};

}  // namespace ombrel::cli
