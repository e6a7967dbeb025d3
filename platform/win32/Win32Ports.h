#pragma once

#include <windows.h>

#include "platform/Ports.h"

namespace ombrel::platform::win32 {

// Installs the Windows implementation of every port for the library loaded as `module`.
void InstallWin32Ports(HINSTANCE module);

}  // namespace ombrel::platform::win32
