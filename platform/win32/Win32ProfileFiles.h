#pragma once

#include "platform/ProfileFiles.h"

namespace ombrel::platform::win32 {

// The Windows private-profile functions.
class Win32ProfileFiles final : public ProfileFiles {
  public:
    std::uint32_t GetString(const char16_t* section, const char16_t* key,
                            const char16_t* defaultValue, char16_t* buffer, std::uint32_t size,
                            const char16_t* file) const override;
    std::uint32_t GetInt(const char16_t* section, const char16_t* key, std::int32_t defaultValue,
                         const char16_t* file) const override;
    bool WriteString(const char16_t* section, const char16_t* key, const char16_t* value,
                     const char16_t* file) override;
};

}  // namespace ombrel::platform::win32
