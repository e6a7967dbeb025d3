#pragma once

#include <string_view>

namespace ombrel {

// True when the texts are equal with ASCII letters compared without regard to case (the names
// compared this way are the host's ASCII names).
bool EqualsIgnoringCase(std::u16string_view left, std::u16string_view right);

}  // namespace ombrel
