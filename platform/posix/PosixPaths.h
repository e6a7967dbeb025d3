#pragma once

#include <string>
#include <string_view>

namespace ombrel::platform::posix {

// The local file-system path of a path as the core writes it: UTF-8, with every backslash taken
// as a directory separator. A core path such as /srv/mail\Main\Inbox\ thus names /srv/mail/Main/
// Inbox/.
std::string LocalPath(std::u16string_view path);

}  // namespace ombrel::platform::posix
