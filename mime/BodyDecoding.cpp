#include "mime/BodyDecoding.h"

#include <new>
#include <string>

#include "charsets/ConversionRules.h"
#include "common/TextCompare.h"
#include "mime/TransferDecoding.h"

namespace ombrel {
namespace {

// The body's bytes after transfer decoding, with the decoder's result. The decoders see the
// body's begin as it is, so that a body without a range fails to decode.
bool TransferDecode(const ContentInfo& content, std::string& bytes) {
    const std::string_view body = content.Body();
    bytes.resize(body.size() + 1);
    std::size_t length = body.size();
    bool decoded = true;
    if (EqualsIgnoringCase(content.transferEncoding.View(), u"quoted-printable")) {
        decoded = content.bodyBegin != nullptr &&
                  decodeQuotedPrintable(content.bodyBegin, body.size(), bytes.data(), &length);
        if (!decoded) length = 0;
    } else if (EqualsIgnoringCase(content.transferEncoding.View(), u"base64")) {
        decoded = decodeBase64(content.bodyBegin, body.size(), bytes.data(), &length);
        length = std::min(length, body.size());
    } else {
        body.copy(bytes.data(), body.size());
    }
    bytes.resize(length);
    return decoded;
}

}  // namespace

bool decodeBody(const ParsedMessage& part, WideString& text) {
    const ContentInfo& content = part.content;
    if (!EqualsIgnoringCase(content.type.View(), u"text")) return false;
    try {
        std::string bytes;
        const bool decoded = TransferDecode(content, bytes);
        // Converted with its terminating zero, as a zero-terminated buffer is; the text ends at
        // the first zero unit.
        bytes.push_back('\0');
        std::u16string wide = CharsetText(content.charset, std::move(bytes));
        wide.resize(std::min(wide.size(), wide.find(u'\0')));
        text = WideString(std::move(wide));
        return decoded;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace ombrel
