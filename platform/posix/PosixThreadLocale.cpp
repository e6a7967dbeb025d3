#include "platform/posix/PosixThreadLocale.h"

namespace ombrel::platform::posix {

std::uint32_t PosixThreadLocale::Get() const {
    std::lock_guard lock(mutex_);
    auto found = threads_.find(std::this_thread::get_id());
    return found != threads_.end() ? found->second : default_;
}

bool PosixThreadLocale::Set(std::uint32_t locale) {
    std::lock_guard lock(mutex_);
    if (locale == 0) return false;
    const bool isDefault = locale == locale::kSystemDefault || locale == locale::kUserDefault;
    threads_[std::this_thread::get_id()] = isDefault ? default_ : locale;
    return true;
}

void PosixThreadLocale::SetDefaultLocale(std::uint32_t locale) {
    std::lock_guard lock(mutex_);
    default_ = locale;
}

}  // namespace ombrel::platform::posix
