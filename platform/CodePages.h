#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ombrel::platform {

namespace codepage {
inline constexpr std::uint32_t kAnsi = 0;        // CP_ACP: the system's ANSI code page
inline constexpr std::uint32_t kThreadAnsi = 3;  // CP_THREAD_ACP: the calling thread's one
inline constexpr std::uint32_t kUtf7 = 65000;
inline constexpr std::uint32_t kUtf8 = 65001;
}  // namespace codepage

// Conversion between 8-bit code pages and UTF-16, with the results of MultiByteToWideChar and
// WideCharToMultiByte called with flags 0 (default characters for what does not map). A code page
// that the system lacks converts nothing.
class CodePages {
  public:
    virtual ~CodePages() = default;
    // Whether the system has the code page (IsValidCodePage); CP_ACP and CP_THREAD_ACP are none.
    virtual bool IsAvailable(std::uint32_t codePage) const = 0;
    // Appends the text of `bytes` to `text`, whose capacity is reused.
    virtual void AppendWide(std::uint32_t codePage, std::string_view bytes,
                            std::u16string& text) const = 0;
    std::u16string ToWide(std::uint32_t codePage, std::string_view bytes) const {
        std::u16string text;
        AppendWide(codePage, bytes, text);
        return text;
    }
    virtual std::string ToMultiByte(std::uint32_t codePage, std::u16string_view text) const = 0;
};

}  // namespace ombrel::platform
