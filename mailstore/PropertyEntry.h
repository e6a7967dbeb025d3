#pragma once

#include <cstdint>

#include "mailstore/LittleEndian.h"

namespace ombrel {

// A 13-byte property entry of a folder record or of "Account.CFN": a kind byte (0 for a plain
// value), the property id, and the value's offset in the data area and its length.
struct PropertyEntry {
    static constexpr std::uint64_t kSize = 13;

    std::uint8_t kind = 0;
    std::uint32_t id = 0;
    std::uint32_t valueOffset = 0;
    std::uint32_t valueLength = 0;

    static PropertyEntry From(const std::uint8_t* bytes) {
        return {bytes[0], LoadU32(bytes + 1), LoadU32(bytes + 5), LoadU32(bytes + 9)};
    }
};

}  // namespace ombrel
