#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// UTF-16 text of the core as the wide characters of the Windows API (16-bit on Windows).
namespace ombrel::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* Wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
inline const char16_t* Utf16(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}
inline std::u16string_view Utf16(const wchar_t* text, std::size_t length) {
    return {Utf16(text), length};
}

// A COM string of the text; raises CAtlException with E_OUTOFMEMORY when none can be had.
BSTR AllocComString(std::u16string_view text);

// Owns a COM string.
class ComString {
  public:
    explicit ComString(std::u16string_view text) : text_(AllocComString(text)) {}
    ~ComString() { SysFreeString(text_); }
    ComString(const ComString&) = delete;
    ComString& operator=(const ComString&) = delete;
    BSTR Get() const { return text_; }

  private:
    BSTR text_;
};

}  // namespace ombrel::win32
