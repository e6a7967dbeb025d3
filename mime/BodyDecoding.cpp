#include "mime/BodyDecoding.h"

#include <algorithm>
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
// ends with a line end converts alike without it: no code page reads a line end as part of
// another character. So such a body without transfer encoding converts where it stands.
bool ConvertsInPlace(const ContentInfo& content) {
    const std::string_view body = content.Body();
    return !IsEncoded(content, u"quoted-printable") && !IsEncoded(content, u"base64") &&
           (body.ends_with('\n') || body.ends_with('\r'));
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
        text.resize(std::min(text.size(), text.find(u'\0', start)));
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
