#pragma once

#include "common/WideString.h"

namespace ombrel {

// Enters the library in the host's plug-in list unless its exact path (case-sensitive) is listed:
// "Count" of section "Plugins" grows by one and the new "Plugin #n" holds the path.
void AddToPluginList(const WideString& listPath, const WideString& ownPath);

// Removes every entry of the library from the host's plug-in list: its path, or the path with
// "%EXEDRIVE%" for its drive, in any letter case. The other entries move up with their "Plugin
// Data" texts and are written back even when nothing was removed; keys above the new count stay.
void RemoveFromPluginList(const WideString& listPath, const WideString& ownPath);

}  // namespace ombrel
