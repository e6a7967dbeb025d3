#pragma once

#include "common/WideString.h"

namespace ombrel {

// Appends a backslash unless the path ends with one. An empty path raises CAtlException with
// E_INVALIDARG, since it has no last character.
void EnsureTrailingBackslash(WideString& path);

// Replaces every "%APPDATA%" by the user's application-data folder. False when the path holds the
// marker and the shell cannot tell the folder; the path then stays unchanged.
bool ExpandAppData(WideString& path);

}  // namespace ombrel
