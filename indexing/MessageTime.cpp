#include "indexing/MessageTime.h"

#include "common/CalendarMath.h"
#include "platform/Clock.h"
#include "platform/Ports.h"

namespace ombrel {
namespace {

constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr std::int64_t kFileTimeUnitsPerSecond = 10000000;

}  // namespace

SystemTime MessageTime(std::int32_t storedSeconds) {
    // Any 32-bit count lies well inside what a FILETIME holds.
    const auto fileTime = static_cast<std::uint64_t>(
        (static_cast<std::int64_t>(storedSeconds) + kSecondsFrom1601To1970) *
        kFileTimeUnitsPerSecond);
    SystemTime time = SplitFileTime(fileTime).value_or(SystemTime());
    const platform::Clock* clock = platform::CurrentPorts().clock;
    // The zone is fetched anew for every message. A conversion that fails leaves the time as the
    // previous step made it.
    const platform::TimeZoneRules zone = clock->CurrentTimeZone();
    SystemTime once;
    if (!clock->LocalToUtc(zone, time, once)) return time;
    SystemTime twice;
    if (!clock->LocalToUtc(zone, once, twice)) return once;
    return twice;
}

}  // namespace ombrel
