#include "cli/TerminalText.h"

#include <cstdint>
#include <cstdio>

namespace ombrel::cli {
namespace {

// The code point of the UTF-8 character at `at` and its length; 0 for a byte that starts none.
std::size_t Decode(std::string_view text, std::size_t at, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead < 0x80           ? 1
                         : (lead >> 5) == 0x6  ? 2
                         : (lead >> 4) == 0xE  ? 3
                         : (lead >> 3) == 0x1E ? 4
                                               : 0;
    if (length == 0 || at + length > text.size()) return 0;
    code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

bool Reorders(char32_t code) {
    return code == 0x061C || code == 0x200E || code == 0x200F ||
           (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

}  // namespace

std::string TerminalText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        char32_t code = 0;
        const std::size_t length = Decode(text, at, code);
        if (length == 0) {
            shown += "\xEF\xBF\xBD";
            ++at;
            continue;
        }
        if (code == '\t' || code == '\n' || code == '\r') {
            shown += ' ';
        } else if (code < 0x20 || code == 0x7F) {
            shown += '^';
            shown += static_cast<char>(code ^ 0x40);
        } else if ((code >= 0x80 && code <= 0x9F) || Reorders(code)) {
            char name[16];
            std::snprintf(name, sizeof name, "<U+%04X>", static_cast<unsigned>(code));
            shown += name;
        } else {
            shown.append(text.substr(at, length));
        }
        at += length;
    }
    return shown;
}

}  // namespace ombrel::cli
