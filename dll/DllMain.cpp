#include <windows.h>

#include "host/ComModule.h"
#include "host/PluginState.h"
#include "indexing/IndexingJob.h"
#include "platform/win32/Win32Ports.h"

// Attaching sets up the ports and the COM module object; the library does not load when the
// module cannot be set up. Detaching ends a job that still runs and tears the module down.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        try {
            ombrel::State().moduleInstance = instance;
            ombrel::platform::win32::InstallWin32Ports(instance);
        } catch (...) {
            return FALSE;
        }
        return ombrel::SetUpComModule() ? TRUE : FALSE;
    }
    if (reason == DLL_PROCESS_DETACH) {
        // When the library is unloaded while the process goes on, a worker that still runs is
        // ended; at process exit the system has ended it already.
        if (reserved == nullptr) {
            try {
                ombrel::EndJob();
            } catch (...) {
            }
        }
        ombrel::TearDownComModule();
    }
    return TRUE;
}
