#include "mime/TransferDecoding.h"

#include <cstdint>
#include <string_view>

#include "common/Base64.h"
#include "mime/MessageCursor.h"

namespace ombrel {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

bool decodeQuotedPrintable(const char* source, std::size_t count, char* destination,
                           std::size_t* outLength, QuotedPrintableForm form) {
    if (destination == nullptr || outLength == nullptr) return false;
    const std::string_view text(source, count);
    std::size_t written = 0;
    for (std::size_t at = 0; at < count;) {
        const char c = text[at];
        if (c == '=') {
            if (const std::size_t lineEnd = LineEndLength(text, at + 1); lineEnd > 0) {
                at += 1 + lineEnd;  // a soft line break
                continue;
            }
            if (at + 2 < count && HexValue(text[at + 1]) >= 0 && HexValue(text[at + 2]) >= 0) {
                destination[written++] =
                    static_cast<char>(HexValue(text[at + 1]) * 16 + HexValue(text[at + 2]));
                at += 3;
                continue;
            }
        }
        // Any other byte, an "=" without two hexadecimal digits among them, is copied.
        destination[written++] = c == '_' && form == QuotedPrintableForm::EncodedWord ? ' ' : c;
        ++at;
    }
    *outLength = written;
    return true;
}

bool decodeBase64(const char* source, std::size_t length, char* destination,
                  std::size_t* inOutLength) {
    if (source == nullptr || inOutLength == nullptr) return false;
    const std::size_t capacity = destination != nullptr ? *inOutLength : 0;
    *inOutLength = DecodeBase64(std::string_view(source, length),
                                reinterpret_cast<std::uint8_t*>(destination), capacity);
    return destination != nullptr && *inOutLength <= capacity;
}

}  // namespace ombrel
