#include "charsets/ConversionRules.h"

#include "common/TextCompare.h"
#include "platform/CodePages.h"
#include "platform/Ports.h"

namespace ombrel {

namespace codepage = platform::codepage;

std::uint32_t BodyCodePage(const WideString& charset) {
    if (EqualsIgnoringCase(charset.View(), u"utf-8")) return codepage::kUtf8;
    if (EqualsIgnoringCase(charset.View(), u"utf-7")) return codepage::kUtf7;
    return codepage::kAnsi;
}

std::uint32_t EncodedWordCodePage(std::string_view charsetText) {
    if (StartsWithIgnoringCase(charsetText, "utf-8")) return codepage::kUtf8;
    if (StartsWithIgnoringCase(charsetText, "utf-7")) return codepage::kUtf7;
    return codepage::kAnsi;
}

WideString ThreadAnsiText(std::string_view bytes) {
    return WideString(platform::CurrentPorts().codePages->ToWide(codepage::kThreadAnsi, bytes));
}

}  // namespace ombrel
