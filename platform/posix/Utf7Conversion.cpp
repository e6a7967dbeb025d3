#include "platform/posix/Utf7Conversion.h"

#include <cstdint>

namespace ombrel::platform::posix {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Base64Value(unsigned char byte) {
    const std::size_t at = kAlphabet.find(static_cast<char>(byte));
    return at != std::string_view::npos ? static_cast<int>(at) : -1;
}

bool StandsForItself(char16_t unit) {
    if ((unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z') ||
        (unit >= u'0' && unit <= u'9')) {
        return true;
    }
    return std::u16string_view(u"\t\n\r '(),-./:?").find(unit) != std::u16string_view::npos ||
           unit == 0;
}

}  // namespace

void Utf7ToWide(std::string_view bytes, std::u16string& out) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        if (byte != '+') {
            out.push_back(byte);
            continue;
        }
        if (at < bytes.size() && bytes[at] == '-') {
            out.push_back(u'+');
            ++at;
            continue;
        }
        std::uint32_t bits = 0;
        int bitCount = 0;
        int value = 0;
        while (at < bytes.size() && (value = Base64Value(bytes[at])) >= 0) {
            bits = (bits << 6) | static_cast<std::uint32_t>(value);
            bitCount += 6;
            if (bitCount >= 16) {
                bitCount -= 16;
                out.push_back(static_cast<char16_t>(bits >> bitCount));
                bits &= (1U << bitCount) - 1;
            }
            ++at;
        }
        if (at < bytes.size() && bytes[at] == '-') ++at;
    }
}

std::string WideToUtf7(std::u16string_view text) {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const char16_t unit = text[at];
        if (unit == u'+') {
            out += "+-";
            ++at;
            continue;
        }
        if (StandsForItself(unit)) {
            out.push_back(static_cast<char>(unit));
            ++at;
            continue;
        }
        out.push_back('+');
        std::uint32_t bits = 0;
        int bitCount = 0;
        for (; at < text.size() && text[at] != u'+' && !StandsForItself(text[at]); ++at) {
            bits = (bits << 16) | text[at];
            bitCount += 16;
            while (bitCount >= 6) {
                bitCount -= 6;
                out.push_back(kAlphabet[(bits >> bitCount) & 0x3F]);
            }
            bits &= (1U << bitCount) - 1;
        }
        if (bitCount > 0) out.push_back(kAlphabet[(bits << (6 - bitCount)) & 0x3F]);
        out.push_back('-');
    }
    return out;
}

}  // namespace ombrel::platform::posix
