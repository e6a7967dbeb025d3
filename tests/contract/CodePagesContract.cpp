#include "tests/contract/CodePagesContract.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ombrel::contract {
namespace {

namespace codepage = platform::codepage;

// FNV-1a over a sequence of values, to compare whole conversion tables in one figure.
template <typename Sequence>
std::uint64_t Digest(const Sequence& values, std::uint64_t hash = 0xCBF29CE484222325ULL) {
    for (const auto value : values) {
        hash = (hash ^ static_cast<std::uint64_t>(static_cast<std::uint16_t>(value))) *
               0x100000001B3ULL;
    }
    return hash;
}

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    return bytes;
}

std::u16string AllUnits() {
    std::u16string units;
    for (int u = 1; u < 0x10000; ++u) units.push_back(static_cast<char16_t>(u));
    return units;
}

struct TableFigures {
    std::uint32_t codePage;
    std::uint64_t bytesToUnits;  // every byte, then (double-byte pages) every lead and trail pair
    std::uint64_t unitsToBytes;  // every unit from 1 to 0xFFFF
    bool doubleByte = false;
};

// Figures taken from the real conversion functions. Wine has no code page 54936 (GB18030) nor
// the ISO-2022 ones (50220 to 50222): they have no figures, and no table in the posix layer.
const std::vector<TableFigures>& Figures() {
    static const std::vector<TableFigures> figures = {
        {866, 0xBB40F8CAE18DCB3DULL, 0xD7575D8B55E5B68DULL},
        {874, 0xD5BDCD9287EE9D55ULL, 0x164E09924336D34CULL},
        {932, 0xA8E1ABEEC5F170A1ULL, 0x3368BBA9CA9E8A3AULL, true},
        {936, 0xEFA2AD6E955EC437ULL, 0x9927B0886F456F62ULL, true},
        {949, 0x5F7C74FF49DA9165ULL, 0xA13F8CDEC697203CULL, true},
        {950, 0x00BF1309F4AE8862ULL, 0xF85FE586EE3F00C5ULL, true},
        {1250, 0xAC48CDDE333FFA85ULL, 0x995A40BA4F39D5A2ULL},
        {1251, 0xCA114016ECB1381DULL, 0xF606B89998CDD7F3ULL},
        {1252, 0xEAE2C6935E09DE0FULL, 0x3DDA11A665FA3887ULL},
        {1253, 0xAB9042CBC706DCC6ULL, 0xFBC33F301BA89A93ULL},
        {1254, 0x12D17DA4FB1EF747ULL, 0xC88743259075F0FDULL},
        {1255, 0x0EA8A4FE84370774ULL, 0x22CA54324E0C4E32ULL},
        {1256, 0x900708B87A001160ULL, 0xC24029AF53AA4D07ULL},
        {1257, 0x2C88BA1DE03B5AABULL, 0xF51DDCAC01F20232ULL},
        {1258, 0x74C8D2457BDDD036ULL, 0xC69FDBB3560E0ADCULL},
        {10007, 0xC9FFD094813F9447ULL, 0xD28277522D0B766BULL},
        {20866, 0x15AA8E58EEF65AE9ULL, 0xF72E79231866A8EEULL},
        {20932, 0x2687E9A443B8B66FULL, 0xE6155553C0E869E9ULL, true},
        {21866, 0xB5F8505032E69CE7ULL, 0x2CD3245756E45ED4ULL},
        {28592, 0xE51CBCA755B4ECCEULL, 0x9687CDEAB699711CULL},
        {28593, 0x7C4E56FA7B5B5945ULL, 0x7805B4AB34260068ULL},
        {28594, 0x268735ABA4770BC1ULL, 0xA57480CC3F0A2C40ULL},
        {28595, 0xB3FD96FA020F3C41ULL, 0x992CA2F02DAE7DB8ULL},
        {28596, 0xC38E13599FF554BCULL, 0x51C11BF5CAA1B101ULL},
        {28597, 0xCD41DDE13756B634ULL, 0x72DF8ADDC2A8AF51ULL},
        {28598, 0x872A57AF8341FFE7ULL, 0x206006051A47B112ULL},
        {28603, 0xF42D69F5E8A5D98CULL, 0x58FF535FEEC46E5EULL},
        {28605, 0x3A14F3F3F3AA9E07ULL, 0x25DA2E92FEC62209ULL},
    };
    return figures;
}

