#include "mime/BodyDecoding.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>

#include "charsets/ConversionRules.h"
#include "common/TextCompare.h"
#include "mime/TransferDecoding.h"

namespace ombrel {
namespace {

bool IsEncoded(const ContentInfo& content, std::u16string_view encoding) {
    return EqualsIgnoringCase(content.transferEncoding.View(), encoding);
}

// The body's bytes after transfer decoding, with the decoder's result. The decoders see the
// body's begin as it is, so that a body without a range fails to decode.
bool TransferDecode(const ContentInfo& content, std::string& bytes) {
    const std::string_view body = content.Body();
    bytes.resize(body.size() + 1);
    std::size_t length = body.size();
    bool decoded = true;
    if (IsEncoded(content, u"quoted-printable")) {
        decoded = content.bodyBegin != nullptr &&
                  decodeQuotedPrintable(content.bodyBegin, body.size(), bytes.data(), &length);
        if (!decoded) length = 0;
    } else if (IsEncoded(content, u"base64")) {
        decoded = decodeBase64(content.bodyBegin, body.size(), bytes.data(), &length);
        length = std::min(length, body.size());
    } else {
        body.copy(bytes.data(), body.size());
    }
    bytes.resize(length);
    return decoded;
}

// The body is converted as a zero-terminated buffer is, with its terminating zero. A body that
// ends with a zero (as mail arriving does) or with a line end converts alike without it: no code
// page reads a line end as part of another character. So such a body without transfer encoding
// converts where it stands.
bool ConvertsInPlace(const ContentInfo& content) {
    const std::string_view body = content.Body();
    return !IsEncoded(content, u"quoted-printable") && !IsEncoded(content, u"base64") &&
           (body.ends_with('\0') || body.ends_with('\n') || body.ends_with('\r'));
}

static_assert(std::endian::native == std::endian::little);

// Where the first zero unit of `text` at or after `from` stands, else the text's size: four units
// at a time (the first unit in memory is the lowest of the word), as line ends are found.
std::size_t FindZeroUnit(std::u16string_view text, std::size_t from) {
    constexpr std::uint64_t kOnes = 0x0001000100010001;
    constexpr std::uint64_t kHighs = 0x8000800080008000;
    for (std::uint64_t word; text.size() - from >= 4; from += 4) {
        std::memcpy(&word, text.data() + from, sizeof word);
        const std::uint64_t marks = (word - kOnes) & ~word & kHighs;
        if (marks != 0) return from + static_cast<std::size_t>(std::countr_zero(marks)) / 16;
    }
    return std::min(text.size(), text.find(u'\0', from));
}

}  // namespace

bool AppendBodyText(const ContentInfo& content, std::u16string& text, std::string& bytes) {
    if (!EqualsIgnoringCase(content.type.View(), u"text")) return false;
    const std::size_t start = text.size();
    try {
        bool decoded = true;
        if (ConvertsInPlace(content)) {
            CharsetText(content.charset, content.Body(), text);
        } else {
            decoded = TransferDecode(content, bytes);
            bytes.push_back('\0');
            CharsetText(content.charset, bytes, text);
        }
        text.resize(FindZeroUnit(text, start));
        return decoded;
    } catch (const std::bad_alloc&) {
        text.resize(start);
        return false;
    }
}

bool decodeBody(const ParsedMessage& part, WideString& text) {
    if (!EqualsIgnoringCase(part.content.type.View(), u"text")) return false;
    std::u16string decoded;
    std::string bytes;
    const bool result = AppendBodyText(part.content, decoded, bytes);
    text = WideString(std::move(decoded));
    return result;
}

}  // namespace ombrel
