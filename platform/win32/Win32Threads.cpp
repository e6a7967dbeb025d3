#include "platform/win32/Win32Threads.h"

#include <windows.h>

#include <objbase.h>

namespace ombrel::platform::win32 {
namespace {

class Win32Event final : public Event {
  public:
    explicit Win32Event(HANDLE event) : event_(event) {}
    ~Win32Event() override { CloseHandle(event_); }
    void Set() override { SetEvent(event_); }
    bool IsSet() const override { return WaitForSingleObject(event_, 0) == WAIT_OBJECT_0; }

  private:
    HANDLE event_;
};

// The milliseconds of a wait as the system takes them.
DWORD WaitMilliseconds(std::chrono::milliseconds limit) {
    if (limit.count() < 0) return 0;
    if (limit >= std::chrono::milliseconds(INFINITE)) return INFINITE;
    return static_cast<DWORD>(limit.count());
}

// Waits for the handle, at most `limit`, while the calling thread goes on handling what is sent to
// it: COM calls and sent window messages, so that a thread which is sending it something can
// finish. Whether the handle was signalled.
bool WaitHandlingSentMessages(HANDLE handle, std::chrono::milliseconds limit) {
    const DWORD timeout = WaitMilliseconds(limit);
    DWORD index = 0;
    const HRESULT waited = CoWaitForMultipleHandles(0, timeout, 1, &handle, &index);
    if (waited != CO_E_NOTINITIALIZED) return waited == S_OK;
    const DWORD start = GetTickCount();  // differences of it are right across its wrap-around
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        const DWORD left = timeout == INFINITE ? INFINITE : spent >= timeout ? 0 : timeout - spent;
        const DWORD woken = MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
        if (woken != WAIT_OBJECT_0 + 1) return woken == WAIT_OBJECT_0;
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

class Win32Thread final : public Thread {
  public:
    Win32Thread(HANDLE thread, DWORD id) : thread_(thread), id_(id) {}
    ~Win32Thread() override { CloseHandle(thread_); }

    std::int32_t Suspend() override { return static_cast<std::int32_t>(SuspendThread(thread_)); }
    std::int32_t Resume() override { return static_cast<std::int32_t>(ResumeThread(thread_)); }
    bool WaitFor(std::chrono::milliseconds limit) override {
        return IsCurrentThread() || WaitHandlingSentMessages(thread_, limit);
    }
    bool IsRunning() const override {
        DWORD code = 0;
        return GetExitCodeThread(thread_, &code) != FALSE && code == STILL_ACTIVE;
    }
    bool IsCurrentThread() const override { return GetCurrentThreadId() == id_; }

  private:
    HANDLE thread_;
    DWORD id_;
};

// What a started thread is given: its body, and the reference to the module of this code that it
// holds while it runs.
struct ThreadStart {
    std::function<void()> body;
    HMODULE module = nullptr;
};

// Runs the body, then lets go of the module and ends the thread in one call, so that the module,
// unloaded by that release when the host has freed it meanwhile, is not returned into.
DWORD WINAPI RunBody(LPVOID parameter) {
    HMODULE module = nullptr;
    {
        std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
        module = start->module;
        const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        try {
            start->body();
        } catch (...) {
            // Nothing a thread's body throws leaves the thread.
        }
        if (SUCCEEDED(com)) CoUninitialize();
    }
    FreeLibraryAndExitThread(module, 0);
}

// A counted reference to the module that holds this code; null when none can be had.
HMODULE ReferenceThisModule() {
    HMODULE module = nullptr;
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCWSTR>(&RunBody), &module) == FALSE) {
        return nullptr;
    }
    return module;
}

}  // namespace

std::unique_ptr<Event> Win32Threads::CreateManualResetEvent() {
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (event == nullptr) return nullptr;
    return std::make_unique<Win32Event>(event);
}

std::unique_ptr<Thread> Win32Threads::StartThread(std::function<void()> body) {
    auto start = std::make_unique<ThreadStart>(ThreadStart{std::move(body), ReferenceThisModule()});
    if (start->module == nullptr) return nullptr;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, &RunBody, start.get(), 0, &id);
    if (thread == nullptr) {
        FreeLibrary(start->module);
        return nullptr;
    }
    start.release();  // the thread owns its start now
    return std::make_unique<Win32Thread>(thread, id);
}

}  // namespace ombrel::platform::win32
