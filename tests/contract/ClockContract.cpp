#include "tests/contract/ClockContract.h"

#include "common/CalendarMath.h"

namespace ombrel::contract {
namespace {

using platform::TimeZoneRules;

SystemTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
              int milliseconds = 0) {
    SystemTime time;
    time.year = static_cast<std::uint16_t>(year);
    time.month = static_cast<std::uint16_t>(month);
    time.day = static_cast<std::uint16_t>(day);
    time.hour = static_cast<std::uint16_t>(hour);
    time.minute = static_cast<std::uint16_t>(minute);
    time.second = static_cast<std::uint16_t>(second);
    time.milliseconds = static_cast<std::uint16_t>(milliseconds);
    return time;
}

// A zone five hours behind UTC that keeps daylight saving from the second Sunday of March at
// 2:00 to the first Sunday of November at 2:00.
TimeZoneRules EasternRules() {
    TimeZoneRules zone;
    zone.bias = 300;
    zone.daylightBias = -60;
    zone.daylightDate = At(0, 3, 2, 2);
    zone.standardDate = At(0, 11, 1, 2);
    return zone;
}

// The same, south of the equator: daylight saving from October to April.
TimeZoneRules SouthernRules() {
    TimeZoneRules zone;
    zone.bias = -600;
    zone.daylightBias = -60;
    zone.daylightDate = At(0, 10, 1, 2);
    zone.standardDate = At(0, 4, 1, 3);
    return zone;
}

SystemTime Utc(const platform::Clock& clock, const TimeZoneRules& zone, const SystemTime& local) {
    SystemTime utc;
    EXPECT_TRUE(clock.LocalToUtc(zone, local, utc));
    utc.dayOfWeek = 0;
    return utc;
}

TEST_P(ClockContract, TheCurrentTimeIsAValidRecentUtcTime) {
    const SystemTime now = port->CurrentUtcTime();
    EXPECT_TRUE(IsValidTime(now));
    EXPECT_GE(now.year, 2024);
    EXPECT_EQ(now.dayOfWeek, TimeFromUnixSeconds(UnixSecondsOf(now)).dayOfWeek);
}

TEST_P(ClockContract, AZoneWithoutDaylightSavingOnlyAddsItsBias) {
    TimeZoneRules plusOne;
    plusOne.bias = -60;
    EXPECT_EQ(Utc(*port, plusOne, At(2001, 9, 9, 1, 46, 40)), At(2001, 9, 9, 0, 46, 40));
    EXPECT_EQ(Utc(*port, plusOne, At(2001, 1, 1, 0, 30, 0, 250)), At(2000, 12, 31, 23, 30, 0, 250));
    EXPECT_EQ(Utc(*port, TimeZoneRules(), At(2005, 11, 15, 10)), At(2005, 11, 15, 10));
}

TEST_P(ClockContract, DaylightSavingFollowsTheRulesOfTheYear) {
    const TimeZoneRules eastern = EasternRules();
    EXPECT_EQ(Utc(*port, eastern, At(2009, 1, 15, 12)), At(2009, 1, 15, 17));
    EXPECT_EQ(Utc(*port, eastern, At(2009, 7, 4, 12)), At(2009, 7, 4, 16));
    EXPECT_EQ(Utc(*port, eastern, At(2009, 3, 8, 1, 59)), At(2009, 3, 8, 6, 59));  // before
    EXPECT_EQ(Utc(*port, eastern, At(2009, 3, 8, 3, 0)), At(2009, 3, 8, 7, 0));    // after
    EXPECT_EQ(Utc(*port, eastern, At(2009, 11, 1, 0, 30)), At(2009, 11, 1, 4, 30));
    EXPECT_EQ(Utc(*port, eastern, At(2009, 11, 2, 12)), At(2009, 11, 2, 17));

    const TimeZoneRules southern = SouthernRules();
    EXPECT_EQ(Utc(*port, southern, At(2010, 1, 10, 12)), At(2010, 1, 10, 1));
    EXPECT_EQ(Utc(*port, southern, At(2010, 6, 10, 12)), At(2010, 6, 10, 2));
}

TEST_P(ClockContract, VariantTimesCountDaysFromTheEndOf1899ToTheSecond) {
    double date = -1;
    ASSERT_TRUE(port->ToVariantTime(At(1899, 12, 30), date));
    EXPECT_DOUBLE_EQ(date, 0.0);
    ASSERT_TRUE(port->ToVariantTime(At(1900, 1, 1), date));
    EXPECT_DOUBLE_EQ(date, 2.0);
    ASSERT_TRUE(port->ToVariantTime(At(1900, 1, 2, 6), date));
    EXPECT_DOUBLE_EQ(date, 3.25);
    ASSERT_TRUE(port->ToVariantTime(At(2001, 9, 9, 1, 46, 40, 999), date));
    EXPECT_NEAR(date, 37143.0 + (1 * 3600 + 46 * 60 + 40) / 86400.0, 1e-9);
    ASSERT_TRUE(port->ToVariantTime(At(1899, 12, 29, 6), date));
    EXPECT_DOUBLE_EQ(date, -1.25);
}

TEST_P(ClockContract, TimesThatAreNoDateDoNotConvertToVariantTime) {
    double date = 0;
    EXPECT_FALSE(port->ToVariantTime(At(2005, 13, 1), date));
    EXPECT_FALSE(port->ToVariantTime(At(2005, 1, 32), date));
}

}  // namespace
}  // namespace ombrel::contract
