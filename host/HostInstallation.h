#pragma once

#include <cstdint>
#include <optional>

#include "common/WideString.h"
#include "platform/Registry.h"

namespace ombrel::host {

// The host's key under HKEY_CURRENT_USER, its values and the buffer sizes they are read into.
inline constexpr const char16_t* kHostKey = u"Software\\RIT\\The Bat!";
inline constexpr const char16_t* kVersionValue = u"Version";
inline constexpr std::uint32_t kVersionBytes = 128;
inline constexpr const char16_t* kWorkingDirectoryValue = u"Working Directory";
inline constexpr std::uint32_t kWorkingDirectoryBytes = 2048;

// The host's plug-in list in its data directory.
inline constexpr const char16_t* kPluginListName = u"TBPlugin.INI";

// The "Working Directory" of the open host key; nothing when it is unreadable or empty.
std::optional<WideString> ReadWorkingDirectory(platform::Registry& registry,
                                               platform::Registry::Key hostKey);

// The data directory that a working directory names: every "%APPDATA%" replaced by the user's
// application-data folder, ending with a backslash. Nothing when the folder is needed and
// unavailable.
std::optional<WideString> DataDirectoryOf(WideString workingDirectory);

}  // namespace ombrel::host
