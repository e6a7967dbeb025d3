#pragma once

#include <string>
#include <string_view>

#include "common/WideString.h"

namespace ombrel {

// Conversions between 8-bit text in the system's ANSI code page and wide strings, through the
// code-page port; without a port the result is empty.
WideString FromAnsi(std::string_view bytes);
std::string ToAnsi(std::u16string_view text);

}  // namespace ombrel
