#include "charsets/CharsetTables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/NativeTestPlatform.h"

namespace ombrel {
namespace {

namespace reg = platform::reg;
constexpr auto kUser = platform::Registry::kCurrentUser;
constexpr std::u16string_view kXlt = u"Software\\RIT\\The Bat!\\XLT";

class CharsetTablesTest : public testing::PluginTest {
  protected:
    ~CharsetTablesTest() override { FreeCharsetTables(); }

    void PutTable(std::u16string_view name, const std::vector<std::uint8_t>& map) {
        posix.registry.PutBytes(kUser, std::u16string(kXlt) + u"\\" + std::u16string(name),
                                u"Table", reg::kTypeBinary, map);
    }

    static std::string ByName(const char16_t* charset, std::string bytes) {
        translateByName(WideString(charset), bytes.data(),
                        static_cast<std::ptrdiff_t>(bytes.size()));
        return bytes;
    }

    static std::string ByPrefix(std::string_view charsetText, std::string bytes) {
        translateByPrefix(charsetText, bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()));
        return bytes;
    }
};

TEST_F(CharsetTablesTest, NamesMatchWholeAndWithoutRegardToCase) {
    EXPECT_EQ(ByName(u"KOI8-R", "\xC1\xB3"), "\xE0\xA8");
    EXPECT_EQ(ByName(u"koi8", "\xC1"), "\xC1");
    EXPECT_EQ(ByName(u"ISO-8859-15", "\xA4"), "\x80");
    for (const char16_t* unchanged :
         {u"us-ascii", u"utf-16", u"WINDOWS-1251", u"windows-1251", u""}) {
        EXPECT_EQ(ByName(unchanged, "\xC1\xE0"), "\xC1\xE0");
    }
}

TEST_F(CharsetTablesTest, CountsOfZeroOrLessTranslateNothing) {
    std::string bytes = "\xC1";
    translateByName(WideString(u"koi8-r"), bytes.data(), 0);
    translateByName(WideString(u"koi8-r"), bytes.data(), -1);
    translateByPrefix("koi8-r?", bytes.data(), -5);
    EXPECT_EQ(bytes, "\xC1");
}

TEST_F(CharsetTablesTest, PrefixesTakeTheLongestTableName) {
    EXPECT_EQ(ByPrefix("iso-8859-15?Q?=A4?=", "\xA4"), "\x80");  // not ISO-8859-1
    EXPECT_EQ(ByPrefix("ISO-8859-1?Q?=A4?=", "\xA4"), "\xA4");
    EXPECT_EQ(ByPrefix("koi8-ru?B?wQ==?=", "\xC1"), "\xE0");  // koi8-r
    EXPECT_EQ(ByPrefix("koi8-u?q?x?=", "\xA4"), "\xBA");
    EXPECT_EQ(ByPrefix("koi8?q?x?=", "\xC1"), "\xC1");
    EXPECT_EQ(ByPrefix("", "\xC1"), "\xC1");
}

TEST_F(CharsetTablesTest, HostTablesComeFirstAndReplaceOnlyTheBytesTheyHold) {
    std::vector<std::uint8_t> low(128);
    for (std::size_t b = 0; b < low.size(); ++b) low[b] = static_cast<std::uint8_t>(127 - b);
    PutTable(u"koi8-r", low);
    ASSERT_EQ(LoadCharsetTables(), reg::kSuccess);
    ASSERT_EQ(HostCharsetTables().size(), 1U);
    EXPECT_EQ(ByName(u"KOI8-R", "\x7F\x01\xC1"), std::string("\x00\x7E\xC1", 3));
    EXPECT_EQ(ByPrefix("koi8-r?Q?x?=", "\x7F\xC1"), std::string("\x00\xC1", 2));
    EXPECT_EQ(posix.registry.OpenKeyCount(), 0U);
}

TEST_F(CharsetTablesTest, AHostTableWinsOverABuiltInOneOfTheSameLengthOnly) {
    std::vector<std::uint8_t> map(256);
    for (std::size_t b = 0; b < map.size(); ++b) map[b] = static_cast<std::uint8_t>(b);
    map[0xA4] = 0x24;
    PutTable(u"iso-8859-1", map);
    ASSERT_EQ(LoadCharsetTables(), reg::kSuccess);
    EXPECT_EQ(ByPrefix("ISO-8859-1?Q?x?=", "\xA4"), "\x24");
    EXPECT_EQ(ByPrefix("ISO-8859-15?Q?x?=", "\xA4"), "\x80");  // the longer built-in name
}

TEST_F(CharsetTablesTest, LoadingStopsAtTheFirstNameThatDoesNotFit) {
    const std::vector<std::uint8_t> one = {0x41};
    PutTable(u"alpha", one);
    PutTable(u"beta-sixteen-16!", one);  // 16 characters
    PutTable(u"gamma", one);
    ASSERT_EQ(LoadCharsetTables(), reg::kSuccess);
    ASSERT_EQ(HostCharsetTables().size(), 1U);
    EXPECT_EQ(std::u16string(HostCharsetTables()[0].wideName.data()), u"alpha");
    EXPECT_EQ(std::string(HostCharsetTables()[0].asciiName.data()), "alpha");
    EXPECT_EQ(ByName(u"alpha", std::string("\x00\x01", 2)), "\x41\x01");
    EXPECT_EQ(ByName(u"gamma", std::string(1, 0)), std::string(1, 0));
}

TEST_F(CharsetTablesTest, TablesWithoutAUsableValueAreTheIdentity) {
    posix.registry.PutString(kUser, std::u16string(kXlt) + u"\\empty", u"Other", u"x");
    PutTable(u"too-long", std::vector<std::uint8_t>(300, 0x41));
    ASSERT_EQ(LoadCharsetTables(), reg::kSuccess);
    ASSERT_EQ(HostCharsetTables().size(), 2U);
    for (const CharsetTable& table : HostCharsetTables()) {
        for (int b = 0; b < 256; ++b) EXPECT_EQ(table.map.at(b), b);
    }
}

TEST_F(CharsetTablesTest, WithoutTheKeyTheHostListStaysEmptyAndFreeingEmptiesIt) {
    EXPECT_EQ(LoadCharsetTables(), reg::kFileNotFound);
    EXPECT_TRUE(HostCharsetTables().empty());
    PutTable(u"koi8-r", {0x41});
    ASSERT_EQ(LoadCharsetTables(), reg::kSuccess);
    EXPECT_EQ(HostCharsetTables().size(), 1U);
    FreeCharsetTables();
    EXPECT_TRUE(HostCharsetTables().empty());
    EXPECT_EQ(ByName(u"koi8-r", "\xC1"), "\xE0");
}

}  // namespace
}  // namespace ombrel
