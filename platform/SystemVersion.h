#pragma once

#include <cstdint>

namespace ombrel::platform {

// The version of Windows the library runs on.
class SystemVersion {
  public:
    virtual ~SystemVersion() = default;
    // VerifyVersionInfoW asking for at least the major version, minor version and service-pack
    // major version, compared in that order: a greater major version passes whatever the rest is.
    virtual bool IsAtLeast(std::uint32_t major, std::uint32_t minor,
                           std::uint16_t servicePackMajor) const = 0;
};

}  // namespace ombrel::platform
