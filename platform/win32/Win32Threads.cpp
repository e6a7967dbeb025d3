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

// Waits for the handle while the calling thread goes on handling what is sent to it: COM calls
// and sent window messages, so that a thread which is sending it something can finish.
void WaitHandlingSentMessages(HANDLE handle) {
    DWORD index = 0;
    const HRESULT waited = CoWaitForMultipleHandles(0, INFINITE, 1, &handle, &index);
    if (waited != CO_E_NOTINITIALIZED) return;
    while (MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
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
    void Wait() override {
        if (!IsCurrentThread()) WaitHandlingSentMessages(thread_);
    }
    bool IsRunning() const override {
        DWORD code = 0;
        return GetExitCodeThread(thread_, &code) != FALSE && code == STILL_ACTIVE;
    }
    void Terminate() override { TerminateThread(thread_, 0); }
    bool IsCurrentThread() const override { return GetCurrentThreadId() == id_; }

  private:
    HANDLE thread_;
    DWORD id_;
};

DWORD WINAPI RunBody(LPVOID parameter) {
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    try {
        (*body)();
    } catch (...) {
        // Nothing a thread's body throws leaves the thread.
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

}  // namespace

std::unique_ptr<Event> Win32Threads::CreateManualResetEvent() {
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (event == nullptr) return nullptr;
    return std::make_unique<Win32Event>(event);
}

std::unique_ptr<Thread> Win32Threads::StartThread(std::function<void()> body) {
    auto owned = std::make_unique<std::function<void()>>(std::move(body));
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, &RunBody, owned.get(), 0, &id);
    if (thread == nullptr) return nullptr;
    owned.release();  // the thread owns its body now
    return std::make_unique<Win32Thread>(thread, id);
}

}  // namespace ombrel::platform::win32
