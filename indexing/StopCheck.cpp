#include "indexing/StopCheck.h"

#include <atomic>
#include <memory>
#include <mutex>

#include "common/Exceptions.h"
#include "platform/Ports.h"
#include "platform/Threads.h"

namespace ombrel {
namespace {

// The job's stop event, and whether it is set: a flag beside it that every check reads with one
// relaxed load, since the parser checks after every line. Only the functions below set the event,
// and they keep the flag with it.
struct StopEvent {
    std::mutex mutex;  // for the writers only
    std::unique_ptr<platform::Event> event;
    std::atomic<bool> set = false;
};

StopEvent& Stop() {
    static StopEvent stop;
    return stop;
}

void Replace(std::unique_ptr<platform::Event> next) {
    StopEvent& stop = Stop();
    std::lock_guard lock(stop.mutex);
    stop.set = false;
    stop.event = std::move(next);
}

}  // namespace

bool StopRequested() {
    return Stop().set.load(std::memory_order_relaxed);
}

void CheckForStop() {
    platform::CurrentPorts().threads->PausePoint();
    if (StopRequested()) throw CKVRFailException(0);
}

bool CreateStopEvent() {
    std::unique_ptr<platform::Event> event =
        platform::CurrentPorts().threads->CreateManualResetEvent();
    if (!event) return false;
    Replace(std::move(event));
    return true;
}

void SignalStop() {
    StopEvent& stop = Stop();
    std::lock_guard lock(stop.mutex);
    if (!stop.event) return;
    stop.event->Set();
    stop.set = true;
}

void CloseStopEvent() {
    Replace(nullptr);
}

}  // namespace ombrel
