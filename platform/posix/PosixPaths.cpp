#include "platform/posix/PosixPaths.h"

#include "platform/CodePages.h"
#include "platform/posix/PosixCodePages.h"

namespace ombrel::platform::posix {

std::string PosixPath(std::u16string_view path) {
    static const PosixCodePages utf8;
    std::string bytes = utf8.ToMultiByte(codepage::kUtf8, path);
    for (char& c : bytes) {
        if (c == '\\') c = '/';
    }
    return bytes;
}

}  // namespace ombrel::platform::posix
