#include "platform/posix/PosixPaths.h"

#include <algorithm>

#include "platform/posix/PosixCodePages.h"

namespace ombrel::platform::posix {

std::string LocalPath(std::u16string_view path) {
    std::string local = PosixCodePages().ToMultiByte(codepage::kUtf8, path);
    std::replace(local.begin(), local.end(), '\\', '/');
    return local;
}

}  // namespace ombrel::platform::posix
