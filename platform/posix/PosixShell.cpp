#include "platform/posix/PosixShell.h"

namespace ombrel::platform::posix {

bool PosixShell::AppDataFolder(WideString& folder) const {
    if (!appData_) return false;
    folder = *appData_;
    return true;
}

void PosixShell::Open(const WideString& file, std::int32_t show) const {
    std::lock_guard lock(mutex_);
    opened_.push_back({file, show});
}

std::vector<OpenedFile> PosixShell::Opened() const {
    std::lock_guard lock(mutex_);
    return opened_;
}

}  // namespace ombrel::platform::posix
