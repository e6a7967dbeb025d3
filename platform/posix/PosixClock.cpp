#include "platform/posix/PosixClock.h"

#include <chrono>

#include "common/CalendarMath.h"

namespace ombrel::platform::posix {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
const std::int64_t kVariantEpochDays = DaysFromCivil(1899, 12, 30);

// The local time, in seconds since 1970 as if it were UTC, at which a transition happens in the
// given year: an absolute date when its year is set, else the n-th (5: last) weekday of a month.
std::int64_t TransitionSeconds(const SystemTime& rule, unsigned year) {
    std::int64_t day = 0;
    if (rule.year != 0) {
        day = DaysFromCivil(rule.year, rule.month, rule.day);
    } else {
        const std::int64_t first = DaysFromCivil(year, rule.month, 1);
        const std::int64_t firstWeekday = ((first + 4) % 7 + 7) % 7;
        day = first + (rule.dayOfWeek - firstWeekday + 7) % 7 + 7 * (rule.day - 1);
        const unsigned nextMonth = rule.month == 12 ? 1 : rule.month + 1;
        const std::int64_t end = DaysFromCivil(rule.month == 12 ? year + 1 : year, nextMonth, 1);
        while (day >= end) day -= 7;  // week 5 means the last one
    }
    return day * kSecondsPerDay + rule.hour * 3600 + rule.minute * 60 + rule.second;
}

bool InDaylightTime(const TimeZoneRules& zone, const SystemTime& local) {
    if (zone.daylightDate.month == 0 || zone.standardDate.month == 0) return false;
    const std::int64_t at = UnixSecondsOf(local);
    const std::int64_t starts = TransitionSeconds(zone.daylightDate, local.year);
    // The change back is given in daylight time; compared in standard time it comes earlier.
    const std::int64_t ends = TransitionSeconds(zone.standardDate, local.year) +
                              (zone.daylightBias - zone.standardBias) * 60;
    return starts < ends ? (at >= starts && at < ends) : !(at >= ends && at < starts);
}

bool HasDaylightSaving(const TimeZoneRules& zone) {
    return zone.daylightDate.month != 0 && zone.standardDate.month != 0;
}

}  // namespace

SystemTime PosixClock::CurrentUtcTime() const {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return TimeFromUnixSeconds(milliseconds / 1000,
                               static_cast<std::uint16_t>(milliseconds % 1000));
}

TimeZoneRules PosixClock::CurrentTimeZone() const {
    std::lock_guard lock(mutex_);
    return zone_;
}

void PosixClock::SetTimeZone(const TimeZoneRules& zone) {
    std::lock_guard lock(mutex_);
    zone_ = zone;
}

bool PosixClock::LocalToUtc(const TimeZoneRules& zone, const SystemTime& local,
                            SystemTime& utc) const {
    if (!IsValidTime(local)) return false;
    std::int32_t bias = zone.bias;
    if (HasDaylightSaving(zone))
        bias += InDaylightTime(zone, local) ? zone.daylightBias : zone.standardBias;
    utc = TimeFromUnixSeconds(UnixSecondsOf(local) + std::int64_t{bias} * 60, local.milliseconds);
    return true;
}

bool PosixClock::ToVariantTime(const SystemTime& time, double& date) const {
    if (time.year < 100 || time.year > 9999 || time.month < 1 || time.month > 12 || time.day < 1 ||
        time.day > 31 || time.hour > 23 || time.minute > 59 || time.second > 59) {
        return false;
    }
    const std::int64_t days = DaysFromCivil(time.year, time.month, time.day) - kVariantEpochDays;
    const double fraction =
        (time.hour * 3600 + time.minute * 60 + time.second) / static_cast<double>(kSecondsPerDay);
    // Before the epoch the whole days count down while the time of day still counts up.
    date = days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
    return true;
}

}  // namespace ombrel::platform::posix
