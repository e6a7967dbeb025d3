#pragma once

#include <cstdint>

namespace ombrel::platform {

namespace locale {
inline constexpr std::uint32_t kSystemDefault = 0x0800;  // LOCALE_SYSTEM_DEFAULT
inline constexpr std::uint32_t kUserDefault = 0x0400;    // LOCALE_USER_DEFAULT
}  // namespace locale

// The calling thread's locale.
class ThreadLocale {
  public:
    virtual ~ThreadLocale() = default;
    // GetThreadLocale.
    virtual std::uint32_t Get() const = 0;
    // SetThreadLocale: the default locales are set as the concrete locale they stand for.
    virtual bool Set(std::uint32_t locale) = 0;
};

}  // namespace ombrel::platform
