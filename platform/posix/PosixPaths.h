#pragma once

#include <string>
#include <string_view>

namespace ombrel::platform::posix {

// The POSIX path of a path as the core builds it: UTF-8, with every backslash a slash. The core
// joins directories and file names with backslashes, as on Windows.
std::string PosixPath(std::u16string_view path);

}  // namespace ombrel::platform::posix
