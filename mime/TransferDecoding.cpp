#include "mime/TransferDecoding.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace ombrel {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The length of the line end at `at` (CR LF, a bare LF or a bare CR), or 0.
std::size_t LineEndAt(const char* text, std::size_t at, std::size_t count) {
    if (at >= count) return 0;
    if (text[at] == '\r') return at + 1 < count && text[at + 1] == '\n' ? 2 : 1;
    return text[at] == '\n' ? 1 : 0;
}

constexpr std::array<std::int8_t, 256> MakeBase64Values() {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    constexpr std::string_view alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (std::size_t i = 0; i < alphabet.size(); ++i) {
        values.at(static_cast<unsigned char>(alphabet[i])) = static_cast<std::int8_t>(i);
    }
    return values;
}

constexpr std::array<std::int8_t, 256> kBase64Values = MakeBase64Values();

}  // namespace

bool decodeQuotedPrintable(const char* source, std::size_t count, char* destination,
                           std::size_t* outLength, QuotedPrintableForm form) {
    if (destination == nullptr || outLength == nullptr) return false;
    std::size_t written = 0;
    for (std::size_t at = 0; at < count;) {
        const char c = source[at];
        if (c == '_' && form == QuotedPrintableForm::EncodedWord) {
            destination[written++] = ' ';
            ++at;
        } else if (c != '=') {
            destination[written++] = c;
            ++at;
        } else if (const std::size_t lineEnd = LineEndAt(source, at + 1, count); lineEnd > 0) {
            at += 1 + lineEnd;  // soft line break
        } else if (at + 2 < count && HexValue(source[at + 1]) >= 0 &&
                   HexValue(source[at + 2]) >= 0) {
            destination[written++] =
                static_cast<char>(HexValue(source[at + 1]) * 16 + HexValue(source[at + 2]));
            at += 3;
        } else {
            destination[written++] = c;
            ++at;
        }
    }
    *outLength = written;
    return true;
}

bool decodeBase64(const char* source, std::size_t length, char* destination,
                  std::size_t* inOutLength) {
    if (source == nullptr || inOutLength == nullptr) return false;
    const std::size_t capacity = *inOutLength;
    bool fits = destination != nullptr;
    std::size_t decoded = 0;
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (std::size_t at = 0; at < length; ++at) {
        const int value = kBase64Values.at(static_cast<unsigned char>(source[at]));
        if (value < 0) continue;
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        bitCount += 6;
        if (bitCount < 8) continue;
        bitCount -= 8;
        // Stops writing for good at the first byte that does not fit, and goes on counting.
        if (fits && decoded >= capacity) fits = false;
        if (fits) destination[decoded] = static_cast<char>(bits >> bitCount);
        ++decoded;
        bits &= (1U << bitCount) - 1;
    }
    *inOutLength = decoded;
    return fits;
}

}  // namespace ombrel
