#pragma once

#include <cstdint>
#include <string_view>

namespace ombrel {

// The Windows code page that reads text in a charset as mail names it (the name or one of its
// aliases, whole and without regard to case), or 0 when no code page serves the charset.
std::uint32_t CharsetCodePage(std::string_view charset);
std::uint32_t CharsetCodePage(std::u16string_view charset);

}  // namespace ombrel
