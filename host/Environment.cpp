#include "host/Environment.h"

#include "host/HostInstallation.h"
#include "host/HostVersion.h"
#include "host/PluginState.h"
#include "indexer/ComponentRegistration.h"
#include "platform/PluginMessage.h"
#include "platform/Ports.h"
#include "platform/RegistryText.h"
#include "platform/ResourceStrings.h"
#include "platform/SystemVersion.h"

namespace ombrel {
namespace {

// A warning that does not stop initialisation: the message, then status 1.
std::int32_t Warn(std::uint32_t textId) {
    ShowPluginMessage(textId);
    return 1;
}

bool IsWindowsSupported() {
    return platform::CurrentPorts().systemVersion->IsAtLeast(5, 0, 3);
}

// The checks and paths that need the host's open key.
std::int32_t PrepareFromHostKey(platform::Registry& registry, platform::Registry::Key hostKey) {
    const std::optional<WideString> version =
        ReadRegistryText(registry, hostKey, host::kVersionValue, host::kVersionBytes);
    if (!version) return Warn(strings::kHostVersionUnknown);
    if (!IsSupportedHostVersion(ParseHostVersion(version->View()))) {
        return Warn(strings::kHostVersionTooLow);
    }

    std::optional<WideString> workingDirectory = host::ReadWorkingDirectory(registry, hostKey);
    if (!workingDirectory) return Warn(strings::kWorkingDirectoryUnknown);
    // Without the application-data folder the routine stops silently, and both paths keep their
    // previous values rather than a directory that still holds the marker.
    std::optional<WideString> dataDirectory = host::DataDirectoryOf(std::move(*workingDirectory));
    if (!dataDirectory) return 1;
    PluginState& state = State();
    state.pluginIniPath = *dataDirectory + host::kPluginListName;
    state.dataDirectory = std::move(*dataDirectory);

    const WideString title = LoadResourceString(strings::kComponentTitle);
    const WideString description = LoadResourceString(strings::kComponentDescription);
    return EnsureRegistered(title, description);
}

}  // namespace

std::int32_t PrepareEnvironment() {
    if (!IsWindowsSupported()) return Warn(strings::kWindowsVersionTooLow);

    platform::Registry* registry = platform::CurrentPorts().registry;
    platform::ScopedKey hostKey(*registry);
    if (registry->OpenKey(platform::Registry::kCurrentUser, host::kHostKey,
                          platform::reg::kQueryValue,
                          *hostKey.Receive()) != platform::reg::kSuccess) {
        return Warn(strings::kHostNotDetected);
    }
    return PrepareFromHostKey(*registry, hostKey.Get());
}

}  // namespace ombrel
