#include "platform/posix/PosixSystemVersion.h"

#include <tuple>

namespace ombrel::platform::posix {

bool PosixSystemVersion::IsAtLeast(std::uint32_t major, std::uint32_t minor,
                                   std::uint16_t servicePackMajor) const {
    return std::tie(major_, minor_, servicePackMajor_) >= std::tie(major, minor, servicePackMajor);
}

void PosixSystemVersion::SetVersion(std::uint32_t major, std::uint32_t minor,
                                    std::uint16_t servicePackMajor) {
    major_ = major;
    minor_ = minor;
    servicePackMajor_ = servicePackMajor;
}

}  // namespace ombrel::platform::posix
