#include "mime/EncodedWords.h"

#include <algorithm>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "charsets/CharsetTables.h"
#include "charsets/ConversionRules.h"
#include "common/AsciiCase.h"
#include "mime/TransferDecoding.h"
#include "platform/CodePages.h"
#include "platform/Ports.h"

namespace ombrel {
namespace {

namespace codepage = platform::codepage;

const platform::CodePages& CodePages() {
    return *platform::CurrentPorts().codePages;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsWhiteSpace(char c) {
    return IsBlank(c) || c == '\r' || c == '\n';
}

std::string ToUtf8(std::uint32_t codePage, std::string_view bytes) {
    return CodePages().ToMultiByte(codepage::kUtf8, CodePages().ToWide(codePage, bytes));
}

// The length of the line end at `at` (CR LF, a bare LF or a bare CR), or 0.
std::size_t LineEndAt(std::string_view text, std::size_t at) {
    if (text[at] == '\r') return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    return text[at] == '\n' ? 1 : 0;
}

// Removes each line end that a blank follows: the blank stays.
std::string Unfold(std::string_view text) {
    std::string unfolded;
    unfolded.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::size_t lineEnd = LineEndAt(text, at);
        if (lineEnd > 0 && at + lineEnd < text.size() && IsBlank(text[at + lineEnd])) {
            at += lineEnd - 1;
            continue;
        }
        unfolded.push_back(text[at]);
    }
    return unfolded;
}

// One well-formed encoded word of the text: positions of its parts.
struct EncodedWord {
    std::size_t begin;         // the "=?"
    std::size_t charsetBegin;  // after "=?"
    std::size_t charsetEnd;    // the first "?" after the charset
    char encoding;             // B or Q, either case
    std::size_t textBegin;     // after the letter and the byte that follows it
    std::size_t textEnd;       // the "?="
    std::size_t End() const { return textEnd + 2; }
};

// Reads the word whose "=?" stands at `begin`; false when it is malformed: no "?" after the
// charset, the text ending before the encoded text, no "?=", a blank between the charset and the
// "?=", or an encoding other than B and Q.
bool ReadWord(std::string_view text, std::size_t begin, EncodedWord& word) {
    word.begin = begin;
    word.charsetBegin = begin + 2;
    word.charsetEnd = text.find('?', word.charsetBegin);
    if (word.charsetEnd == std::string_view::npos) return false;
    word.textBegin = word.charsetEnd + 3;
    if (word.textBegin > text.size()) return false;
    word.encoding = text[word.charsetEnd + 1];
    word.textEnd = text.find("?=", word.textBegin);
    if (word.textEnd == std::string_view::npos) return false;
    if (text.substr(word.charsetBegin, word.textEnd - word.charsetBegin).find(' ') !=
        std::string_view::npos) {
        return false;
    }
    return std::string_view("BbQq").find(word.encoding) != std::string_view::npos;
}

// The word at `begin` and the words that follow it with only white space between them.
std::vector<EncodedWord> ReadAdjacentWords(std::string_view text, std::size_t begin) {
    std::vector<EncodedWord> words;
    EncodedWord word{};
    for (std::size_t at = begin; ReadWord(text, at, word);) {
        words.push_back(word);
        at = word.End();
        while (at < text.size() && IsWhiteSpace(text[at])) ++at;
        if (text.substr(at, 2) != "=?") break;
    }
    return words;
}

// The transfer-decoded bytes of one word.
std::string DecodeWordBytes(std::string_view text, const EncodedWord& word) {
    const std::string_view encoded = text.substr(word.textBegin, word.textEnd - word.textBegin);
    std::string decoded(encoded.size() + 2, '\0');
    std::size_t length = decoded.size();
    if (word.encoding == 'B' || word.encoding == 'b') {
        decodeBase64(encoded.data(), encoded.size(), decoded.data(), &length);
    } else {
        decodeQuotedPrintable(encoded.data(), encoded.size(), decoded.data(), &length,
                              QuotedPrintableForm::EncodedWord);
    }
    decoded.resize(length);
    return decoded;
}

std::string_view CharsetName(std::string_view text, const EncodedWord& word) {
    return text.substr(word.charsetBegin, word.charsetEnd - word.charsetBegin);
}

// The joined bytes of words in one charset as UTF-8: UTF-8 and UTF-7 by their code pages, any
// other charset through its table and the ANSI code page.
std::string ConvertWordBytes(std::string_view text, const EncodedWord& first, std::string bytes) {
    const std::string_view charsetText = text.substr(first.charsetBegin);
    const std::uint32_t codePage = EncodedWordCodePage(charsetText);
    if (codePage == codepage::kAnsi) {
        translateByPrefix(charsetText, bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()));
    }
    return ToUtf8(codePage, bytes);
}

// The text of adjacent words: the bytes of each run of words in the same charset are joined and
// converted at once, so that a character split between two words comes out whole.
std::string DecodeAdjacentWords(std::string_view text, const std::vector<EncodedWord>& words) {
    std::string decoded;
    for (std::size_t first = 0; first < words.size();) {
        std::string bytes;
        std::size_t next = first;
        for (; next < words.size() &&
               EqualsIgnoringCase(CharsetName(text, words[next]), CharsetName(text, words[first]));
             ++next) {
            bytes += DecodeWordBytes(text, words[next]);
        }
        decoded += ConvertWordBytes(text, words[first], std::move(bytes));
        first = next;
    }
    return decoded;
}

// The header text during decoding: the finished text in UTF-8, and the bytes still to examine.
// Those begin with the decoded text of the last words (UTF-8, examined again, because decoding
// goes on from the byte before each decoded word) and go on with the raw bytes of the value,
// which are read in the ANSI code page as they enter the finished text.
class WorkText {
  public:
    explicit WorkText(std::string raw) : pending_(std::move(raw)) {}

