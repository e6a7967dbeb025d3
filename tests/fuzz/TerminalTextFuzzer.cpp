// Mail text made safe for a terminal: whatever the bytes, the result is UTF-8 without a control
// character (C0, DEL, C1) or a character that reorders text.
#include <string>

#include "cli/TerminalText.h"
#include "tests/fuzz/FuzzTarget.h"

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
        if (shown.compare(at, 3, "\xE2\x80\xAE") == 0 ||
            shown.compare(at, 3, "\xE2\x81\xA6") == 0) {
            __builtin_trap();
        }
    }
    return 0;
}
