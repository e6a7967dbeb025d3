#pragma once

#include <array>
#include <cstdint>

namespace ombrel {

// A named byte-to-byte translation: byte b of a text in the table's charset becomes map[b], a
// byte of the Windows code page that reads the same letter. Both names are zero-terminated and
// zero-padded (at most 15 characters).
struct CharsetTable {
    std::array<char, 16> asciiName{};
    std::array<char16_t, 16> wideName{};
    std::array<std::uint8_t, 256> map{};
};

}  // namespace ombrel