std::uint64_t BytesToUnitsDigest(const platform::CodePages& port, const TableFigures& figures) {
    const std::uint32_t codePage = figures.codePage;
    std::uint64_t hash = Digest(port.ToWide(codePage, AllBytes()));
    if (!figures.doubleByte) return hash;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            const std::string pair = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string units = port.ToWide(codePage, pair);
            hash =
                Digest(units, Digest(std::u16string(1, static_cast<char16_t>(units.size())), hash));
        }
    }
    return hash;
}

TEST_P(CodePagesContract, WholeTablesReadAndWriteAsWindowsDoes) {
    for (const TableFigures& figures : Figures()) {
        SCOPED_TRACE(figures.codePage);
        EXPECT_TRUE(port->IsAvailable(figures.codePage));
        EXPECT_EQ(BytesToUnitsDigest(*port, figures), figures.bytesToUnits);
        EXPECT_EQ(Digest(port->ToMultiByte(figures.codePage, AllUnits())), figures.unitsToBytes);
    }
}

TEST_P(CodePagesContract, SingleBytePagesHoldTheirLetters) {
    EXPECT_EQ(port->ToWide(1251, "\xC0\xE0\xA8\xB8"), u"\u0410\u0430\u0401\u0451");
    EXPECT_EQ(port->ToWide(1250, "\x8A\xB9\xE8"), u"\u0160\u0105\u010D");
    EXPECT_EQ(port->ToWide(1252, "\x80\x81\xE9"), u"\u20AC\u0081\u00E9");
    EXPECT_EQ(port->ToWide(1253, "\xC1\xE1"), u"\u0391\u03B1");
    EXPECT_EQ(port->ToWide(874, "\xA1"), u"\u0E01");
    EXPECT_EQ(port->ToWide(1255, "\xE0"), u"\u05D0");
    EXPECT_EQ(port->ToWide(1256, "\xC7"), u"\u0627");
}

TEST_P(CodePagesContract, UnitsWithoutBytesGetBestFitOrTheDefaultCharacter) {
    EXPECT_EQ(port->ToMultiByte(1252, u"\u0100\u263A\u20AC"), "A?\x80");
    EXPECT_EQ(port->ToMultiByte(1251, u"\u00E9\u0401"), "e\xA8");
    EXPECT_EQ(port->ToMultiByte(1252, u"\U0001F600"), "??");  // each surrogate on its own
    EXPECT_EQ(port->ToMultiByte(932, u"\u263A\u3042\uFF61\u00A5"), "?\x82\xA0\xA1\\");
    EXPECT_EQ(port->ToMultiByte(936, u"\u20AC\u00E9"), "\x80\xA8\xA6");
}

TEST_P(CodePagesContract, DoubleBytePagesPairLeadAndTrailBytes) {
    EXPECT_EQ(port->ToWide(932, "\x82\xA0"), u"\u3042");
    EXPECT_EQ(port->ToWide(936, "\xC4\xE3\xBA\xC3"), u"\u4F60\u597D");
    EXPECT_EQ(port->ToWide(949, "\xC7\xD1"), u"\uD55C");
    EXPECT_EQ(port->ToWide(950, "\xA4\xA4"), u"\u4E2D");
    // A lead byte at the end, or before NUL, has no trail; any other byte is taken as its trail.
    EXPECT_EQ(port->ToWide(932, "a\x82"), u"a\u30FB");
    EXPECT_EQ(port->ToWide(932, std::string("\x82\0a", 3)), std::u16string(u"\u30FB\0a", 3));
    EXPECT_EQ(port->ToWide(932, "\x82 a"), u"\u30FBa");
    EXPECT_EQ(port->ToWide(936, "\x81\x30"), u"?");
}

