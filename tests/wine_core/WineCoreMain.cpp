// The Wine core suite's entry point: the Windows ports are installed for this program, whose
// resources carry the library's string table, and COM is initialised as the host does.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/Win32Ports.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    ombrel::platform::win32::InstallWin32Ports(GetModuleHandleW(nullptr));
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
