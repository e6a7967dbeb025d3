#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <string>

#include "platform/win32/Win32Strings.h"

namespace ombrel::platform::win32 {
namespace {

HKEY Handle(Registry::Key key) {
    return reinterpret_cast<HKEY>(key);
}

std::wstring Terminated(std::u16string_view text) {
    return {text.begin(), text.end()};
}

}  // namespace

std::int32_t Win32Registry::OpenKey(Key parent, std::u16string_view subKey, std::uint32_t access,
                                    Key& key) {
    HKEY opened = nullptr;
    const LONG status =
        RegOpenKeyExW(Handle(parent), Terminated(subKey).c_str(), 0, access, &opened);
    if (status == ERROR_SUCCESS) key = reinterpret_cast<Key>(opened);
    return status;
}

std::int32_t Win32Registry::CreateKey(Key parent, std::u16string_view subKey, std::uint32_t access,
                                      Key& key) {
    HKEY created = nullptr;
    const LONG status =
        RegCreateKeyExW(Handle(parent), Terminated(subKey).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, access, nullptr, &created, nullptr);
    if (status == ERROR_SUCCESS) key = reinterpret_cast<Key>(created);
    return status;
}

std::int32_t Win32Registry::CloseKey(Key key) {
    return RegCloseKey(Handle(key));
}

std::int32_t Win32Registry::QueryValue(Key key, const char16_t* name, std::uint32_t* type,
                                       void* data, std::uint32_t* size) {
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
    return RegQueryValueExW(Handle(key), ombrel::win32::Wide(name), nullptr,
                            reinterpret_cast<DWORD*>(type), static_cast<BYTE*>(data),
                            reinterpret_cast<DWORD*>(size));
}

std::int32_t Win32Registry::SetValue(Key key, const char16_t* name, std::uint32_t type,
                                     const void* data, std::uint32_t size) {
    return RegSetValueExW(Handle(key), ombrel::win32::Wide(name), 0, type,
                          static_cast<const BYTE*>(data), size);
}

std::int32_t Win32Registry::EnumKey(Key key, std::uint32_t index, char16_t* name,
                                    std::uint32_t* nameLength) {
    return RegEnumKeyExW(Handle(key), index, reinterpret_cast<LPWSTR>(name),
                         reinterpret_cast<DWORD*>(nameLength), nullptr, nullptr, nullptr, nullptr);
}

std::int32_t Win32Registry::DeleteKey(Key parent, std::u16string_view subKey) {
    return RegDeleteKeyW(Handle(parent), Terminated(subKey).c_str());
}

std::int32_t Win32Registry::DeleteValue(Key key, const char16_t* name) {
    return RegDeleteValueW(Handle(key), ombrel::win32::Wide(name));
}

}  // namespace ombrel::platform::win32
