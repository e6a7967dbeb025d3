#include "platform/win32/Win32SystemVersion.h"

#include <windows.h>

namespace ombrel::platform::win32 {

bool Win32SystemVersion::IsAtLeast(std::uint32_t major, std::uint32_t minor,
                                   std::uint16_t servicePackMajor) const {
    OSVERSIONINFOEXW wanted = {};
    static_assert(sizeof wanted == 284, "the extended version record of Windows");
    wanted.dwOSVersionInfoSize = sizeof wanted;
    wanted.dwMajorVersion = major;
    wanted.dwMinorVersion = minor;
    wanted.wServicePackMajor = servicePackMajor;

    constexpr DWORD kTypeMask = VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR;
    static_assert(kTypeMask == 0x23);
    DWORDLONG conditions = 0;
    conditions = VerSetConditionMask(conditions, VER_MAJORVERSION, VER_GREATER_EQUAL);
    conditions = VerSetConditionMask(conditions, VER_MINORVERSION, VER_GREATER_EQUAL);
    conditions = VerSetConditionMask(conditions, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&wanted, kTypeMask, conditions) != FALSE;
}

}  // namespace ombrel::platform::win32
