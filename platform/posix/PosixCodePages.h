#pragma once

#include <atomic>

#include "platform/CodePages.h"

namespace ombrel::platform::posix {

// Code-page conversion done by the library itself, with the results Windows gives, for UTF-8,
// UTF-7 and the code pages of CodePageTables; any other code page is one the system lacks. The
// ANSI code page (for CP_ACP and CP_THREAD_ACP) is a setting, 1252 unless set otherwise.
class PosixCodePages final : public CodePages {
  public:
    bool IsAvailable(std::uint32_t codePage) const override;
    void AppendWide(std::uint32_t codePage, std::string_view bytes,
                    std::u16string& text) const override;
    std::string ToMultiByte(std::uint32_t codePage, std::u16string_view text) const override;

    void SetAnsiCodePage(std::uint32_t codePage) { ansiCodePage_ = codePage; }
    std::uint32_t AnsiCodePage() const { return ansiCodePage_; }

  private:
    std::uint32_t Resolve(std::uint32_t codePage) const;

    std::atomic<std::uint32_t> ansiCodePage_ = 1252;
};

}  // namespace ombrel::platform::posix
