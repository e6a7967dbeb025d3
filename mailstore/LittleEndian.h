#pragma once

#include <cstdint>

namespace ombrel {

// Little-endian fields of the host's files, read from bytes in place (any alignment).
inline std::uint32_t LoadU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline std::int32_t LoadI32(const std::uint8_t* bytes) {
    return static_cast<std::int32_t>(LoadU32(bytes));
}

}  // namespace ombrel
