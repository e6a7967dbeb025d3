#include "platform/win32/Win32ThreadLocale.h"

#include <windows.h>

namespace ombrel::platform::win32 {

std::uint32_t Win32ThreadLocale::Get() const {
    return GetThreadLocale();
}

bool Win32ThreadLocale::Set(std::uint32_t locale) {
    return SetThreadLocale(locale) != FALSE;
}

}  // namespace ombrel::platform::win32
