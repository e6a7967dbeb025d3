#include "charsets/CharsetCodePages.h"

#include <algorithm>
#include <string>

#include "common/TextCompare.h"

namespace ombrel {
namespace {

struct CharsetName {
    std::string_view name;
    std::uint32_t codePage;
};

// The charsets that mail carries, by the names its senders write. ISO-8859-1, -9 and -11 are read
// in the Windows code pages that extend them (1252, 1254, 874): they agree on every character of
// the ISO sets, and mail labelled with the ISO names often holds the Windows ones' quotation
// marks and dashes. ISO-8859-10, -14 and -16 have no Windows code page.
constexpr CharsetName kCharsets[] = {
    {"utf-8", 65001},
    {"utf8", 65001},
    {"utf-7", 65000},
    {"us-ascii", 0},  // says nothing of the 8-bit bytes that such mail holds: the ANSI code page
    {"iso-8859-1", 1252},
    {"iso8859-1", 1252},
    {"iso_8859-1", 1252},
    {"latin1", 1252},
    {"iso-8859-2", 28592},
    {"iso8859-2", 28592},
    {"latin2", 28592},
    {"iso-8859-3", 28593},
    {"iso-8859-4", 28594},
    {"iso-8859-5", 28595},
    {"iso8859-5", 28595},
    {"iso-8859-6", 28596},
    {"iso-8859-7", 28597},
    {"iso8859-7", 28597},
    {"iso-8859-8", 28598},
    {"iso-8859-8-i", 28598},
    {"iso-8859-9", 1254},
    {"latin5", 1254},
    {"iso-8859-11", 874},
    {"tis-620", 874},
    {"iso-8859-13", 28603},
    {"iso-8859-15", 28605},
    {"iso8859-15", 28605},
    {"latin9", 28605},
    {"windows-874", 874},
    {"windows-1250", 1250},
    {"windows-1251", 1251},
    {"windows-1252", 1252},
    {"windows-1253", 1253},
    {"windows-1254", 1254},
    {"windows-1255", 1255},
    {"windows-1256", 1256},
    {"windows-1257", 1257},
    {"windows-1258", 1258},
    {"cp1250", 1250},
    {"cp1251", 1251},
    {"cp1252", 1252},
    {"cp1253", 1253},
    {"cp1254", 1254},
    {"cp1255", 1255},
    {"cp1256", 1256},
    {"cp1257", 1257},
    {"cp1258", 1258},
    {"koi8-r", 20866},
    {"koi8-u", 21866},
    {"koi8-ru", 21866},
    {"ibm866", 866},
    {"cp866", 866},
    {"x-mac-cyrillic", 10007},
    {"shift_jis", 932},
    {"shift-jis", 932},
    {"sjis", 932},
    {"x-sjis", 932},
    {"ms_kanji", 932},
    {"windows-31j", 932},
    {"cp932", 932},
    {"euc-jp", 20932},
    {"gb2312", 936},
    {"gb2321", 936},
    {"gbk", 936},
    {"cp936", 936},
    {"euc-cn", 936},
    {"gb18030", 54936},
    {"big5", 950},
    {"big5-hkscs", 950},
    {"cp950", 950},
    {"euc-kr", 949},
    {"ks_c_5601-1987", 949},
    {"cp949", 949},
};

}  // namespace

std::uint32_t CharsetCodePage(std::string_view charset) {
    const auto* found = std::ranges::find_if(kCharsets, [&](const CharsetName& entry) {
        return EqualsIgnoringCase(entry.name, charset);
    });
    return found != std::end(kCharsets) ? found->codePage : 0;
}

std::uint32_t CharsetCodePage(std::u16string_view charset) {
    if (std::ranges::any_of(charset, [](char16_t unit) { return unit >= 0x80; })) return 0;
    return CharsetCodePage(std::string(charset.begin(), charset.end()));
}

}  // namespace ombrel
