// The built-in tables checked against the real code pages: the source charset's byte is read by
// glibc's converter, the translated byte by the Windows code page the table claims to produce.
#include "charsets/BuiltInCharsetTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/posix/PosixCodePages.h"
#include "tests/support/Iconv.h"

namespace ombrel {
namespace {

using testing::IconvCharacter;

const CharsetTable& Table(std::string_view name) {
    for (const CharsetTable& table : BuiltInCharsetTables()) {
        if (std::string_view(table.asciiName.data()) == name) return table;
    }
    throw std::runtime_error("no table");
}

char32_t WindowsCharacter(std::uint32_t codePage, std::uint8_t byte) {
    platform::posix::PosixCodePages codePages;
    const std::u16string text = codePages.ToWide(codePage, std::string(1, static_cast<char>(byte)));
    return text.size() == 1 ? text[0] : 0;
}

bool IsLetter(char32_t c) {
    return (c >= 0x0400 && c <= 0x04FF) || (c >= 0x0370 && c <= 0x03FF) ||
           (c >= 0x00C0 && c <= 0x024F && c != 0xD7 && c != 0xF7);
}

// Every byte of `bytes` reads in `codePage`, after translation, as the source charset reads it.
void ExpectSameCharacters(std::string_view table, const std::string& charset,
                          std::uint32_t codePage, const std::vector<int>& bytes) {
    const CharsetTable& t = Table(table);
    for (const int byte : bytes) {
        SCOPED_TRACE(::testing::Message() << table << " byte 0x" << std::hex << byte);
        EXPECT_EQ(IconvCharacter(charset, static_cast<unsigned char>(byte)),
                  WindowsCharacter(codePage, t.map.at(byte)));
    }
}

// Every byte of the source charset that is a letter, from `first` to 0xFF.
std::vector<int> Letters(const std::string& charset, int first = 0x80) {
    std::vector<int> bytes;
    for (int b = first; b < 256; ++b) {
        const auto c = IconvCharacter(charset, static_cast<unsigned char>(b));
        if (c && IsLetter(*c)) bytes.push_back(b);
    }
    return bytes;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> bytes;
    for (int b = first; b <= last; ++b) bytes.push_back(b);
    return bytes;
}

// The bytes whose translation is not the identity.
std::set<int> Changed(std::string_view table) {
    std::set<int> changed;
    for (int b = 0; b < 256; ++b) {
        if (Table(table).map.at(b) != b) changed.insert(b);
    }
    return changed;
}

TEST(BuiltInCharsetTables, TwentyTablesInTheirSearchOrderWithBothNames) {
    const std::vector<std::string> expected = {
        "big5",         "gb2321",       "ibm866",       "ISO-8859-1",   "ISO-8859-11",
        "ISO-8859-15",  "ISO-8859-2",   "ISO-8859-5",   "ISO-8859-7",   "ISO-8859-9",
        "koi8-r",       "koi8-u",       "KOI8-WIN",     "shift-jis",    "WIN-KOI8",
        "Windows-1250", "Windows-1251", "Windows-1253", "Windows-1257", "x-mac-cyrillic"};
    std::vector<std::string> names;
    for (const CharsetTable& table : BuiltInCharsetTables()) {
        names.emplace_back(table.asciiName.data());
        EXPECT_EQ(std::u16string(table.wideName.data()),
                  std::u16string(names.back().begin(), names.back().end()));
        EXPECT_EQ(table.asciiName.back(), '\0');
        for (int b = 0; b < 0x80; ++b) EXPECT_EQ(table.map.at(b), b) << names.back();
    }
    EXPECT_EQ(names, expected);
}

TEST(BuiltInCharsetTables, ByteIdentityTablesChangeNothing) {
    for (const char* name :
         {"big5", "gb2321", "ISO-8859-1", "ISO-8859-11", "ISO-8859-9", "shift-jis", "Windows-1250",
          "Windows-1251", "Windows-1253", "Windows-1257"}) {
        EXPECT_TRUE(Changed(name).empty()) << name;
    }
}

TEST(BuiltInCharsetTables, Koi8TablesGiveTheWindows1251LettersOfTheirLetters) {
    const std::vector<int> koi8r = Letters("KOI8-R");
    ExpectSameCharacters("koi8-r", "KOI8-R", 1251, koi8r);
    EXPECT_EQ(koi8r.size(), 66U);  // 0xC0 to 0xFF, Io and io
    EXPECT_EQ(Table("koi8-r").map.at(0xC1), 0xE0);
    EXPECT_EQ(Table("koi8-r").map.at(0xB3), 0xA8);
    EXPECT_EQ(Table("koi8-r").map.at(0xB8), 0xA3);  // as the host's table has it
    std::set<int> expected(koi8r.begin(), koi8r.end());
    expected.insert(0xB8);
    std::erase_if(expected, [](int b) { return Table("koi8-r").map.at(b) == b; });
    EXPECT_EQ(Changed("koi8-r"), expected);

    ExpectSameCharacters("koi8-u", "KOI8-U", 1251, Letters("KOI8-U"));
    EXPECT_EQ(Letters("KOI8-U").size(), 74U);
    for (const int b : Changed("koi8-u")) {
        EXPECT_TRUE(IsLetter(*IconvCharacter("KOI8-U", static_cast<unsigned char>(b)))) << b;
    }
}

TEST(BuiltInCharsetTables, Ibm866MovesItsLettersAndSendsIoToTheHostsPlaces) {
    ExpectSameCharacters("ibm866", "IBM866", 1251, Range(0x80, 0xAF));
    ExpectSameCharacters("ibm866", "IBM866", 1251, Range(0xE0, 0xEF));
    // Io and io go where KOI8-R has them, not to their Windows-1251 bytes 0xA8 and 0xB8.
    EXPECT_EQ(Table("ibm866").map.at(0xF0), 0xB3);
    EXPECT_EQ(Table("ibm866").map.at(0xF1), 0xA3);
    EXPECT_EQ(Changed("ibm866").size(), 66U);  // the 64 letters, Io and io
}

TEST(BuiltInCharsetTables, IsoTablesGiveTheWindowsBytesOfTheirCharacters) {
    std::vector<int> latin2 = Range(0xA0, 0xFF);
    std::erase(latin2, 0xB7);  // the caron stays at 0xB7, the middle dot of Windows-1250
    ExpectSameCharacters("ISO-8859-2", "ISO-8859-2", 1250, latin2);
    EXPECT_EQ(Changed("ISO-8859-2").size(), 14U);

    ExpectSameCharacters("ISO-8859-5", "ISO-8859-5", 1251, Range(0xB0, 0xEF));
    const std::vector<int> moved = Range(0x90, 0xEF);
    EXPECT_EQ(Changed("ISO-8859-5"), std::set<int>(moved.begin(), moved.end()));

    ExpectSameCharacters("ISO-8859-7", "ISO-8859-7", 1253, {0xA1, 0xA2, 0xB5, 0xB6});
    ExpectSameCharacters("ISO-8859-7", "ISO-8859-7", 1253, Letters("ISO-8859-7", 0xB8));
    EXPECT_EQ(Changed("ISO-8859-7"), (std::set<int>{0xA1, 0xA2, 0xB5, 0xB6}));

    ExpectSameCharacters("ISO-8859-15", "ISO-8859-15", 1252, Range(0xA0, 0xFF));
    EXPECT_EQ(Changed("ISO-8859-15").size(), 8U);
}

TEST(BuiltInCharsetTables, MacCyrillicGivesTheWindows1251LettersOfItsLetters) {
    ExpectSameCharacters("x-mac-cyrillic", "MAC-CYRILLIC", 1251, Range(0x80, 0x9F));
    ExpectSameCharacters("x-mac-cyrillic", "MAC-CYRILLIC", 1251, Range(0xDD, 0xFE));
    EXPECT_EQ(Changed("x-mac-cyrillic").size(), 35U);
}

TEST(BuiltInCharsetTables, WinKoi8GivesTheKoi8LettersOfWindows1251SaveFourOfThem) {
    const CharsetTable& table = Table("WIN-KOI8");
    std::vector<int> letters = Range(0xC0, 0xFF);
    std::erase_if(letters, [](int b) { return b == 0xC8 || b == 0xDA || b == 0xE8 || b == 0xE7; });
    for (const int b : letters) {
        EXPECT_EQ(IconvCharacter("KOI8-R", table.map.at(b)), WindowsCharacter(1251, b)) << b;
    }
    for (const int b : {0xC8, 0xDA, 0xE8, 0xA8, 0xB8}) EXPECT_EQ(table.map.at(b), b) << b;
    EXPECT_EQ(table.map.at(0xE7), 0xFF);
    EXPECT_EQ(table.map.at(0x95), 0xFF);
}

TEST(BuiltInCharsetTables, Koi8WinAppliesTheKoi8LetterMappingTwice) {
    const CharsetTable& table = Table("KOI8-WIN");
    const CharsetTable& koi8 = Table("koi8-r");
    for (int b = 0xC0; b <= 0xFF; ++b) {
        const int expected = b == 0xD1 || b == 0xFF ? b : koi8.map.at(koi8.map.at(b));
        EXPECT_EQ(table.map.at(b), expected) << b;
    }
    EXPECT_EQ(table.map.at(0x9A), 0xDA);
    EXPECT_EQ(table.map.at(0xA1), 0xE7);
    for (const int b : Changed("KOI8-WIN")) EXPECT_TRUE(b >= 0xC0 || b == 0x9A || b == 0xA1) << b;
}

}  // namespace
}  // namespace ombrel
