#pragma once

#include "platform/StringTable.h"

namespace ombrel::platform::posix {

// The library's string table compiled into the native build from the same list as the resources.
class PosixStringTable final : public StringTable {
  public:
    std::optional<std::u16string> Load(std::uint32_t id) const override;
};

}  // namespace ombrel::platform::posix
