#include "tests/support/JsonText.h"

#include <cstdio>

namespace ombrel::testing {
namespace {

// The code point at `at`, moving past it.
char32_t NextCodePoint(std::u16string_view text, std::size_t& at) {
    const char32_t unit = text[at++];
    if (unit < 0xD800 || unit > 0xDFFF) return unit;
    if (unit < 0xDC00 && at < text.size() && text[at] >= 0xDC00 && text[at] <= 0xDFFF) {
        return 0x10000 + ((unit - 0xD800) << 10) + (text[at++] - 0xDC00);
    }
    return 0xFFFD;
}

void AppendUtf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
        return;
    }
    const int trailing = point < 0x800 ? 1 : point < 0x10000 ? 2 : 3;
    constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLead[trailing] | (point >> (6 * trailing)));
    for (int shift = 6 * (trailing - 1); shift >= 0; shift -= 6) {
        out += static_cast<char>(0x80 | ((point >> shift) & 0x3F));
    }
}

}  // namespace

std::string Json(std::u16string_view text) {
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const char32_t point = NextCodePoint(text, at);
        if (point == u'"' || point == u'\\') {
            out += '\\';
            out += static_cast<char>(point);
        } else if (point < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(point));
            out += escaped;
        } else {
            AppendUtf8(out, point);
        }
    }
    return out + "\"";
}

}  // namespace ombrel::testing
