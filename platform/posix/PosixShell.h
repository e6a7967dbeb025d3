#pragma once

#include <mutex>
#include <optional>
#include <vector>

#include "platform/Shell.h"

namespace ombrel::platform::posix {

// A file or address that was asked to be opened.
struct OpenedFile {
    WideString file;
    std::int32_t show = 0;
    friend bool operator==(const OpenedFile&, const OpenedFile&) = default;
};

// The shell's folders as settings: the application-data folder is what the test or host sets, or
// unavailable when it is unset. Opening a file only records it.
class PosixShell final : public Shell {
  public:
    bool AppDataFolder(WideString& folder) const override;
    void Open(const WideString& file, std::int32_t show) const override;

    void SetAppDataFolder(std::optional<WideString> folder) { appData_ = std::move(folder); }
    std::vector<OpenedFile> Opened() const;

  private:
    std::optional<WideString> appData_;
    mutable std::mutex mutex_;
    mutable std::vector<OpenedFile> opened_;
};

}  // namespace ombrel::platform::posix
