#include "platform/win32/Win32ProfileFiles.h"

#include <windows.h>

#include "platform/win32/Win32Strings.h"

namespace ombrel::platform::win32 {

using ombrel::win32::Wide;

std::uint32_t Win32ProfileFiles::GetString(const char16_t* section, const char16_t* key,
                                           const char16_t* defaultValue, char16_t* buffer,
                                           std::uint32_t size, const char16_t* file) const {
    return GetPrivateProfileStringW(Wide(section), Wide(key), Wide(defaultValue),
                                    reinterpret_cast<LPWSTR>(buffer), size, Wide(file));
}

std::uint32_t Win32ProfileFiles::GetInt(const char16_t* section, const char16_t* key,
                                        std::int32_t defaultValue, const char16_t* file) const {
    return GetPrivateProfileIntW(Wide(section), Wide(key), defaultValue, Wide(file));
}

bool Win32ProfileFiles::WriteString(const char16_t* section, const char16_t* key,
                                    const char16_t* value, const char16_t* file) {
    return WritePrivateProfileStringW(Wide(section), Wide(key), Wide(value), Wide(file)) != FALSE;
}

}  // namespace ombrel::platform::win32
