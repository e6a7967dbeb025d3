#include "platform/win32/Win32Clock.h"

#include <windows.h>

#include <oleauto.h>

#include <bit>

namespace ombrel::platform::win32 {
namespace {

static_assert(sizeof(SYSTEMTIME) == sizeof(SystemTime));

SYSTEMTIME ToWin32(const SystemTime& time) {
    return std::bit_cast<SYSTEMTIME>(time);
}

SystemTime FromWin32(const SYSTEMTIME& time) {
    return std::bit_cast<SystemTime>(time);
}

}  // namespace

SystemTime Win32Clock::CurrentUtcTime() const {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return FromWin32(now);
}

TimeZoneRules Win32Clock::CurrentTimeZone() const {
    TIME_ZONE_INFORMATION info = {};
    GetTimeZoneInformation(&info);
    TimeZoneRules zone;
    zone.bias = info.Bias;
    zone.standardBias = info.StandardBias;
    zone.daylightBias = info.DaylightBias;
    zone.standardDate = FromWin32(info.StandardDate);
    zone.daylightDate = FromWin32(info.DaylightDate);
    return zone;
}

bool Win32Clock::LocalToUtc(const TimeZoneRules& zone, const SystemTime& local,
                            SystemTime& utc) const {
    TIME_ZONE_INFORMATION info = {};
    info.Bias = zone.bias;
    info.StandardBias = zone.standardBias;
    info.DaylightBias = zone.daylightBias;
    info.StandardDate = ToWin32(zone.standardDate);
    info.DaylightDate = ToWin32(zone.daylightDate);
    const SYSTEMTIME in = ToWin32(local);
    SYSTEMTIME out = {};
    if (TzSpecificLocalTimeToSystemTime(&info, &in, &out) == FALSE) return false;
    utc = FromWin32(out);
    return true;
}

bool Win32Clock::ToVariantTime(const SystemTime& time, double& date) const {
    SYSTEMTIME in = ToWin32(time);
    return SystemTimeToVariantTime(&in, &date) != FALSE;
}

}  // namespace ombrel::platform::win32
