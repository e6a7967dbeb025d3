#include <windows.h>

#include "host/ComModule.h"
#include "host/PluginState.h"
#include "indexing/IndexingJob.h"
#include "platform/win32/Win32Ports.h"

// Attaching sets up the ports and the COM module object; the library does not load when the
// module cannot be set up. Detaching tears the module down.
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
        // Nothing here waits for or ends the job's worker, under the loader lock: the worker holds
        // a reference to the library while it runs, so the library is unloaded only once it has
        // ended, and TBP_Finalize has asked it to stop and waited for it before. At process exit
        // the system has ended it already. What a job that ended left open is closed here.
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
