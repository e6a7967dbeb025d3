#pragma once

#include <optional>

#include "platform/Shell.h"

namespace ombrel::platform::posix {

// The shell's folders as settings: the application-data folder is what the test or host sets, or
// unavailable when it is unset.
class PosixShell final : public Shell {
  public:
    bool AppDataFolder(WideString& folder) const override;
    void SetAppDataFolder(std::optional<WideString> folder) { appData_ = std::move(folder); }

  private:
    std::optional<WideString> appData_;
};

}  // namespace ombrel::platform::posix
