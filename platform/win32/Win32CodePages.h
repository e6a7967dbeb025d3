#pragma once

#include "platform/CodePages.h"

namespace ombrel::platform::win32 {

// IsValidCodePage, and MultiByteToWideChar and WideCharToMultiByte with flags 0.
class Win32CodePages final : public CodePages {
  public:
    bool IsAvailable(std::uint32_t codePage) const override;
    void AppendWide(std::uint32_t codePage, std::string_view bytes,
                    std::u16string& text) const override;
    std::string ToMultiByte(std::uint32_t codePage, std::u16string_view text) const override;
};

}  // namespace ombrel::platform::win32
