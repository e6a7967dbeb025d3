#include "common/CalendarMath.h"

#include <gtest/gtest.h>

#include <array>

namespace ombrel {
namespace {

constexpr std::uint64_t kUnitsPerSecond = 10000000;
constexpr std::uint64_t kSecondsFrom1601To1970 = 11644473600;

TEST(CalendarMath, FileTimesSplitIntoDateTimeAndWeekday) {
    const auto time =
        SplitFileTime((1000000000 + kSecondsFrom1601To1970) * kUnitsPerSecond + 1234567);
    ASSERT_TRUE(time);
    EXPECT_EQ(time->year, 2001);
    EXPECT_EQ(time->month, 9);
    EXPECT_EQ(time->day, 9);
    EXPECT_EQ(time->dayOfWeek, 0);  // a Sunday
    EXPECT_EQ(time->hour, 1);
    EXPECT_EQ(time->minute, 46);
    EXPECT_EQ(time->second, 40);
    EXPECT_EQ(time->milliseconds, 123);

    const auto start = SplitFileTime(0);
    ASSERT_TRUE(start);
    EXPECT_EQ((std::array{start->year, start->month, start->day, start->dayOfWeek}),
              (std::array<std::uint16_t, 4>{1601, 1, 1, 1}));  // a Monday
    EXPECT_FALSE(SplitFileTime(0x8000000000000000ULL));
}

TEST(CalendarMath, TheWholeSigned32BitRangeOfStoredTimesConverts) {
    const auto earliest = TimeFromUnixSeconds(-2147483648LL);
    EXPECT_EQ((std::array{earliest.year, earliest.month, earliest.day, earliest.hour}),
              (std::array<std::uint16_t, 4>{1901, 12, 13, 20}));
    const auto latest = TimeFromUnixSeconds(2147483647LL);
    EXPECT_EQ((std::array{latest.year, latest.month, latest.day, latest.second}),
              (std::array<std::uint16_t, 4>{2038, 1, 19, 7}));
}

TEST(CalendarMath, SecondsAndDatesRoundTrip) {
    for (std::int64_t seconds : {-86401LL, -1LL, 0LL, 951782400LL /* 2000-02-29 */, 4102444800LL}) {
        EXPECT_EQ(UnixSecondsOf(TimeFromUnixSeconds(seconds)), seconds) << seconds;
    }
    EXPECT_EQ(DaysFromCivil(2000, 3, 1) - DaysFromCivil(2000, 2, 28), 2);  // a leap year
    EXPECT_EQ(DaysFromCivil(1900, 3, 1) - DaysFromCivil(1900, 2, 28), 1);  // not one
}

TEST(CalendarMath, ValidTimesHaveRealDates) {
    SystemTime time = TimeFromUnixSeconds(0);
    EXPECT_TRUE(IsValidTime(time));
    time.month = 2;
    time.day = 29;
    time.year = 2001;
    EXPECT_FALSE(IsValidTime(time));
    time.year = 2004;
    EXPECT_TRUE(IsValidTime(time));
    time.hour = 24;
    EXPECT_FALSE(IsValidTime(time));
}

}  // namespace
}  // namespace ombrel
