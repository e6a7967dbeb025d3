#pragma once

#include <cstdint>
#include <optional>

#include "common/SystemTime.h"

namespace ombrel {

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar (negative before).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day);

// The time `seconds` after 1970-01-01 00:00, with its day of the week (0 = Sunday).
SystemTime TimeFromUnixSeconds(std::int64_t seconds, std::uint16_t milliseconds = 0);

// Seconds since 1970-01-01 00:00 of a time (its milliseconds and day of week are not used).
std::int64_t UnixSecondsOf(const SystemTime& time);

// A FILETIME (100-nanosecond units since 1601-01-01) split into a calendar time, as
// FileTimeToSystemTime does; nothing for a value beyond what a FILETIME may hold.
std::optional<SystemTime> SplitFileTime(std::uint64_t fileTime);

// Whether the fields make a date and time of day (year 1601 to 30827).
bool IsValidTime(const SystemTime& time);

}  // namespace ombrel
