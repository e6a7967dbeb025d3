#include "platform/win32/Win32CodePages.h"

#include <windows.h>

namespace ombrel::platform::win32 {

bool Win32CodePages::IsAvailable(std::uint32_t codePage) const {
    return IsValidCodePage(codePage) != FALSE;
}

void Win32CodePages::AppendWide(std::uint32_t codePage, std::string_view bytes,
                                std::u16string& text) const {
    if (bytes.empty()) return;
    const int inLength = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), inLength, nullptr, 0);
    if (length <= 0) return;
    const std::size_t start = text.size();
    text.resize(start + static_cast<std::size_t>(length));
    MultiByteToWideChar(codePage, 0, bytes.data(), inLength,
                        reinterpret_cast<LPWSTR>(text.data() + start), length);
}

std::string Win32CodePages::ToMultiByte(std::uint32_t codePage, std::u16string_view text) const {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<LPCWSTR>(text.data());
    const int inLength = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, 0, wide, inLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide, inLength, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

}  // namespace ombrel::platform::win32
