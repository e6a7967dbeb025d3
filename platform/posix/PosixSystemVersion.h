#pragma once

#include "platform/SystemVersion.h"

namespace ombrel::platform::posix {

// The Windows version as a setting (Windows 10 unless a test or host sets another), compared as
// VerifyVersionInfoW compares it.
class PosixSystemVersion final : public SystemVersion {
  public:
    bool IsAtLeast(std::uint32_t major, std::uint32_t minor,
                   std::uint16_t servicePackMajor) const override;
    void SetVersion(std::uint32_t major, std::uint32_t minor, std::uint16_t servicePackMajor);

  private:
    std::uint32_t major_ = 10;
    std::uint32_t minor_ = 0;
    std::uint16_t servicePackMajor_ = 0;
};

}  // namespace ombrel::platform::posix
