#pragma once

#include <string>
#include <string_view>

namespace ombrel::testing {

// A JSON string literal of UTF-16 text, in UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Json(std::u16string_view text);

}  // namespace ombrel::testing
