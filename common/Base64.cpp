#include "common/Base64.h"

namespace ombrel {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The 6-bit value of an alphabet character, or -1.
int ValueOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string EncodeBase64(std::string_view bytes) {
    std::string text;
    std::uint32_t bits = 0;
    int count = 0;  // bits held
    for (const char c : bytes) {
        bits = (bits << 8) | static_cast<unsigned char>(c);
        count += 8;
        while (count >= 6) {
            count -= 6;
            text += kAlphabet[(bits >> count) & 0x3F];
        }
    }
    if (count > 0) text += kAlphabet[(bits << (6 - count)) & 0x3F];
    return text;
}

std::size_t DecodeBase64(std::string_view text, std::uint8_t* out, std::size_t capacity) {
    std::size_t length = 0;
    std::uint32_t bits = 0;
    int count = 0;  // bits held
    for (const char c : text) {
        const int value = ValueOf(c);
        if (value < 0) continue;
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            if (length < capacity && out != nullptr) {
                out[length] = static_cast<std::uint8_t>((bits >> count) & 0xFF);
            }
            ++length;
        }
    }
    return length;
}

}  // namespace ombrel
