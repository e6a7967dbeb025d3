#pragma once

#include "platform/Shell.h"

namespace ombrel::platform::win32 {

class Win32Shell final : public Shell {
  public:
    bool AppDataFolder(WideString& folder) const override;
};

}  // namespace ombrel::platform::win32
