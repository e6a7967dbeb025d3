#include "host/ComServer.h"

#include "host/ComModule.h"
#include "host/Environment.h"
#include "host/HostInstallation.h"
#include "host/PluginList.h"
#include "host/PluginState.h"
#include "indexer/ComponentRegistration.h"
#include "platform/ModuleFile.h"
#include "platform/Ports.h"
#include "platform/Registry.h"

namespace ombrel {
namespace {

WideString OwnPath() {
    return platform::CurrentPorts().moduleFile->Path();
}

// The host's working directory, read for removal: nothing when the host's key or the value is
// missing or empty.
std::optional<WideString> HostWorkingDirectory() {
    platform::Registry* registry = platform::CurrentPorts().registry;
    platform::ScopedKey hostKey(*registry);
    if (registry->OpenKey(platform::Registry::kCurrentUser, host::kHostKey,
                          platform::reg::kQueryValue,
                          *hostKey.Receive()) != platform::reg::kSuccess) {
        return std::nullopt;
    }
    return host::ReadWorkingDirectory(*registry, hostKey.Get());
}

}  // namespace

HResult RegisterServer() {
    const std::int32_t status = PrepareEnvironment();
    if (status < 0) return status;
    // Without the host's data directory, or without a path of its own, the library lists nothing.
    const WideString& listPath = State().pluginIniPath;
    const WideString ownPath = OwnPath();
    if (!listPath.IsEmpty() && !ownPath.IsEmpty()) AddToPluginList(listPath, ownPath);
    return status;
}

HResult UnregisterServer() {
    UnregisterComponent(indexer::kComponentGuid);  // whether the indexer knew it does not matter
    const HResult status = UnregisterModule();
    std::optional<WideString> workingDirectory = HostWorkingDirectory();
    if (!workingDirectory) return status;
    const std::optional<WideString> dataDirectory =
        host::DataDirectoryOf(std::move(*workingDirectory));
    if (!dataDirectory) return hr::kFalse;
    const WideString ownPath = OwnPath();
    if (!ownPath.IsEmpty()) RemoveFromPluginList(*dataDirectory + host::kPluginListName, ownPath);
    return status;
}

HResult CanUnloadNow() {
    return COmbrelDesktopSearchTheBatModule::CanUnloadNow();
}

HResult GetClassObject(void** object) {
    return COmbrelDesktopSearchTheBatModule::GetClassObject(object);
}

}  // namespace ombrel
