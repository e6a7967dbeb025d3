#pragma once

#include "platform/ThreadLocale.h"

namespace ombrel::platform::win32 {

// GetThreadLocale and SetThreadLocale.
class Win32ThreadLocale final : public ThreadLocale {
  public:
    std::uint32_t Get() const override;
    bool Set(std::uint32_t locale) override;
};

}  // namespace ombrel::platform::win32
