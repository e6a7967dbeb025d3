#include "platform/win32/Win32StringTable.h"

#include "platform/win32/Win32Strings.h"

namespace ombrel::platform::win32 {

std::optional<std::u16string> Win32StringTable::Load(std::uint32_t id) const {
    // With a buffer size of 0, LoadStringW hands out a pointer to the resource's own text.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module_, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return std::nullopt;
    return std::u16string(ombrel::win32::Utf16(text, static_cast<std::size_t>(length)));
}

}  // namespace ombrel::platform::win32
