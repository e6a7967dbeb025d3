#pragma once

#include "platform/Threads.h"

namespace ombrel::platform::posix {

// Threads of the native build. A suspension cannot stop a POSIX thread between any two
// instructions, so it takes effect at the thread's next pause point and lasts until as many
// resumptions as suspensions, like a Windows suspend count.
class PosixThreads final : public Threads {
  public:
    std::unique_ptr<Event> CreateManualResetEvent() override;
    std::unique_ptr<Thread> StartThread(std::function<void()> body) override;
    void PausePoint() override;
};

}  // namespace ombrel::platform::posix
