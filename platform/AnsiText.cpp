#include "platform/AnsiText.h"

#include "platform/CodePages.h"
#include "platform/Ports.h"

namespace ombrel {

WideString FromAnsi(std::string_view bytes) {
    const platform::CodePages* pages = platform::CurrentPorts().codePages;
    if (bytes.empty()) return {};
    return WideString(pages->ToWide(platform::codepage::kAnsi, bytes));
}

std::string ToAnsi(std::u16string_view text) {
    const platform::CodePages* pages = platform::CurrentPorts().codePages;
    if (text.empty()) return {};
    return pages->ToMultiByte(platform::codepage::kAnsi, text);
}

}  // namespace ombrel