    std::string_view Pending() const { return pending_; }
    std::size_t Head() const { return head_; }

    // Moves the bytes before `to` into the finished text.
    void Finish(std::size_t to) {
        const std::size_t raw = std::clamp(utf8End_, head_, to);
        done_.append(pending_, head_, raw - head_);
        if (to > raw)
            done_ += ToUtf8(codepage::kAnsi, std::string_view(pending_).substr(raw, to - raw));
        head_ = to;
    }

    // Replaces the bytes from the cursor to `end` (adjacent words) by their decoded text, to be
    // examined again together with an "=" that ends the finished text.
    void Replace(std::size_t end, std::string decoded) {
        if (done_.ends_with('=')) {
            decoded.insert(decoded.begin(), '=');
            done_.pop_back();
        }
        const std::size_t utf8Rest = utf8End_ > end ? utf8End_ - end : 0;
        if (decoded.size() <= end) {
            head_ = end - decoded.size();
            std::ranges::copy(decoded, pending_.begin() + static_cast<std::ptrdiff_t>(head_));
        } else {
            pending_ = decoded + pending_.substr(end);
            head_ = 0;
        }
        utf8End_ = head_ + decoded.size() + utf8Rest;
    }

    // Ends the text inside decoded text: at a zero byte.
    std::string CutWith(std::string_view decoded) {
        return done_.append(decoded.substr(0, decoded.find('\0')));
    }

    std::string Finished() {
        Finish(pending_.size());
        return std::move(done_);
    }

  private:
    std::string pending_;
    std::size_t head_ = 0;
    std::size_t utf8End_ = 0;  // pending_ holds UTF-8 before this position, raw bytes after it
    std::string done_;
};

std::string DecodeText(std::string_view raw) {
    WorkText work(Unfold(raw));
    // Each round decodes at least one word; the bound keeps decoded text that holds further words
    // from running on without end.
    for (std::size_t rounds = work.Pending().size(); rounds > 0; --rounds) {
        const std::string_view pending = work.Pending();
        const std::size_t begin = pending.find("=?", work.Head());
        if (begin == std::string_view::npos) break;
        const std::vector<EncodedWord> words = ReadAdjacentWords(pending, begin);
        if (words.empty()) break;
        std::string decoded = DecodeAdjacentWords(pending, words);
        work.Finish(begin);
        if (decoded.find('\0') != std::string::npos) return work.CutWith(decoded);
        work.Replace(words.back().End(), std::move(decoded));
    }
    return work.Finished();
}

}  // namespace

WideString decodeHeaderText(const char* rawBytes, std::size_t length) {
    if (rawBytes == nullptr) return {};
    std::string_view raw(rawBytes, length);
    raw = raw.substr(0, raw.find('\0'));
    try {
        return WideString(CodePages().ToWide(codepage::kUtf8, DecodeText(raw)));
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace ombrel
