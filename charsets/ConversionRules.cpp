#include "charsets/ConversionRules.h"

#include "charsets/CharsetCodePages.h"
#include "charsets/CharsetTables.h"
#include "common/TextCompare.h"
#include "platform/CodePages.h"
#include "platform/Ports.h"

namespace ombrel {
namespace {

namespace codepage = platform::codepage;

const platform::CodePages& CodePages() {
    return *platform::CurrentPorts().codePages;
}

// Unicode first, then the host's table, then the charset's code page where the system has it;
// else the bytes as `translate` leaves them, read in the ANSI code page.
template <typename Translation>
std::u16string Convert(std::uint32_t codePage, const CharsetTable* hostTable, Translation translate,
                       std::string& bytes) {
    const auto count = static_cast<std::ptrdiff_t>(bytes.size());
    if (codePage == codepage::kUtf8 || codePage == codepage::kUtf7)
        return CodePages().ToWide(codePage, bytes);
    if (hostTable != nullptr) {
        Translate(hostTable, bytes.data(), count);
    } else if (codePage != 0 && CodePages().IsAvailable(codePage)) {
        return CodePages().ToWide(codePage, bytes);
    } else {
        translate(bytes.data(), count);
    }
    return CodePages().ToWide(codepage::kAnsi, bytes);
}

}  // namespace

std::u16string CharsetText(const WideString& charset, std::string bytes) {
    if (charset.IsEmpty()) return CodePages().ToWide(codepage::kAnsi, bytes);
    const auto byName = [&](char* text, std::ptrdiff_t count) {
        translateByName(charset, text, count);
    };
    return Convert(CharsetCodePage(charset.View()), FindHostTable(charset.View()), byName, bytes);
}

std::u16string EncodedWordText(std::string_view charsetText, std::string bytes) {
    std::string_view name = charsetText.substr(0, charsetText.find('?'));
    name = name.substr(0, name.find('*'));
    std::uint32_t codePage = CharsetCodePage(name);
    if (StartsWithIgnoringCase(charsetText, "utf-8")) codePage = codepage::kUtf8;
    if (StartsWithIgnoringCase(charsetText, "utf-7")) codePage = codepage::kUtf7;
    const auto byPrefix = [&](char* text, std::ptrdiff_t count) {
        translateByPrefix(charsetText, text, count);
    };
    return Convert(codePage, FindHostTable(name), byPrefix, bytes);
}

WideString ThreadAnsiText(std::string_view bytes) {
    return WideString(platform::CurrentPorts().codePages->ToWide(codepage::kThreadAnsi, bytes));
}

}  // namespace ombrel
