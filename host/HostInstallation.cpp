#include "host/HostInstallation.h"

#include "common/Paths.h"
#include "platform/AppData.h"
#include "platform/RegistryText.h"

namespace ombrel::host {

std::optional<WideString> ReadWorkingDirectory(platform::Registry& registry,
                                               platform::Registry::Key hostKey) {
    std::optional<WideString> directory =
        ReadRegistryText(registry, hostKey, kWorkingDirectoryValue, kWorkingDirectoryBytes);
    if (!directory || directory->IsEmpty()) return std::nullopt;
    return directory;
}

std::optional<WideString> DataDirectoryOf(WideString workingDirectory) {
    if (!ExpandAppData(workingDirectory)) return std::nullopt;
    EnsureTrailingBackslash(workingDirectory);
    return workingDirectory;
}

}  // namespace ombrel::host
