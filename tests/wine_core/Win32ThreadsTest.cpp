#include "platform/win32/Win32Threads.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

namespace ombrel::platform::win32 {
namespace {

constexpr UINT kWorkerMessage = WM_APP + 7;

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kWorkerMessage) return static_cast<LRESULT>(wParam) + 1;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(Win32Threads, AWaitKeepsHandlingWhatTheWorkerSendsToTheWaitingThreadsWindows) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &CountingProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OmbrelWaitTest";
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    HWND window = CreateWindowExW(0, L"OmbrelWaitTest", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);

    Win32Threads threads;
    std::atomic<LRESULT> answers = 0;
    auto worker = threads.StartThread([&] {
        for (WPARAM i = 0; i < 100; ++i) answers += SendMessageW(window, kWorkerMessage, i, 0);
    });
    ASSERT_NE(worker, nullptr);
    worker->Wait();  // would never return if sent messages were not handled meanwhile
    EXPECT_EQ(answers.load(), 5050);

    DestroyWindow(window);
    UnregisterClassW(L"OmbrelWaitTest", windowClass.hInstance);
}

TEST(Win32Threads, AStartedThreadHasComInitialised) {
    Win32Threads threads;
    std::atomic<HRESULT> again = E_FAIL;
    auto worker = threads.StartThread([&] {
        again = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(again.load())) CoUninitialize();
    });
    worker->Wait();
    EXPECT_EQ(again.load(), S_FALSE);  // already initialised for the thread
}

}  // namespace
}  // namespace ombrel::platform::win32
