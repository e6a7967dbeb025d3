#include "platform/posix/PosixShell.h"

namespace ombrel::platform::posix {

bool PosixShell::AppDataFolder(WideString& folder) const {
    if (!appData_) return false;
    folder = *appData_;
    return true;
}

}  // namespace ombrel::platform::posix
