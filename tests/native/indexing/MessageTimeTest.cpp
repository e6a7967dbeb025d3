#include "indexing/MessageTime.h"

#include <gtest/gtest.h>

#include "tests/support/NativeTestPlatform.h"

namespace ombrel {
namespace {

using platform::TimeZoneRules;

SystemTime At(int year, int month, int day, int hour, int minute, int second, int weekday) {
    return {static_cast<std::uint16_t>(year),    static_cast<std::uint16_t>(month),
            static_cast<std::uint16_t>(weekday), static_cast<std::uint16_t>(day),
            static_cast<std::uint16_t>(hour),    static_cast<std::uint16_t>(minute),
            static_cast<std::uint16_t>(second),  0};
}

// Times compared without the day of the week, which the conversion may or may not fill in.
SystemTime Dated(SystemTime time) {
    time.dayOfWeek = 0;
    return time;
}

class MessageTimeTest : public testing::PluginTest {};

TEST_F(MessageTimeTest, InAZoneWithoutOffsetItIsThePlainUtcTime) {
    EXPECT_EQ(MessageTime(1000000000), At(2001, 9, 9, 1, 46, 40, 0));
    EXPECT_EQ(MessageTime(0), At(1970, 1, 1, 0, 0, 0, 4));
    EXPECT_EQ(MessageTime(-5), At(1969, 12, 31, 23, 59, 55, 3));
    EXPECT_EQ(MessageTime(INT32_MIN), At(1901, 12, 13, 20, 45, 52, 5));
    EXPECT_EQ(MessageTime(INT32_MAX), At(2038, 1, 19, 3, 14, 7, 2));
}

TEST_F(MessageTimeTest, TheZonesOffsetIsTakenTwice) {
    TimeZoneRules plusOne;
    plusOne.bias = -60;
    posix.clock.SetTimeZone(plusOne);
    EXPECT_EQ(Dated(MessageTime(1000000000)), Dated(At(2001, 9, 8, 23, 46, 40, 0)));
    TimeZoneRules minusFive;
    minusFive.bias = 300;
    posix.clock.SetTimeZone(minusFive);
    EXPECT_EQ(Dated(MessageTime(1000000000)), Dated(At(2001, 9, 9, 11, 46, 40, 0)));
}

TEST_F(MessageTimeTest, TheZoneIsReadForEveryMessage) {
    const SystemTime utc = MessageTime(1000000000);
    TimeZoneRules plusTwo;
    plusTwo.bias = -120;
    posix.clock.SetTimeZone(plusTwo);
    EXPECT_EQ(Dated(MessageTime(1000000000)), Dated(At(2001, 9, 8, 21, 46, 40, 0)));
    posix.clock.SetTimeZone(TimeZoneRules());
    EXPECT_EQ(MessageTime(1000000000), utc);
}

// A clock whose conversion fails after a given number of calls.
class FailingClock final : public platform::Clock {
  public:
    explicit FailingClock(int conversions) : conversions_(conversions) {}
    SystemTime CurrentUtcTime() const override { return real_.CurrentUtcTime(); }
    TimeZoneRules CurrentTimeZone() const override {
        TimeZoneRules plusOne;
        plusOne.bias = -60;
        return plusOne;
    }
    bool LocalToUtc(const TimeZoneRules& zone, const SystemTime& local,
                    SystemTime& utc) const override {
        if (conversions_-- <= 0) {
            utc = SystemTime{1, 1, 1, 1, 1, 1, 1, 1};  // what a failed call may leave
            return false;
        }
        return real_.LocalToUtc(zone, local, utc);
    }
    bool ToVariantTime(const SystemTime& time, double& date) const override {
        return real_.ToVariantTime(time, date);
    }

  private:
    platform::posix::PosixClock real_;
    mutable int conversions_;
};

TEST_F(MessageTimeTest, AFailedConversionKeepsTheTimeOfTheStepBefore) {
    platform::Ports ports = platform::CurrentPorts();
    const FailingClock failsAtOnce(0);
    ports.clock = &failsAtOnce;
    {
        const platform::ScopedPorts scoped(ports);
        EXPECT_EQ(MessageTime(1000000000), At(2001, 9, 9, 1, 46, 40, 0));
    }
    const FailingClock failsSecond(1);
    ports.clock = &failsSecond;
    const platform::ScopedPorts scoped(ports);
    EXPECT_EQ(Dated(MessageTime(1000000000)), Dated(At(2001, 9, 9, 0, 46, 40, 0)));
}

}  // namespace
}  // namespace ombrel
