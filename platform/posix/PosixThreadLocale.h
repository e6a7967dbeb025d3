#pragma once

#include <map>
#include <mutex>
#include <thread>

#include "platform/ThreadLocale.h"

namespace ombrel::platform::posix {

// Each thread's locale, starting as the default locale (a setting, US English unless set), which
// the two default-locale ids stand for.
class PosixThreadLocale final : public ThreadLocale {
  public:
    std::uint32_t Get() const override;
    bool Set(std::uint32_t locale) override;
    void SetDefaultLocale(std::uint32_t locale);

  private:
    mutable std::mutex mutex_;
    std::uint32_t default_ = 0x0409;
    std::map<std::thread::id, std::uint32_t> threads_;
};

}  // namespace ombrel::platform::posix
