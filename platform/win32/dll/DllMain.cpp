#include <windows.h>

#include "host/PluginState.h"
#include "indexing/IndexingJob.h"
#include "platform/win32/Win32Ports.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        try {
            ombrel::State().moduleInstance = instance;
            ombrel::platform::win32::InstallWin32Ports(instance);
        } catch (...) {
            return FALSE;
        }
    }
    // When the library is unloaded while the process goes on, a worker that still runs is
    // ended; at process exit the system has ended it already.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        try {
            ombrel::EndJob();
        } catch (...) {
        }
    }
    return TRUE;
}
