#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace ombrel::platform {

// A manual-reset event: once set it stays set.
class Event {
  public:
    virtual ~Event() = default;  // closes the event
    virtual void Set() = 0;
    // A wait with a time-out of 0: whether the event is set.
    virtual bool IsSet() const = 0;
};

// A thread started through the port. Destroying the object closes its handle; the thread goes on.
class Thread {
  public:
    virtual ~Thread() = default;
    // SuspendThread and ResumeThread: the suspend count before the call, or -1 on failure.
    virtual std::int32_t Suspend() = 0;
    virtual std::int32_t Resume() = 0;
    // Waits until the thread has ended, at most `limit` (kNoTimeLimit for no limit): whether it
    // has. The waiting thread keeps handling the messages and COM calls sent to it meanwhile, so a
    // thread that is sending it something can finish. A thread waiting for itself returns at once.
    virtual bool WaitFor(std::chrono::milliseconds limit) = 0;
    void Wait() { WaitFor(kNoTimeLimit); }
    virtual bool IsRunning() const = 0;
    virtual bool IsCurrentThread() const = 0;

    static constexpr std::chrono::milliseconds kNoTimeLimit = std::chrono::milliseconds::max();
};

// Threads and events. A thread started here has COM initialised for itself while its body runs,
// and nothing its body throws leaves it. It keeps the code it runs loaded until it has ended: a
// library that starts it is not unloaded under it.
class Threads {
  public:
    virtual ~Threads() = default;
    // An unnamed manual-reset event, not set; null when none can be had.
    virtual std::unique_ptr<Event> CreateManualResetEvent() = 0;
    // Starts a thread with the default stack size at once; null when it cannot be started.
    virtual std::unique_ptr<Thread> StartThread(std::function<void()> body) = 0;
    // Called by a running thread at its check points: where a suspension takes effect when
    // the platform cannot suspend a thread between any two instructions.
    virtual void PausePoint() = 0;
};

}  // namespace ombrel::platform
