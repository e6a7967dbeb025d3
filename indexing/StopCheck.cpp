#include "indexing/StopCheck.h"

#include <mutex>

#include "common/Exceptions.h"
#include "platform/Ports.h"

namespace ombrel {
namespace {

// Other threads may check while the job creates or closes its event, so the event is shared
// and swapped under a lock rather than closed under their feet.
struct PublishedStop {
    std::mutex mutex;
    std::shared_ptr<platform::Event> event;
};

PublishedStop& Published() {
    static PublishedStop published;
    return published;
}

}  // namespace

bool StopRequested() {
    std::shared_ptr<platform::Event> event;
    {
        std::lock_guard lock(Published().mutex);
        event = Published().event;
    }
    return event != nullptr && event->IsSet();
}

void CheckForStop() {
    if (platform::Threads* threads = platform::CurrentPorts().threads) threads->PausePoint();
    if (StopRequested()) throw CKVRFailException(0);
}

void PublishStopEvent(std::shared_ptr<platform::Event> event) {
    std::lock_guard lock(Published().mutex);
    Published().event = std::move(event);
}

}  // namespace ombrel
