// Mail text made safe for a terminal: whatever the bytes, the result holds no control character
// (C0, DEL, C1) and no character that reorders text.
#include <string>

#include "cli/TerminalText.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

// The UTF-8 of a character from U+0800 to U+FFFF.
std::string ThreeBytes(char32_t code) {
    return {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
            static_cast<char>(0x80 | (code & 0x3F))};
}

}  // namespace

OMBREL_FUZZ_TARGET(TerminalText) {
    const std::string shown =
        ombrel::cli::TerminalText({reinterpret_cast<const char*>(data), size});
    for (std::size_t at = 0; at < shown.size(); ++at) {
        const auto byte = static_cast<unsigned char>(shown[at]);
        if (byte < 0x20 || byte == 0x7F) __builtin_trap();
        if (byte == 0xC2 && at + 1 < shown.size() &&
            static_cast<unsigned char>(shown[at + 1]) < 0xA0) {
            __builtin_trap();  // U+0080 to U+009F
        }
    }
    for (const char32_t code :
         {0x200E, 0x200F, 0x202A, 0x202B, 0x202C, 0x202D, 0x202E, 0x2066, 0x2067, 0x2068, 0x2069}) {
        if (shown.find(ThreeBytes(code)) != std::string::npos) __builtin_trap();
    }
    if (shown.find("\xD8\x9C") != std::string::npos) __builtin_trap();  // U+061C
    return 0;
}