TEST_P(CodePagesContract, InvalidUtf8GivesReplacementCharacters) {
    const std::vector<std::pair<std::string, std::u16string>> cases = {
        {"\xC3\xA9", u"\u00E9"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xEF\xBF\xBF", u"\uFFFF"},
        {"\xC3", u"\uFFFD"},
        {"\xC3(", u"\uFFFD("},
        {"\xE2\x82"
         "a",
         u"\uFFFD"
         "a"},
        {"\xE2"
         "A",
         u"\uFFFD"},  // a sequence cut by the end takes the rest with it
        {"\xE2"
         "AB",
         u"\uFFFD"
         "AB"},
        {"\xC3\xA9\xE2", u"\u00E9\uFFFD"},
        {"\xE0\x80\x80", u"\uFFFD\uFFFD"},
        {"\xED\xA0\x80", u"\uFFFD\uFFFD"},
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"\xF0\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"\xC0\xAF", u"\uFFFD\uFFFD"},
        {"\x80\xBF", u"\uFFFD\uFFFD"},
        {"\xF8\x88\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xFE\xFF", u"\uFFFD\uFFFD"},
    };
    for (const auto& [bytes, text] : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(port->ToWide(codepage::kUtf8, bytes), text);
    }
}

TEST_P(CodePagesContract, Utf8WritesUnpairedSurrogatesAsReplacementCharacters) {
    EXPECT_EQ(port->ToMultiByte(codepage::kUtf8, u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(port->ToMultiByte(codepage::kUtf8, std::u16string{0xD800, u'a'}),
              "\xEF\xBF\xBD"
              "a");
    EXPECT_EQ(port->ToMultiByte(codepage::kUtf8, std::u16string{u'a', 0xD83D}), "a\xEF\xBF\xBD");
    EXPECT_EQ(port->ToMultiByte(codepage::kUtf8, std::u16string{0xDC00}), "\xEF\xBF\xBD");
}

TEST_P(CodePagesContract, Utf7RunsOfBase64EndAtTheFirstOtherByte) {
    const std::vector<std::pair<std::string, std::u16string>> cases = {
        {"+-", u"+"},
        {"a+-+-b", u"a++b"},
        {"+AGEA-x", u"ax"},
        {"+AGE-", u"a"},
        {"+AGEAYg", u"ab"},
        {"+AGEAYgBj", u"abc"},
        {"+AGEAY-", u"a"},  // the bits that make no whole unit are dropped
        {"+AG", u""},
        {"+", u""},
        {"+!", u"!"},
        {"+AGE-+AGI-", u"ab"},
        {"+ZeVnLIqe-", u"\u65E5\u672C\u8A9E"},
        {"+2D3eAA-", u"\U0001F600"},
        {"a+\x80"
         "b",
         u"a\u0080b"},
        {"\x80\xFF~\\", u"\u0080\u00FF~\\"},
        {"+AGEA\x80x", u"a\u0080x"},
        {std::string("+\0a", 3), std::u16string(u"\0a", 2)},
    };
    for (const auto& [bytes, text] : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(port->ToWide(codepage::kUtf7, bytes), text);
    }
}

TEST_P(CodePagesContract, Utf7WritesOnlyTheSafeCharactersDirectly) {
    const std::vector<std::pair<std::u16string, std::string>> cases = {
        {u"a+b", "a+-b"},
        {u"\u00E9", "+AOk-"},
        {u"\u00E9a", "+AOk-a"},
        {u"\u00E9-", "+AOk--"},
        {u"\u00E9 ", "+AOk- "},
        {u"\u00E9\u00EA\u00EB", "+AOkA6gDr-"},
        {u"\u00E9+", "+AOk-+-"},
        {u"'(),./:?-", "'(),./:?-"},
        {u"!\"#$%&*;<=>@[\\]^_`{|}~",
         "+ACEAIgAjACQAJQAmACoAOwA8AD0APgBAAFsAXABdAF4AXwBgAHsAfAB9AH4-"},
        {std::u16string(u"\0\t\n\r\u0001\u007F\u0080", 7), std::string("\0\t\n\r+AAEAfwCA-", 14)},
        {u"\U0001F600", "+2D3eAA-"},
        {std::u16string{0xD800}, "+2AA-"},
    };
    for (const auto& [text, bytes] : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(port->ToMultiByte(codepage::kUtf7, text), bytes);
    }
}

TEST_P(CodePagesContract, UnknownCodePagesConvertNothing) {
    for (const std::uint32_t codePage : {codepage::kAnsi, codepage::kThreadAnsi, 12345U})
        EXPECT_FALSE(port->IsAvailable(codePage)) << codePage;
    EXPECT_TRUE(port->IsAvailable(codepage::kUtf8));
    EXPECT_TRUE(port->IsAvailable(codepage::kUtf7));
    EXPECT_EQ(port->ToWide(12345, "abc"), u"");
    EXPECT_EQ(port->ToMultiByte(12345, u"abc"), "");
}

}  // namespace
}  // namespace ombrel::contract
