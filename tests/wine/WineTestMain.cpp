// The Wine suite's entry point: COM is initialised on the test thread, as the host does, and the
// stand-in indexer's classes are registered before the library is loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/wine/WineSuite.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    int result = 0;
    {
        ombrel::wine::Suite suite;
        if (!suite.library.Loaded()) {
            std::fprintf(stderr, "OmbrelDesktopTheBat.dll does not load\n");
            return 2;
        }
        result = RUN_ALL_TESTS();
    }
    CoUninitialize();
    return result;
}
