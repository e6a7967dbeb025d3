#include "indexing/StopCheck.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "common/Exceptions.h"
#include "platform/Ports.h"
#include "platform/Threads.h"

namespace ombrel {
namespace {

// The current event is read without a lock. A closed event is kept until no check is under way,
// since a check that began before the close may still be reading it.
struct StopEvents {
    std::atomic<platform::Event*> current = nullptr;
    std::atomic<int> checksUnderWay = 0;
    std::mutex mutex;  // for the writers only
    std::vector<std::unique_ptr<platform::Event>> closed;
};

StopEvents& Events() {
    static StopEvents events;
    return events;
}

void Replace(std::unique_ptr<platform::Event> next) {
    StopEvents& events = Events();
    std::lock_guard lock(events.mutex);
    std::unique_ptr<platform::Event> previous(events.current.exchange(next.release()));
    if (previous) events.closed.push_back(std::move(previous));
    if (events.checksUnderWay.load() == 0) events.closed.clear();
}

}  // namespace

bool StopRequested() {
    StopEvents& events = Events();
    ++events.checksUnderWay;
    const platform::Event* event = events.current.load();
    const bool requested = event != nullptr && event->IsSet();
    --events.checksUnderWay;
    return requested;
}

void CheckForStop() {
    if (platform::Threads* threads = platform::CurrentPorts().threads) threads->PausePoint();
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
    StopEvents& events = Events();
    std::lock_guard lock(events.mutex);
    if (platform::Event* event = events.current.load()) event->Set();
}

void CloseStopEvent() {
    Replace(nullptr);
}

}  // namespace ombrel
