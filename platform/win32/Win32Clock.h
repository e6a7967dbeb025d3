#pragma once

#include "platform/Clock.h"

namespace ombrel::platform::win32 {

// GetSystemTime, GetTimeZoneInformation, TzSpecificLocalTimeToSystemTime and
// SystemTimeToVariantTime.
class Win32Clock final : public Clock {
  public:
    SystemTime CurrentUtcTime() const override;
    TimeZoneRules CurrentTimeZone() const override;
    bool LocalToUtc(const TimeZoneRules& zone, const SystemTime& local,
                    SystemTime& utc) const override;
    bool ToVariantTime(const SystemTime& time, double& date) const override;
};

}  // namespace ombrel::platform::win32
