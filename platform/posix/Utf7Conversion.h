#pragma once

#include <string>
#include <string_view>

namespace ombrel::platform::posix {

// UTF-7 (code page 65000) as MultiByteToWideChar and WideCharToMultiByte convert it with flags 0.
// Reading: "+" opens a run of modified base64 that the first byte outside the alphabet closes (a
// closing "-" is dropped, "+-" is "+"); bits that make no whole unit are dropped; every other
// byte, 8-bit ones included, stands for the unit of its own value. Writing: the letters, digits,
// NUL, TAB, LF, CR, SPACE and ' ( ) , - . / : ? stand for themselves, "+" becomes "+-", and every
// run of other units is written in base64 and always closed with "-".
void Utf7ToWide(std::string_view bytes, std::u16string& out);  // appends to `out`
inline std::u16string Utf7ToWide(std::string_view bytes) {
    std::u16string out;
    Utf7ToWide(bytes, out);
    return out;
}
std::string WideToUtf7(std::u16string_view text);

}  // namespace ombrel::platform::posix
