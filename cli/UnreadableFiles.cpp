#include "cli/UnreadableFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/Utf8Conversion.h"

namespace ombrel::cli {

std::string WhyUnreadable(const std::string& file) {
    struct stat status = {};
    if (stat(file.c_str(), &status) != 0) return errno == ENOENT ? "missing" : std::strerror(errno);
    if (S_ISDIR(status.st_mode)) return "a directory, not a file";
    if (!S_ISREG(status.st_mode)) return "not a regular file";
    const int descriptor = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0) return std::strerror(errno);
    close(descriptor);
    return status.st_size == 0 ? "empty" : "";
}

std::string PrintablePath(const std::string& path) {
    return platform::posix::WideToUtf8(platform::posix::Utf8ToWide(path));
}

bool IsUtf8(const std::string& name) {
    return PrintablePath(name) == name;
}

}  // namespace ombrel::cli
