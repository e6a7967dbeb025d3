#include "common/CalendarMath.h"

namespace ombrel {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
    return value / divisor - ((value % divisor != 0 && (value < 0) != (divisor < 0)) ? 1 : 0);
}

bool IsLeapYear(unsigned year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned DaysInMonth(unsigned year, unsigned month) {
    constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

// The civil-calendar day count of Howard Hinnant's well-known algorithm.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = FloorDivide(year, 400);
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

SystemTime TimeFromUnixSeconds(std::int64_t seconds, std::uint16_t milliseconds) {
    const std::int64_t days = FloorDivide(seconds, kSecondsPerDay);
    const std::int64_t ofDay = seconds - days * kSecondsPerDay;
    const std::int64_t shifted = days + 719468;
    const std::int64_t era = FloorDivide(shifted, 146097);
    const auto dayOfEra = static_cast<unsigned>(shifted - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const unsigned month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const std::int64_t year =
        static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);

    SystemTime time;
    time.year = static_cast<std::uint16_t>(year);
    time.month = static_cast<std::uint16_t>(month);
    time.day = static_cast<std::uint16_t>(day);
    const std::int64_t weekday = days + 4;  // 1970-01-01 was a Thursday
    time.dayOfWeek = static_cast<std::uint16_t>(weekday - FloorDivide(weekday, 7) * 7);
    time.hour = static_cast<std::uint16_t>(ofDay / 3600);
    time.minute = static_cast<std::uint16_t>(ofDay / 60 % 60);
    time.second = static_cast<std::uint16_t>(ofDay % 60);
    time.milliseconds = milliseconds;
    return time;
}

std::int64_t UnixSecondsOf(const SystemTime& time) {
    return DaysFromCivil(time.year, time.month, time.day) * kSecondsPerDay + time.hour * 3600 +
           time.minute * 60 + time.second;
}

std::optional<SystemTime> SplitFileTime(std::uint64_t fileTime) {
    if (fileTime > 0x7FFFFFFFFFFFFFFFULL) return std::nullopt;
    const auto units = static_cast<std::int64_t>(fileTime);
    const std::int64_t seconds = units / 10000000 - kSecondsFrom1601To1970;
    const auto milliseconds = static_cast<std::uint16_t>(units % 10000000 / 10000);
    return TimeFromUnixSeconds(seconds, milliseconds);
}

bool IsValidTime(const SystemTime& time) {
    return time.year >= 1601 && time.year <= 30827 && time.month >= 1 && time.month <= 12 &&
           time.day >= 1 && time.day <= DaysInMonth(time.year, time.month) && time.hour < 24 &&
           time.minute < 60 && time.second < 60 && time.milliseconds < 1000;
}

}  // namespace ombrel
