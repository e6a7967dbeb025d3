#include "mime/EncodedWords.h"

#include <algorithm>
#include <new>
#include <string>
#include <string_view>

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

// The text with each line end that a blank follows removed (the blank stays): the text itself
// when it has no line end, else its copy in `unfolded`.
std::string_view Unfold(std::string_view text, std::string& unfolded) {
    if (text.find_first_of("\r\n") == std::string_view::npos) return text;
    unfolded.clear();
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

// The word that follows one ending at `at` with only white space between them.
bool ReadAdjacentWord(std::string_view text, std::size_t at, EncodedWord& word) {
    while (at < text.size() && IsWhiteSpace(text[at])) ++at;
    return text.substr(at, 2) == "=?" && ReadWord(text, at, word);
}

// Appends the transfer-decoded bytes of one word.
void AppendWordBytes(std::string_view text, const EncodedWord& word, std::string& bytes) {
    const std::string_view encoded = text.substr(word.textBegin, word.textEnd - word.textBegin);
    const std::size_t start = bytes.size();
    bytes.resize(start + encoded.size() + 2);
    std::size_t length = encoded.size() + 2;
    if (word.encoding == 'B' || word.encoding == 'b') {
        decodeBase64(encoded.data(), encoded.size(), bytes.data() + start, &length);
    } else {
        decodeQuotedPrintable(encoded.data(), encoded.size(), bytes.data() + start, &length,
                              QuotedPrintableForm::EncodedWord);
    }
    bytes.resize(start + length);
}

std::string_view CharsetName(std::string_view text, const EncodedWord& word) {
    return text.substr(word.charsetBegin, word.charsetEnd - word.charsetBegin);
}

// Appends the text of `word` and the words adjacent to it, returning where the last one ends. The
// bytes of each run of words in the same charset are joined in `bytes` and converted at once, so
// that a character split between two words comes out whole.
std::size_t DecodeAdjacentWords(std::string_view text, EncodedWord word, std::u16string& decoded,
                                std::string& bytes) {
    std::size_t end = word.End();
    for (bool more = true; more;) {
        const EncodedWord first = word;
        bytes.clear();
        do {
            AppendWordBytes(text, word, bytes);
            end = word.End();
            more = ReadAdjacentWord(text, end, word);
        } while (more && EqualsIgnoringCase(CharsetName(text, word), CharsetName(text, first)));
        EncodedWordText(text.substr(first.charsetBegin), bytes, decoded);
    }
    return end;
}

// Appends the decoded words of an unfolded value in one pass. The text between words is read in
// the part's charset, each run of adjacent words in its own; decoded text is final and never
// examined again.
void DecodeText(std::string_view text, const WideString& charset, std::u16string& decoded,
                std::string& bytes) {
    std::size_t done = 0;
    EncodedWord word{};
    for (std::size_t begin = text.find("=?");
         begin != std::string_view::npos && ReadWord(text, begin, word);
         begin = text.find("=?", done)) {
        HeaderCharsetText(charset, text.substr(done, begin - done), decoded);
        const std::size_t wordsStart = decoded.size();
        done = DecodeAdjacentWords(text, word, decoded, bytes);
        if (const std::size_t zero = decoded.find(u'\0', wordsStart);
            zero != std::u16string::npos) {
            decoded.resize(zero);  // a zero byte ends the header text
            return;
        }
    }
    HeaderCharsetText(charset, text.substr(done), decoded);
}

}  // namespace

void decodeHeaderText(std::string_view raw, const WideString& charset, std::u16string& text,
                      HeaderTextBuffers& buffers) {
    text.clear();
    raw = raw.substr(0, raw.find('\0'));
    try {
        DecodeText(Unfold(raw, buffers.unfolded), charset, text, buffers.wordBytes);
    } catch (const std::bad_alloc&) {
        text.clear();
    }
}

WideString decodeHeaderText(const char* rawBytes, std::size_t length, const WideString& charset) {
    if (rawBytes == nullptr) return {};
    std::u16string text;
    HeaderTextBuffers buffers;
    decodeHeaderText(std::string_view(rawBytes, length), charset, text, buffers);
    return WideString(std::move(text));
}

}  // namespace ombrel
