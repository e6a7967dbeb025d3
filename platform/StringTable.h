#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ombrel::platform {

// The library's string table (English, looked up language-neutrally).
class StringTable {
  public:
    virtual ~StringTable() = default;
    // The text of the id, or nothing when the table has no such string.
    virtual std::optional<std::u16string> Load(std::uint32_t id) const = 0;
};

}  // namespace ombrel::platform
