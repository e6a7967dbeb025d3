#include "mime/EncodedWords.h"

#include <algorithm>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "charsets/ConversionRules.h"
#include "common/TextCompare.h"
#include "mime/MessageCursor.h"
#include "mime/TransferDecoding.h"

namespace ombrel {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsWhiteSpace(char c) {
    return IsBlank(c) || c == '\r' || c == '\n';
}

// Removes each line end that a blank follows: the blank stays.
std::string Unfold(std::string_view text) {
    std::string unfolded;
    unfolded.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::size_t lineEnd = LineEndLength(text, at);
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

// The text of adjacent words: the bytes of each run of words in the same charset are joined and
// converted at once, so that a character split between two words comes out whole.
std::u16string DecodeAdjacentWords(std::string_view text, const std::vector<EncodedWord>& words) {
    std::u16string decoded;
    for (std::size_t first = 0; first < words.size();) {
        std::string bytes;
        std::size_t next = first;
        for (; next < words.size() &&
               EqualsIgnoringCase(CharsetName(text, words[next]), CharsetName(text, words[first]));
             ++next) {
            bytes += DecodeWordBytes(text, words[next]);
        }
        decoded += EncodedWordText(text.substr(words[first].charsetBegin), std::move(bytes));
        first = next;
    }
    return decoded;
}

// Decodes the words of an unfolded value in one pass. The text between words is read in the
// part's charset, each run of adjacent words in its own; decoded text is final and never examined
// again.
std::u16string DecodeText(std::string_view text, const WideString& charset) {
    std::u16string decoded;
    std::size_t done = 0;
    for (std::size_t begin = text.find("=?"); begin != std::string_view::npos;
         begin = text.find("=?", done)) {
        const std::vector<EncodedWord> words = ReadAdjacentWords(text, begin);
        if (words.empty()) break;
        decoded += CharsetText(charset, std::string(text.substr(done, begin - done)));
        const std::u16string wordText = DecodeAdjacentWords(text, words);
        if (const std::size_t zero = wordText.find(u'\0'); zero != std::u16string::npos) {
            return decoded.append(wordText, 0, zero);  // a zero byte ends the header text
        }
        decoded += wordText;
        done = words.back().End();
    }
    return decoded += CharsetText(charset, std::string(text.substr(done)));
}

}  // namespace

WideString decodeHeaderText(const char* rawBytes, std::size_t length, const WideString& charset) {
    if (rawBytes == nullptr) return {};
    std::string_view raw(rawBytes, length);
    raw = raw.substr(0, raw.find('\0'));
    try {
        return WideString(DecodeText(Unfold(raw), charset));
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace ombrel
