#pragma once

#include "platform/Threads.h"

namespace ombrel::platform::win32 {

// CreateEventW, CreateThread, SuspendThread and ResumeThread. Suspension is the system's, so pause
// points do nothing. A started thread holds a reference to this module and ends with
// FreeLibraryAndExitThread.
class Win32Threads final : public Threads {
  public:
    std::unique_ptr<Event> CreateManualResetEvent() override;
    std::unique_ptr<Thread> StartThread(std::function<void()> body) override;
    void PausePoint() override {}
};

}  // namespace ombrel::platform::win32
