#pragma once

#include <windows.h>

#include "platform/StringTable.h"

namespace ombrel::platform::win32 {

// The string table in the library's resources, through LoadStringW.
class Win32StringTable final : public StringTable {
  public:
    explicit Win32StringTable(HINSTANCE module) : module_(module) {}
    std::optional<std::u16string> Load(std::uint32_t id) const override;

  private:
    HINSTANCE module_;
};

}  // namespace ombrel::platform::win32
