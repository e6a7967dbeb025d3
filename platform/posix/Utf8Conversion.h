#pragma once

#include <string>
#include <string_view>

namespace ombrel::platform::posix {

// UTF-8 (code page 65001) as MultiByteToWideChar and WideCharToMultiByte convert it with flags 0:
// each invalid sequence gives U+FFFD, a sequence cut by the end of the input swallows the rest
// of the input into one U+FFFD, and an unpaired surrogate is written as U+FFFD.
void Utf8ToWide(std::string_view bytes, std::u16string& out);  // appends to `out`
inline std::u16string Utf8ToWide(std::string_view bytes) {
    std::u16string out;
    Utf8ToWide(bytes, out);
    return out;
}
std::string WideToUtf8(std::u16string_view text);

}  // namespace ombrel::platform::posix
