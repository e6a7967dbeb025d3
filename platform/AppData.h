#pragma once

#include "common/WideString.h"

namespace ombrel {

// Replaces every "%APPDATA%" by the user's application-data folder, which the shell tells. False
// when the path holds the marker and the shell cannot tell the folder; the path then stays
// unchanged.
bool ExpandAppData(WideString& path);

}  // namespace ombrel
