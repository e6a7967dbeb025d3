#pragma once

#include <windows.h>

namespace ombrel::standin {

// Points the import of `function` from `dll` in `module`'s import table at `replacement`, so that
// the test host sees every call the module makes to it. Returns the previous target, or null when
// the module does not import the function.
void* HookImport(HMODULE module, const char* dll, const char* function, void* replacement);

}  // namespace ombrel::standin
