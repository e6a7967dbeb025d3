#include "platform/win32/Win32ModuleFile.h"

#include <algorithm>

#include "platform/win32/Win32Strings.h"

namespace ombrel::platform::win32 {

WideString Win32ModuleFile::Path() const {
    constexpr DWORD kMaxLength = 1023;
    wchar_t path[kMaxLength + 1] = {};
    // A cut name fills the whole buffer and may lack its terminator.
    const DWORD length = std::min(GetModuleFileNameW(module_, path, kMaxLength + 1), kMaxLength);
    return WideString(ombrel::win32::Utf16(path, length));
}

std::optional<std::string> Win32ModuleFile::RegistryScript(std::uint32_t id) const {
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), L"REGISTRY");
    if (found == nullptr) return std::nullopt;
    HGLOBAL loaded = LoadResource(module_, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return std::nullopt;
    return std::string(static_cast<const char*>(bytes), SizeofResource(module_, found));
}

}  // namespace ombrel::platform::win32
