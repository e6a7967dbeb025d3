#pragma once

#include "common/WideString.h"

namespace ombrel {

// Appends a backslash unless the path ends with one. An empty path raises CAtlException with
// E_INVALIDARG, since it has no last character.
void EnsureTrailingBackslash(WideString& path);

}  // namespace ombrel
