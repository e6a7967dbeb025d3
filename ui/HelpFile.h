#pragma once

#include "common/WideString.h"

namespace ombrel {

// The help file beside the library: the library's path with its extension ".dll" as ".chm".
// The extension is matched with its case, so a path ending in ".DLL" stays as it is; "dll"
// elsewhere in the path (a folder named "dlls", say) is left alone.
WideString HelpFilePath(const WideString& modulePath);

// Opens the help file with the shell; a missing file is not reported.
void OpenHelpFile();

}  // namespace ombrel
