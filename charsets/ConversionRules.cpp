#include "charsets/ConversionRules.h"

#include <algorithm>

#include "charsets/CharsetCodePages.h"
#include "charsets/CharsetTables.h"
#include "charsets/OwnCharsets.h"
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
// else the bytes read in the ANSI code page, translated first by the table that `findTable`
// gives where there is one.
template <typename FindTable>
void Convert(std::uint32_t codePage, const CharsetTable* hostTable, FindTable findTable,
             std::string_view bytes, std::u16string& text) {
    const bool unicode = codePage == codepage::kUtf8 || codePage == codepage::kUtf7;
    if (unicode || (hostTable == nullptr && codePage != 0 && CodePages().IsAvailable(codePage))) {
        CodePages().AppendWide(codePage, bytes, text);
        return;
    }
    const CharsetTable* table = hostTable != nullptr ? hostTable : findTable();
    if (table == nullptr) {
        CodePages().AppendWide(codepage::kAnsi, bytes, text);
        return;
    }
    std::string translated(bytes);
    Translate(table, translated.data(), static_cast<std::ptrdiff_t>(translated.size()));
    CodePages().AppendWide(codepage::kAnsi, translated, text);
}

bool IsUtf16(OwnCharset charset) {
    return charset == OwnCharset::Utf16 || charset == OwnCharset::Utf16LittleEndian ||
           charset == OwnCharset::Utf16BigEndian;
}

}  // namespace

void CharsetText(const WideString& charset, std::string_view bytes, std::u16string& text) {
    if (charset.IsEmpty()) {
        CodePages().AppendWide(codepage::kAnsi, bytes, text);
        return;
    }
    if (const OwnCharset own = FindOwnCharset(charset.View()); own != OwnCharset::None) {
        AppendOwnCharsetText(own, bytes, text);
        return;
    }
    const auto byName = [&] { return FindTableByName(charset); };
    Convert(CharsetCodePage(charset.View()), FindHostTable(charset.View()), byName, bytes, text);
}

void EncodedWordText(std::string_view charsetText, std::string_view bytes, std::u16string& text) {
    std::string_view name = charsetText.substr(0, charsetText.find('?'));
    name = name.substr(0, name.find('*'));
    std::uint32_t codePage = CharsetCodePage(name);
    if (StartsWithIgnoringCase(charsetText, "utf-8")) codePage = codepage::kUtf8;
    if (StartsWithIgnoringCase(charsetText, "utf-7")) codePage = codepage::kUtf7;
    if (const OwnCharset own = FindOwnCharset(name); own != OwnCharset::None) {
        AppendOwnCharsetText(own, bytes, text);
        return;
    }
    const auto byPrefix = [&] { return FindTableByPrefix(charsetText); };
    Convert(codePage, FindHostTable(name), byPrefix, bytes, text);
}

void HeaderCharsetText(const WideString& charset, std::string_view bytes, std::u16string& text) {
    const bool utf16 = IsUtf16(FindOwnCharset(charset.View()));
    const bool unlabelled =
        charset.IsEmpty() || utf16 || EqualsIgnoringCase(charset.View(), u"us-ascii");
    const bool eightBit = std::ranges::any_of(bytes, [](char c) { return (c & 0x80) != 0; });
    if (unlabelled && eightBit && IsUtf8(bytes)) {
        CodePages().AppendWide(codepage::kUtf8, bytes, text);
    } else {
        CharsetText(utf16 ? WideString() : charset, bytes, text);
    }
}

void ThreadAnsiText(std::string_view bytes, std::u16string& text) {
    text.clear();
    CodePages().AppendWide(codepage::kThreadAnsi, bytes, text);
}

}  // namespace ombrel
