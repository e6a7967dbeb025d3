#pragma once

#include <string_view>

namespace ombrel {

// True when the texts are equal with ASCII letters compared without regard to case (the names
// compared this way are the host's ASCII names and the names of mail protocols: header fields,
// media types, charsets, encodings).
bool EqualsIgnoringCase(std::u16string_view left, std::u16string_view right);
bool EqualsIgnoringCase(std::string_view left, std::string_view right);

// True when the text begins with the prefix, compared as above.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace ombrel
