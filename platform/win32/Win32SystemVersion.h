#pragma once

#include "platform/SystemVersion.h"

namespace ombrel::platform::win32 {

// VerifyVersionInfoW with an extended version record.
class Win32SystemVersion final : public SystemVersion {
  public:
    bool IsAtLeast(std::uint32_t major, std::uint32_t minor,
                   std::uint16_t servicePackMajor) const override;
};

}  // namespace ombrel::platform::win32
