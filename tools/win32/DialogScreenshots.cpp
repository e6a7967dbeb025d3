// Takes pictures of the settings dialog as the mail client shows it: loads the library with the
// stand-in indexer over a generated mail store, opens the dialog through TBP_Setup, and saves the
// dialog's window, as it is on the screen, once in the settings view and once in the indexing
// view after a re-index, as 24-bit bitmaps.
//
//   dialog_screenshots OUTPUT_DIRECTORY
//
// writes settings.bmp and indexing.bmp there.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/IndexerJournal.h"
#include "tests/support/win32/ComStandInIndexer.h"
#include "tests/support/win32/HostRegistry.h"
#include "tests/support/win32/PluginLibrary.h"
#include "tests/support/win32/SampleHost.h"
#include "tests/support/win32/SetupRun.h"
#include "ui/DialogControls.h"

namespace {

using namespace ombrel::standin;

// Copies the window's rectangle of the screen into a bottom-up 24-bit bitmap file.
bool SaveWindow(HWND window, const std::wstring& path) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(500);  // the dialog's thread paints in its own time
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~DWORD{3};
    header.biSizeImage = stride * static_cast<DWORD>(height);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied =
        BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY) != FALSE;
    GdiFlush();
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(header.biSizeImage));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copied && out.good();
}

int Fail(const char* what) {
    std::fprintf(stderr, "dialog_screenshots: %s\n", what);
    return 1;
}

using namespace ombrel::controls;

int TakePictures(PluginLibrary& library, const std::wstring& output) {
    SetupRun run(library);
    if (run.Dialog() == nullptr) return Fail("the dialog did not appear");
    if (!SaveWindow(run.Dialog(), output + L"\\settings.bmp")) return Fail("no settings picture");
    // Every folder, so that the log shows a whole store's pass.
    run.Command(kSelectAll);
    run.Command(kReIndex);
    if (!run.WaitForText(kCancel, L"Done")) return Fail("the re-index did not end");
    if (!SaveWindow(run.Dialog(), output + L"\\indexing.bmp")) return Fail("no indexing picture");
    run.Command(kCancel);
    if (!run.WaitForText(kCancel, L"Cancel")) return Fail("Done did not lead back");
    run.Command(kCancel);
    return run.Result() == 1 ? 0 : Fail("the dialog did not close");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dialog_screenshots OUTPUT_DIRECTORY\n");
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    int exitCode = 0;
    {
        const std::wstring workingDirectory = FreshTemporaryDirectory(L"ombrel-screenshots");
        InstallHostEnvironment(workingDirectory);
        if (!InstallSampleStore(ombrel::testing::MakeSampleStore(4), workingDirectory)) {
            return Fail("the sample store does not install");
        }
        IndexerJournal journal;
        ComStandInIndexer indexer(journal);
        indexer.Register();
        PluginLibrary library;
        if (!library.Loaded()) return Fail("OmbrelDesktopTheBat.dll does not load");
        // Index upon receiving and monitoring on exit, as a user would have them.
        const std::uint8_t options[12] = {0x0D, 0xF0, 0xAD, 0xBA, 1, 1, 0, 0, 0, 0, 12, 0};
        library.SetConfigData(options, sizeof options);
        library.Initialize();
        exitCode = library.GetStatus() == 0 ? TakePictures(library, argv[1])
                                            : Fail("the library did not initialise");
        library.Finalize();
    }
    CoUninitialize();
    return exitCode;
}
