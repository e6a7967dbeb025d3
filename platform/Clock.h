#pragma once

#include <cstdint>

#include "common/SystemTime.h"

namespace ombrel::platform {

// A time zone as TIME_ZONE_INFORMATION gives it, without the names: UTC = local time + bias
// (minutes), plus the standard or daylight bias in force. A transition date with month 0 means the
// zone has no daylight saving; otherwise the day field is the week of the month (1 to 4, 5 for
// the last) of the given day of the week, at the given hour and minute of local time.
struct TimeZoneRules {
    std::int32_t bias = 0;
    std::int32_t standardBias = 0;
    std::int32_t daylightBias = 0;
    SystemTime standardDate;
    SystemTime daylightDate;
};

// The system's clock and time conversions.
class Clock {
  public:
    virtual ~Clock() = default;
    // GetSystemTime: the current time in UTC.
    virtual SystemTime CurrentUtcTime() const = 0;
    // GetTimeZoneInformation: the current zone.
    virtual TimeZoneRules CurrentTimeZone() const = 0;
    // TzSpecificLocalTimeToSystemTime: a local time of the zone as UTC; false when it does not
    // convert.
    virtual bool LocalToUtc(const TimeZoneRules& zone, const SystemTime& local,
                            SystemTime& utc) const = 0;
    // SystemTimeToVariantTime: days since 1899-12-30, resolved to the second (milliseconds are
    // ignored); false for a time that is not a valid date.
    virtual bool ToVariantTime(const SystemTime& time, double& date) const = 0;
};

}  // namespace ombrel::platform
