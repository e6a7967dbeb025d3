#include "cli/Snippet.h"

#include <algorithm>
#include <optional>

namespace ombrel::cli {
namespace {

constexpr std::size_t kBefore = 40;   // bytes of text before the first marked word
constexpr std::size_t kLength = 160;  // bytes of the snippet's text in all

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Moves back to the start of a UTF-8 character.
std::size_t CharacterStart(std::string_view text, std::size_t at) {
    while (at > 0 && at < text.size() && IsContinuation(text[at])) --at;
    return at;
}

// The text with every run of blanks and line ends as one space.
void AppendSpaced(std::string& to, std::string_view text) {
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (!blank) {
            to += c;
        } else if (!to.empty() && to.back() != ' ') {
            to += ' ';
        }
    }
}

}  // namespace

SnippetMaker::SnippetMaker(const FtsTokenizer& tokenizer, const std::vector<MarkedTerm>& terms)
    : tokenizer_(tokenizer) {
    for (const MarkedTerm& term : terms) {
        std::vector<std::string> words = tokenizer.Words(term.text);
        if (term.prefix && !words.empty()) {
            prefixes_.push_back(std::move(words.back()));
            words.pop_back();
        }
        words_.insert(words_.end(), words.begin(), words.end());
    }
}

bool SnippetMaker::Marks(std::string_view word) const {
    return std::ranges::find(words_, word) != words_.end() ||
           std::ranges::any_of(prefixes_,
                               [&](const std::string& p) { return word.starts_with(p); });
}

std::string SnippetMaker::Snippet(std::string_view text) const {
    std::optional<std::size_t> first;
    tokenizer_.Tokenize(text.substr(0, kSnippetScan),
                        [&](std::string_view word, std::size_t start, std::size_t) {
                            if (Marks(word)) first = start;
                            return !first;
                        });
    const std::size_t begin =
        CharacterStart(text, first && *first > kBefore ? *first - kBefore : 0);
    const std::size_t end = CharacterStart(text, std::min(text.size(), begin + kLength));
    const std::string_view window = text.substr(begin, end - begin);

    std::string snippet = begin > 0 ? "..." : "";
    std::size_t done = 0;
    tokenizer_.Tokenize(window, [&](std::string_view word, std::size_t start, std::size_t stop) {
        if (!Marks(word)) return true;
        AppendSpaced(snippet, window.substr(done, start - done));
        snippet += "«";
        AppendSpaced(snippet, window.substr(start, stop - start));
        snippet += "»";
        done = stop;
        return true;
    });
    AppendSpaced(snippet, window.substr(done));
    if (snippet.ends_with(' ')) snippet.pop_back();
    if (end < text.size()) snippet += "...";
    return snippet;
}

}  // namespace ombrel::cli
