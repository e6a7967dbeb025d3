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

bool IsBlank(char16_t unit) {
    return unit == u' ' || unit == u'\t';
}

bool IsWhiteSpace(char16_t unit) {
    return IsBlank(unit) || unit == u'\r' || unit == u'\n';
}

// Back to the bytes that the text was read from: ASCII as it is, anything else through the ANSI
// code page.
std::string ToBytes(std::u16string_view text) {
    if (std::ranges::all_of(text, [](char16_t unit) { return unit < 0x80; })) {
        return {text.begin(), text.end()};
    }
    return CodePages().ToMultiByte(codepage::kAnsi, text);
}

// Removes each line end (CR LF, LF or CR) that a blank follows: the blank stays.
std::u16string Unfold(std::u16string text) {
    std::size_t kept = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::size_t lineEnd =
            text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n' ? 2
            : text[at] == u'\r' || text[at] == u'\n'                           ? 1
                                                                               : 0;
        if (lineEnd > 0 && at + lineEnd < text.size() && IsBlank(text[at + lineEnd])) {
            at += lineEnd - 1;
            continue;
        }
        text[kept++] = text[at];
    }
    text.resize(kept);
    return text;
}

// One well-formed encoded word of the text: positions of its parts.
struct EncodedWord {
    std::size_t begin;         // the "=?"
    std::size_t charsetBegin;  // after "=?"
    std::size_t charsetEnd;    // the first "?" after the charset
    char16_t encoding;         // B or Q, either case
    std::size_t textBegin;     // after the letter and the byte that follows it
    std::size_t textEnd;       // the "?="
    std::size_t End() const { return textEnd + 2; }
};

// Reads the word whose "=?" stands at `begin`; false when it is malformed: no "?" after the
// charset, the text ending before the encoded text, no "?=", a blank between the charset and the
// "?=", or an encoding other than B and Q.
bool ReadWord(std::u16string_view text, std::size_t begin, EncodedWord& word) {
    word.begin = begin;
    word.charsetBegin = begin + 2;
    word.charsetEnd = text.find(u'?', word.charsetBegin);
    if (word.charsetEnd == std::u16string_view::npos) return false;
    word.textBegin = word.charsetEnd + 3;
    if (word.textBegin > text.size()) return false;
    word.encoding = text[word.charsetEnd + 1];
    word.textEnd = text.find(u"?=", word.textBegin);
    if (word.textEnd == std::u16string_view::npos) return false;
    if (text.substr(word.charsetBegin, word.textEnd - word.charsetBegin).find(u' ') !=
        std::u16string_view::npos) {
        return false;
    }
    return std::u16string_view(u"BbQq").find(word.encoding) != std::u16string_view::npos;
}

// The word at `begin` and the words that follow it with only white space between them.
std::vector<EncodedWord> ReadAdjacentWords(std::u16string_view text, std::size_t begin) {
    std::vector<EncodedWord> words;
    EncodedWord word{};
    for (std::size_t at = begin; ReadWord(text, at, word);) {
        words.push_back(word);
        at = word.End();
        while (at < text.size() && IsWhiteSpace(text[at])) ++at;
        if (text.substr(at, 2) != u"=?") break;
    }
    return words;
}

// The transfer-decoded bytes of one word.
std::string DecodeWordBytes(std::u16string_view text, const EncodedWord& word) {
    const std::string encoded = ToBytes(text.substr(word.textBegin, word.textEnd - word.textBegin));
    std::string decoded(encoded.size() + 2, '\0');
    std::size_t length = decoded.size();
    if (word.encoding == u'B' || word.encoding == u'b') {
        decodeBase64(encoded.data(), encoded.size(), decoded.data(), &length);
    } else {
        decodeQuotedPrintable(encoded.data(), encoded.size(), decoded.data(), &length,
                              QuotedPrintableForm::EncodedWord);
    }
    decoded.resize(length);
    return decoded;
}

std::u16string_view CharsetName(std::u16string_view text, const EncodedWord& word) {
    return text.substr(word.charsetBegin, word.charsetEnd - word.charsetBegin);
}

// Converts the joined bytes of words in one charset: UTF-8 and UTF-7 by their code pages, any
// other charset through its table and the ANSI code page.
std::u16string ConvertWordBytes(std::u16string_view text, const EncodedWord& first,
                                std::string bytes) {
    const std::string charsetText =
        ToBytes(text.substr(first.charsetBegin, first.textEnd - first.charsetBegin));
    const std::uint32_t codePage = EncodedWordCodePage(charsetText);
    if (codePage == codepage::kAnsi) {
        translateByPrefix(charsetText, bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()));
    }
    return CodePages().ToWide(codePage, bytes);
}

// The text of adjacent words: the bytes of each run of words in the same charset are joined and
// converted at once, so that a character split between two words comes out whole.
std::u16string DecodeAdjacentWords(std::u16string_view text,
                                   const std::vector<EncodedWord>& words) {
    std::u16string decoded;
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

// The text still to examine, from `head` on. Decoded words go back in front of it, because the
// decoding goes on from the unit before each decoded word.
class PendingText {
  public:
    explicit PendingText(std::u16string text) : text_(std::move(text)) {}

    std::u16string_view View() const { return text_; }
    std::size_t Head() const { return head_; }
    void Skip(std::size_t to) { head_ = to; }

    void PutBack(std::u16string_view units) {
        if (units.size() <= head_) {
            head_ -= units.size();
            std::ranges::copy(units, text_.begin() + static_cast<std::ptrdiff_t>(head_));
        } else {
            text_ = std::u16string(units) + text_.substr(head_);
            head_ = 0;
        }
    }

  private:
    std::u16string text_;
    std::size_t head_ = 0;
};

std::u16string DecodeText(std::u16string text) {
    PendingText pending(Unfold(std::move(text)));
    std::u16string done;
    // Each round decodes at least one word; the bound keeps decoded text that holds further words
    // from running on without end.
    for (std::size_t rounds = pending.View().size(); rounds > 0; --rounds) {
        const std::u16string_view view = pending.View();
        const std::size_t begin = view.find(u"=?", pending.Head());
        if (begin == std::u16string_view::npos) break;
        const std::vector<EncodedWord> words = ReadAdjacentWords(view, begin);
        if (words.empty()) break;
        std::u16string decoded = DecodeAdjacentWords(view, words);
        done.append(view.substr(pending.Head(), begin - pending.Head()));
        pending.Skip(words.back().End());
        if (const std::size_t zero = decoded.find(u'\0'); zero != std::u16string::npos) {
            return done + decoded.substr(0, zero);  // a zero byte ends the header text
        }
        if (!done.empty()) {
            decoded.insert(decoded.begin(), done.back());
            done.pop_back();
        }
        pending.PutBack(decoded);
    }
    return done.append(pending.View().substr(pending.Head()));
}

}  // namespace

WideString decodeHeaderText(const char* rawBytes, std::size_t length) {
    if (rawBytes == nullptr) return {};
    std::string_view raw(rawBytes, length);
    raw = raw.substr(0, raw.find('\0'));
    try {
        return WideString(DecodeText(CodePages().ToWide(codepage::kAnsi, raw)));
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace ombrel
