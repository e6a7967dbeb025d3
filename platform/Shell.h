#pragma once

#include "common/WideString.h"

namespace ombrel::platform {

// The Windows shell: well-known folders.
class Shell {
  public:
    virtual ~Shell() = default;
    // The current user's application-data folder (CSIDL_APPDATA), without a trailing backslash;
    // false when the shell cannot tell it.
    virtual bool AppDataFolder(WideString& folder) const = 0;
};

}  // namespace ombrel::platform
