#include "mime/EncodedWords.h"

#include <gtest/gtest.h>

#include <string>

#include "charsets/CharsetTables.h"
#include "tests/support/NativeTestPlatform.h"

namespace ombrel {
namespace {

class EncodedWordsTest : public testing::PluginTest {
  protected:
    std::u16string Decode(std::string_view raw, std::uint32_t ansiCodePage = 1252) {
        posix.codePages.SetAnsiCodePage(ansiCodePage);
        return decodeHeaderText(raw.data(), raw.size()).Std();
    }
};

TEST_F(EncodedWordsTest, TextWithoutWordsIsReadInTheAnsiCodePage) {
    EXPECT_EQ(Decode("Caf\xE9 =? not a word"), u"Caf\u00E9 =? not a word");
    EXPECT_EQ(Decode("\xCF\xF0\xE8\xE2\xE5\xF2", 1251), u"\u041F\u0440\u0438\u0432\u0435\u0442");
    EXPECT_EQ(Decode(""), u"");
    EXPECT_EQ(decodeHeaderText(nullptr, 3).Std(), u"");
}

TEST_F(EncodedWordsTest, BAndQWordsDecodeInEitherCase) {
    EXPECT_EQ(Decode("=?iso-8859-1?q?a_b=41?="), u"a bA");
    EXPECT_EQ(Decode("=?ISO-8859-1?B?QUJD?="), u"ABC");
    EXPECT_EQ(Decode("Re: =?utf-8?b?w6k=?= ok"), u"Re: \u00E9 ok");
    EXPECT_EQ(Decode("[=?us-ascii?Q?"
                     "?=]"),
              u"[]");  // an empty word yields nothing
}

TEST_F(EncodedWordsTest, Koi8WordsReadRightInWindows1251) {
    // "Privet" in KOI8-R: translated to Windows-1251 by the koi8-r table.
    EXPECT_EQ(Decode("=?koi8-r?B?8NLJ18XU?=", 1251), u"\u041F\u0440\u0438\u0432\u0435\u0442");
    EXPECT_EQ(Decode("=?KOI8-R?Q?=F0=D2=C9=D7=C5=D4?=", 1251),
              u"\u041F\u0440\u0438\u0432\u0435\u0442");
}

TEST_F(EncodedWordsTest, TheLongestTableNameDecidesTheCharset) {
    EXPECT_EQ(Decode("=?iso-8859-15?Q?=A4?="), u"\u20AC");
    EXPECT_EQ(Decode("=?iso-8859-1?Q?=A4?="), u"\u00A4");
    EXPECT_EQ(Decode("=?koi8-ru?Q?=C1?=", 1251), u"\u0430");
}

TEST_F(EncodedWordsTest, Utf8AndUtf7WordsKeepEveryCharacterWhateverTheAnsiCodePage) {
    EXPECT_EQ(Decode("=?UTF-8?B?0J/RgNC40LLQtdGC?= \xE9", 1252),
              u"\u041F\u0440\u0438\u0432\u0435\u0442 \u00E9");
    EXPECT_EQ(Decode("=?utf-8?Q?=E6=97=A5=E6=9C=AC_=F0=9F=98=80?=", 1251),
              u"\u65E5\u672C \U0001F600");
    EXPECT_EQ(Decode("=?utf-8?Q?=E2=82=AC?=", 932), u"\u20AC");
    EXPECT_EQ(Decode("=?utf-7?Q?+ZeVnLA-?=", 1250), u"\u65E5\u672C");
}

TEST_F(EncodedWordsTest, AdjacentWordsJoinBeforeConversionAndLoseTheBlanksBetween) {
    EXPECT_EQ(Decode("=?utf-8?Q?=E2=82?= =?utf-8?Q?=AC?="), u"\u20AC");
    EXPECT_EQ(Decode("=?utf-8?B?4oI=?=\r\n\t=?UTF-8?B?rA==?= x"), u"\u20AC x");
    EXPECT_EQ(Decode("=?iso-8859-1?Q?a?=   =?iso-8859-1?Q?b?="), u"ab");
    // Words in different charsets still lose the blanks between them.
    EXPECT_EQ(Decode("=?koi8-r?Q?=C1?= =?utf-8?Q?=C3=A9?=", 1251), u"\u0430\u00E9");
    // Blanks next to plain text stay.
    EXPECT_EQ(Decode("a =?iso-8859-1?Q?b?= c"), u"a b c");
}

TEST_F(EncodedWordsTest, FoldedTextIsUnfolded) {
    EXPECT_EQ(Decode("first line\r\n second line"), u"first line second line");
    EXPECT_EQ(Decode("first\n\tsecond"), u"first\tsecond");
    EXPECT_EQ(Decode("kept\r\nbreak"), u"kept\r\nbreak");
}

TEST_F(EncodedWordsTest, TheFirstMalformedWordEndsTheDecoding) {
    EXPECT_EQ(Decode("=?iso-8859-1?Q?a?= =?iso-8859-1?Q?b c?= =?iso-8859-1?Q?d?="),
              u"a =?iso-8859-1?Q?b c?= =?iso-8859-1?Q?d?=");
    EXPECT_EQ(Decode("=?iso-8859-1?X?abc?= =?iso-8859-1?Q?d?="),
              u"=?iso-8859-1?X?abc?= =?iso-8859-1?Q?d?=");
    EXPECT_EQ(Decode("=?iso-8859-1?Q?unterminated"), u"=?iso-8859-1?Q?unterminated");
    EXPECT_EQ(Decode("=?no-question-mark"), u"=?no-question-mark");
    EXPECT_EQ(Decode("=?x?"), u"=?x?");
}

TEST_F(EncodedWordsTest, WordsAreFoundInTheRawBytesWhateverTheAnsiCodePage) {
    // A stray lead byte of Shift-JIS before a word does not take its "=" as a trail byte.
    EXPECT_EQ(Decode("\x82=?iso-8859-1?Q?a?=", 932), u"\u30FBa");
    // Unencoded bytes inside a Q word are the word's own bytes.
    EXPECT_EQ(Decode("=?shift-jis?Q?\x82\xA0?= \x82\xA0", 932), u"\u3042 \u3042");
    EXPECT_EQ(Decode("=?koi8-r?Q?\xC1?=", 1251), u"\u0430");
}

TEST_F(EncodedWordsTest, AZeroByteEndsTheText) {
    EXPECT_EQ(Decode("ab=?iso-8859-1?Q?c=00d?=ef"), u"abc");
    EXPECT_EQ(Decode(std::string_view("ab\0cd", 5)), u"ab");
}

TEST_F(EncodedWordsTest, DecodedTextIsNeverDecodedAgain) {
    // The word decodes to "=?iso-8859-1?Q?x?=", which stays as it is.
    EXPECT_EQ(Decode("=?iso-8859-1?B?PT9pc28tODg1OS0xP1E/eD89?= =?iso-8859-1?Q?y?="),
              u"=?iso-8859-1?Q?x?=y");
    EXPECT_EQ(Decode("==?iso-8859-1?Q?=3F?=iso-8859-1?Q?y?="), u"=?iso-8859-1?Q?y?=");
    // Many words, each holding a word, decode in one pass.
    std::string words;
    std::u16string expected;
    for (int i = 0; i < 20000; ++i) {
        words += "=?iso-8859-1?B?PT9pc28tODg1OS0xP1E/eD89?= ";
        expected += u"=?iso-8859-1?Q?x?=";
    }
    EXPECT_EQ(Decode(words), expected + u" ");
}

TEST_F(EncodedWordsTest, WordsDecodeThroughHostTables) {
    std::vector<std::uint8_t> map(256);
    for (std::size_t b = 0; b < map.size(); ++b) map[b] = static_cast<std::uint8_t>(b);
    map['a'] = 'z';
    posix.registry.PutBytes(platform::Registry::kCurrentUser,
                            u"Software\\RIT\\The Bat!\\XLT\\x-test", u"Table",
                            platform::reg::kTypeBinary, map);
    LoadCharsetTables();
    EXPECT_EQ(Decode("=?x-test?Q?abc?="), u"zbc");
    FreeCharsetTables();
}

}  // namespace
}  // namespace ombrel
