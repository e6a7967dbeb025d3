#pragma once

#include <cstdint>

namespace ombrel {

// A calendar time as a Windows SYSTEMTIME record: eight unsigned 16-bit fields in this order. All
// zeros means no time.
struct SystemTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;

    bool IsNone() const { return *this == SystemTime(); }
    friend bool operator==(const SystemTime&, const SystemTime&) = default;
};
static_assert(sizeof(SystemTime) == 16);

// Orders two times by year, month, day, hour, minute, second and milliseconds, ignoring the day
// of the week: negative when `first` is the later one, positive when it is the earlier one, 0
// when they are equal.
int CompareTimes(const SystemTime& first, const SystemTime& second);

}  // namespace ombrel
