#pragma once

#include <cstdint>

#include "common/WideString.h"

namespace ombrel::platform {

// Show commands of ShellExecuteW, with the values of the Windows API.
namespace show {
inline constexpr std::int32_t kNormal = 1;    // SW_SHOWNORMAL
inline constexpr std::int32_t kDefault = 10;  // SW_SHOWDEFAULT
}  // namespace show

// The Windows shell: well-known folders, and opening files and addresses.
class Shell {
  public:
    virtual ~Shell() = default;
    // The current user's application-data folder (CSIDL_APPDATA), without a trailing backslash;
    // false when the shell cannot tell it.
    virtual bool AppDataFolder(WideString& folder) const = 0;
    // ShellExecuteW with no owner window, the default verb, no parameters and no directory; the
    // result is not examined.
    virtual void Open(const WideString& file, std::int32_t show) const = 0;
};

}  // namespace ombrel::platform
