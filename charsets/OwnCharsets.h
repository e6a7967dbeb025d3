#pragma once

#include <string>
#include <string_view>

namespace ombrel {

// The charsets that the library converts itself, the same on every system: Windows lacks
// ISO-2022-JP where the Japanese language pack is missing, and reads UTF-16 only as a code page of
// managed code.
enum class OwnCharset { None, Iso2022Jp, Utf16, Utf16LittleEndian, Utf16BigEndian };

// The charset that a name (one of its aliases, whole and without regard to case) stands for.
OwnCharset FindOwnCharset(std::string_view name);
OwnCharset FindOwnCharset(std::u16string_view name);

// Appends the text of bytes in one of these charsets.
void AppendOwnCharsetText(OwnCharset charset, std::string_view bytes, std::u16string& text);

// Whether bytes are well-formed UTF-8: no overlong form, surrogate or unit above U+10FFFF.
bool IsUtf8(std::string_view bytes);

}  // namespace ombrel
