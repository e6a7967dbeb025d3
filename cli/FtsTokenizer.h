#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Sqlite.h"

namespace ombrel::cli {

// The tokenizer of the index's full-text tables, run over any text: the words as the index keeps
// them (folded to lower case, diacritics removed, and stemmed where asked), with their places.
class FtsTokenizer {
  public:
    // A word and its bytes in the text; returns false to stop.
    using Visit = std::function<bool(std::string_view word, std::size_t start, std::size_t end)>;

    FtsTokenizer(Sqlite& db, bool stems);
    ~FtsTokenizer();
    FtsTokenizer(const FtsTokenizer&) = delete;
    FtsTokenizer& operator=(const FtsTokenizer&) = delete;

    void Tokenize(std::string_view text, const Visit& visit) const;
    // The words of the text, as the index keeps them.
    std::vector<std::string> Words(std::string_view text) const;

  private:
    fts5_tokenizer methods_{};
    Fts5Tokenizer* tokenizer_ = nullptr;
};

}  // namespace ombrel::cli
