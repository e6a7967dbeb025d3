#include "charsets/ConversionRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "charsets/BuiltInCharsetTables.h"
#include "charsets/CharsetTables.h"
#include "common/TextCompare.h"
#include "tests/native/mime/ParserTest.h"
#include "tests/support/CharsetMail.h"
#include "tests/support/Iconv.h"

namespace ombrel {
namespace {

class ConversionRulesTest : public testing::ParserTest {
  protected:
    ~ConversionRulesTest() override { FreeCharsetTables(); }

    std::u16string Read(const char16_t* charset, std::string_view bytes,
                        std::uint32_t ansiCodePage) {
        posix.codePages.SetAnsiCodePage(ansiCodePage);
        std::u16string text;
        CharsetText(WideString(charset), bytes, text);
        return text;
    }

    static std::u16string EncodedWordText(std::string_view charsetText, std::string_view bytes) {
        std::u16string text;
        ombrel::EncodedWordText(charsetText, bytes, text);
        return text;
    }

    // The text of the message's first plain-text part.
    static std::u16string PlainText(const ParsedMessage& message) {
        std::vector<const ParsedMessage*> parts;
        collectParts(message, PartKind::PlainText, parts);
        return parts.empty() ? u"(no text part)" : Text(*parts.front());
    }
};

TEST_F(ConversionRulesTest, MailInEveryCharsetReadsRightWesternOrInItsOwnLanguage) {
    for (const testing::CharsetSample& sample : testing::CharsetSamples()) {
        for (const std::uint32_t ansiCodePage : {1252U, sample.localeCodePage}) {
            for (const std::string& mail : testing::CharsetMessages(sample)) {
                SCOPED_TRACE(std::string(sample.charset) + " in " + std::to_string(ansiCodePage) +
                             ":\n" + mail);
                const ParsedMessage& message = Parse(mail, ansiCodePage);
                EXPECT_EQ(message.subject.Std(), sample.text);
                EXPECT_EQ(PlainText(message), std::u16string(sample.text) + u"\r\n");
            }
        }
    }
}

TEST_F(ConversionRulesTest, UnencodedHeadersReadInThePartsCharset) {
    const ParsedMessage& m = Parse(
        "Subject: \xF0\xD2\xC9\xD7\xC5\xD4 =?utf-8?B?4oKs?=\r\n"
        "Content-Type: text/plain; charset=koi8-r\r\n\r\n");
    EXPECT_EQ(m.subject.Std(), u"\u041F\u0440\u0438\u0432\u0435\u0442 \u20AC");
}

TEST_F(ConversionRulesTest, AHostTableNamedLikeTheCharsetStillDecides) {
    std::vector<std::uint8_t> map(256);
    for (std::size_t b = 0; b < map.size(); ++b) map[b] = static_cast<std::uint8_t>(b);
    map[0xC1] = 0xE9;
    for (const char16_t* name : {u"KOI8-R", u"utf-8"}) {
        posix.registry.PutBytes(platform::Registry::kCurrentUser,
                                std::u16string(u"Software\\RIT\\The Bat!\\XLT\\") + name, u"Table",
                                platform::reg::kTypeBinary, map);
    }
    LoadCharsetTables();
    EXPECT_EQ(Read(u"koi8-r", "\xC1\xC2", 1252), u"\u00E9\u00C2");
    EXPECT_EQ(EncodedWordText("koi8-r?Q?=C1?=", "\xC1"), u"\u00E9");
    const ParsedMessage& m = Parse(
        "Subject: \xC1 =?KOI8-R?Q?=C1?=\r\nContent-Type: text/plain; charset=koi8-r\r\n\r\n\xC1");
    EXPECT_EQ(m.subject.Std(), u"\u00E9 \u00E9");
    EXPECT_EQ(Text(m), u"\u00E9");
    // UTF-8 is never translated.
    EXPECT_EQ(Read(u"UTF-8", "\xC3\xA9", 1252), u"\u00E9");
}

TEST_F(ConversionRulesTest, CharsetsWithoutACodePageKeepTheTablesAndTheAnsiCodePage) {
    EXPECT_EQ(Read(u"", "\xC1", 1251), u"\u0411");
    EXPECT_EQ(Read(u"us-ascii", "\xE9", 1252), u"\u00E9");
    EXPECT_EQ(Read(u"x-unknown", "\xC1", 1251), u"\u0411");
    EXPECT_EQ(Read(u"koi8", "\xC1", 1251), u"\u0411");
    EXPECT_EQ(Read(u"KOI8-WIN", "\xC1", 1251), u"\u042E");  // a built-in table only
    EXPECT_EQ(Read(u"koi8-r ", "\xC1", 1252), u"\u00C1");   // names match whole
    // A code page that this system lacks: GB18030.
    EXPECT_EQ(Read(u"gb18030", "\xC4\xE3", 936), u"\u4F60");
    posix.codePages.SetAnsiCodePage(1251);
    EXPECT_EQ(EncodedWordText("koi8-r*ru?Q?=C1?=", "\xC1"), u"\u0430");
    EXPECT_EQ(EncodedWordText("koi8-rx?Q?=C1?=", "\xC1"), u"\u0430");  // the koi8-r table
    EXPECT_EQ(EncodedWordText("UTF-8x?Q?x?=", "\xC3\xA9"), u"\u00E9");
}

// Where the ANSI code page is the one that a built-in table translates into, every character that
// the table and the ANSI code page read right still reads the same.
TEST_F(ConversionRulesTest, WhatTheTablesReadRightInTheirCodePageReadsTheSame) {
    const struct {
        const char* table;
        const char* iconvName;
        std::uint32_t target;
        int atLeast;  // the characters of the upper half that read right
    } cases[] = {
        {"koi8-r", "KOI8-R", 1251, 66},
        {"koi8-u", "KOI8-U", 1251, 74},
        {"ibm866", "IBM866", 1251, 64},
        {"ISO-8859-5", "ISO-8859-5", 1251, 64},
        {"x-mac-cyrillic", "MAC-CYRILLIC", 1251, 66},
        {"ISO-8859-2", "ISO-8859-2", 1250, 96},
        {"ISO-8859-7", "ISO-8859-7", 1253, 80},
        {"ISO-8859-15", "ISO-8859-15", 1252, 96},
        {"ISO-8859-1", "ISO-8859-1", 1252, 96},
        {"ISO-8859-9", "ISO-8859-9", 1254, 96},
        {"Windows-1250", "CP1250", 1250, 120},
        {"Windows-1251", "CP1251", 1251, 127},
        {"Windows-1253", "CP1253", 1253, 110},
        {"Windows-1257", "CP1257", 1257, 110},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        const CharsetTable* table = nullptr;
        for (const CharsetTable& builtIn : BuiltInCharsetTables()) {
            if (EqualsIgnoringCase(std::string_view(builtIn.asciiName.data()), c.table))
                table = &builtIn;
        }
        ASSERT_NE(table, nullptr);
        const WideString charset(std::u16string(c.table, c.table + std::strlen(c.table)));
        int same = 0;
        for (int b = 0x80; b < 0x100; ++b) {
            std::string byte(1, static_cast<char>(b));
            const std::u16string direct = Read(charset.CStr(), byte, c.target);
            Translate(table, byte.data(), 1);
            const std::u16string before = posix.codePages.ToWide(c.target, byte);
            const auto character =
                testing::IconvCharacter(c.iconvName, static_cast<unsigned char>(b));
            if (!character || before != std::u16string(1, static_cast<char16_t>(*character)))
                continue;
            // Windows reads these two quotation marks of ISO-8859-7 as the modifier letters of
            // the standard's first edition (U+02BD, U+02BC).
            if (std::string_view(c.table) == "ISO-8859-7" && (b == 0xA1 || b == 0xA2)) continue;
            EXPECT_EQ(direct, before) << b;
            ++same;
        }
        EXPECT_GE(same, c.atLeast);
    }
}

}  // namespace
}  // namespace ombrel
