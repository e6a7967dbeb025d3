#pragma once

#include <string>
#include <string_view>

namespace ombrel {

// Appends the text of ISO-2022-JP bytes (RFC 1468) and of the forms that extend it, -1, -2 and
// -3, as mail uses them. Escape sequences switch between ASCII, JIS X 0201 (Roman and Katakana)
// and JIS X 0208, which the library reads from its own table, so that no code page of the system
// is needed; JIS X 0213 plane 1 is read in its JIS X 0208 part, and the ISO-8859-1 upper half of
// -2 by its single shift. A character of a set without a table here (JIS X 0212, GB 2312,
// KS C 5601, JIS X 0213 plane 2, the Greek half of -2), an 8-bit byte and an unknown escape
// sequence each give U+FFFD; control characters and blanks stand for themselves in every set.
void AppendIso2022JpText(std::string_view bytes, std::u16string& text);

}  // namespace ombrel
