#pragma once

#include "platform/Shell.h"

namespace ombrel::platform::win32 {

class Win32Shell final : public Shell {
  public:
    bool AppDataFolder(WideString& folder) const override;
    void Open(const WideString& file, std::int32_t show) const override;
};

}  // namespace ombrel::platform::win32
