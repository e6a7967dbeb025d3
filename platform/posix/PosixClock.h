#pragma once

#include <mutex>

#include "platform/Clock.h"

namespace ombrel::platform::posix {

// The clock of the native build: the real current time, and a time zone that tests and hosts
// set (UTC without daylight saving unless set). Local times convert as Windows converts them;
// within the hour that a daylight-saving change repeats or skips, the earlier reading is taken.
class PosixClock final : public Clock {
  public:
    SystemTime CurrentUtcTime() const override;
    TimeZoneRules CurrentTimeZone() const override;
    bool LocalToUtc(const TimeZoneRules& zone, const SystemTime& local,
                    SystemTime& utc) const override;
    bool ToVariantTime(const SystemTime& time, double& date) const override;

    void SetTimeZone(const TimeZoneRules& zone);

  private:
    mutable std::mutex mutex_;
    TimeZoneRules zone_;
};

}  // namespace ombrel::platform::posix
