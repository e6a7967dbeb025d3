#include "platform/AppData.h"

#include "platform/Ports.h"
#include "platform/Shell.h"

namespace ombrel {
namespace {
constexpr const char16_t* kAppDataMarker = u"%APPDATA%";
}

bool ExpandAppData(WideString& path) {
    if (path.Find(kAppDataMarker) < 0) return true;
    const platform::Shell* shell = platform::CurrentPorts().shell;
    WideString folder;
    if (!shell->AppDataFolder(folder)) return false;
    path.Replace(kAppDataMarker, folder.CStr());
    return true;
}

}  // namespace ombrel
