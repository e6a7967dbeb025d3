#include "charsets/OwnCharsets.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>

#include "charsets/ConversionRules.h"
#include "tests/native/mime/ParserTest.h"

namespace ombrel {
namespace {

std::u16string Own(const char* charset, std::string_view bytes) {
    std::u16string text;
    AppendOwnCharsetText(FindOwnCharset(charset), bytes, text);
    return text;
}

// glibc's reading of one ISO-2022-JP text as one UTF-16 unit, where it has one.
std::optional<char16_t> IconvUnit(iconv_t converter, std::string bytes) {
    char16_t unit[2] = {};
    char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    auto* out = reinterpret_cast<char*>(unit);
    std::size_t outLeft = sizeof unit;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
        outLeft != sizeof unit - 2) {
        return std::nullopt;
    }
    return unit[0];
}

TEST(OwnCharsetsTest, Iso2022JpReadsEveryJisX0208CharacterAsGlibcDoes) {
    EXPECT_EQ(Own("ISO-2022-JP", "\x1b$B$9$_$^$;$s!#\x1b(B"), u"すみません。");
    iconv_t converter = iconv_open("UTF-16LE", "ISO-2022-JP");
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));  // NOLINT(performance-no-int-to-ptr)
    int compared = 0;
    for (int row = 0x21; row <= 0x7E; ++row) {
        for (int cell = 0x21; cell <= 0x7E; ++cell) {
            const std::string bytes = {
                '\x1b', '$', 'B', static_cast<char>(row), static_cast<char>(cell),
                '\x1b', '(', 'B'};
            const std::optional<char16_t> expected = IconvUnit(converter, bytes);
            if (!expected) continue;
            ++compared;
            ASSERT_EQ(Own("iso-2022-jp", bytes), std::u16string(1, *expected))
                << std::hex << row << cell;
        }
    }
    iconv_close(converter);
    EXPECT_GT(compared, 6800);  // JIS X 0208 has 6879 characters
}

TEST(OwnCharsetsTest, Iso2022JpSwitchesSetsAndMarksWhatItCannotRead) {
    // JIS X 0201 Roman and Katakana; the ISO-8859-1 half of -2 by its single shift.
    EXPECT_EQ(Own("iso-2022-jp", "a\\~\x1b(J\\~\x1b(I\x31\x5f\x1b(Bz"),
              u"a\\~\u00a5\u203e\uff71\uff9fz");
    EXPECT_EQ(Own("iso-2022-jp-2", "\x1b.A\x1bNi\x1bN"), u"\u00e9\ufffdN");
    // Line ends stand for themselves inside a double-byte run; a lone first byte is lost.
    EXPECT_EQ(Own("ISO-2022-JP-1", "\x1b$B$9\r\n$9$\x1b(B."), u"す\r\nす\ufffd.");
    // JIS X 0212, an 8-bit byte, an unknown escape.
    EXPECT_EQ(Own("iso-2022-jp-1", "\x1b$(D0!\x1b(B\xa4\x1bZ"), u"\ufffd\ufffd\ufffdZ");
    EXPECT_EQ(Own("iso-2022-jp-3", "\x1b$(Q$9"), u"す");
}

TEST(OwnCharsetsTest, Utf16IsReadByItsMarkItsNameOrItsZeroBytes) {
    EXPECT_EQ(Own("utf-16", std::string("\xff\xfeH\0i\0", 6)), u"Hi");
    EXPECT_EQ(Own("UTF-16", std::string("\xfe\xff\0H\0i", 6)), u"Hi");
    EXPECT_EQ(Own("utf-16", std::string("H\0i\0\x4b\x04", 6)), u"Hi\u044b");
    EXPECT_EQ(Own("utf-16", std::string("\0H\0i\x04\x4b", 6)), u"Hi\u044b");
    EXPECT_EQ(Own("utf-16le", std::string("\xff\xfe\x4b\x04!", 5)), u"\u044b");
    EXPECT_EQ(Own("utf-16be", std::string("\x04\x4b\0!", 4)), u"\u044b!");
    EXPECT_EQ(FindOwnCharset("utf-32"), OwnCharset::None);
}

TEST(OwnCharsetsTest, Utf8IsTellingWellFormedFromOtherBytes) {
    EXPECT_TRUE(IsUtf8("S\xc3\xa4ying \xe7\xae\xa1 \xf0\x9f\x98\x80"));
    for (const char* bytes : {"\xe4", "\xc0\x80", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe7\xae"}) {
        EXPECT_FALSE(IsUtf8(bytes)) << bytes;
    }
}

using OwnCharsetMailTest = testing::ParserTest;

TEST_F(OwnCharsetMailTest, JapaneseAndUtf16MailIsReadWithoutACodePageOfTheSystem) {
    const ParsedMessage& m = Parse(
        "Subject: =?ISO-2022-JP?B?GyRCJDkkXyReJDskcyEjGyhC?= \x1b$B$9\x1b(B\r\n"
        "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
        "--b\r\nContent-Type: text/plain; charset=iso-2022-jp\r\n\r\n\x1b$B$9$_$^$;$s!#\x1b(B\r\n"
        "--b\r\nContent-Type: text/plain; charset=utf-16\r\nContent-Transfer-Encoding: base64\r\n"
        "\r\n//5IAGkAIQAKAA==\r\n--b--\r\n");
    // Raw escape sequences in a header of a part without a charset stay as they stand.
    EXPECT_EQ(m.subject.Std(), u"すみません。 \x1b$B$9\x1b(B");
    ASSERT_EQ(m.children.size(), 2U);
    EXPECT_EQ(Text(Child(m, 0)), u"すみません。\r\n");
    EXPECT_EQ(Text(Child(m, 1)), u"Hi!\n");
}

}  // namespace
}  // namespace ombrel
