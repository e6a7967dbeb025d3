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

// The bytes translated by the table (none: as they are) and read in the ANSI code page.
std::u16string AnsiText(const CharsetTable* table, std::string& bytes) {
    Translate(table, bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()));
    return CodePages().ToWide(codepage::kAnsi, bytes);
}

// Unicode first, then the host's table, then the charset's code page where the system has it,
// then the table that `fallbackTable` finds.
template <typename FallbackTable>
std::u16string Convert(std::uint32_t codePage, const CharsetTable* hostTable,
                       FallbackTable fallbackTable, std::string& bytes) {
    if (codePage == codepage::kUtf8 || codePage == codepage::kUtf7)
        return CodePages().ToWide(codePage, bytes);
    if (hostTable != nullptr) return AnsiText(hostTable, bytes);
    if (codePage != 0 && CodePages().IsAvailable(codePage))
        return CodePages().ToWide(codePage, bytes);
    return AnsiText(fallbackTable(), bytes);
}

}  // namespace

std::u16string CharsetText(const WideString& charset, std::string bytes) {
    if (charset.IsEmpty()) return CodePages().ToWide(codepage::kAnsi, bytes);
    return Convert(
        CharsetCodePage(charset.View()), FindHostTable(charset.View()),
        [&] { return FindTableByName(charset); }, bytes);
}

std::u16string EncodedWordText(std::string_view charsetText, std::string bytes) {
    std::string_view name = charsetText.substr(0, charsetText.find('?'));
    name = name.substr(0, name.find('*'));
    std::uint32_t codePage = CharsetCodePage(name);
    if (StartsWithIgnoringCase(charsetText, "utf-8")) codePage = codepage::kUtf8;
    if (StartsWithIgnoringCase(charsetText, "utf-7")) codePage = codepage::kUtf7;
    return Convert(
        codePage, FindHostTable(name), [&] { return FindTableByPrefix(charsetText); }, bytes);
}

WideString ThreadAnsiText(std::string_view bytes) {
    return WideString(platform::CurrentPorts().codePages->ToWide(codepage::kThreadAnsi, bytes));
}

}  // namespace ombrel
