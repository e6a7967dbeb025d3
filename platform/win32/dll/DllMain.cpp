#include <windows.h>

#include "host/PluginState.h"
#include "platform/win32/Win32Ports.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        try {
            ombrel::State().moduleInstance = instance;
            ombrel::platform::win32::InstallWin32Ports(instance);
        } catch (...) {
            return FALSE;
        }
    }
    return TRUE;
}
