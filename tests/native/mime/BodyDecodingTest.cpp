#include "mime/BodyDecoding.h"

#include <gtest/gtest.h>

#include "tests/native/mime/ParserTest.h"

namespace ombrel {
namespace {

using BodyDecodingTest = testing::ParserTest;

std::string Single(const std::string& headers, const std::string& body) {
    return headers + "\r\n" + body;
}

TEST_F(BodyDecodingTest, PlainBodiesAreCopiedAndTranslatedByTheirCharset) {
    EXPECT_EQ(Text(Parse(Single("", "Caf\xE9\r\n"))), u"Caf\u00E9\r\n");
    EXPECT_EQ(Text(Parse(Single("Content-Type: text/plain; charset=koi8-r\r\n"
                                "Content-Transfer-Encoding: 8bit\r\n",
                                "\xF0\xD2\xC9\xD7\xC5\xD4"),
                         1251)),
              u"\u041F\u0440\u0438\u0432\u0435\u0442");
    // Any encoding but the two, a trailing blank included, copies the body.
    EXPECT_EQ(Text(Parse(Single("Content-Transfer-Encoding: base64 \r\n", "QUJD"))), u"QUJD");
    EXPECT_EQ(Text(Parse(Single("Content-Transfer-Encoding: x-uuencode\r\n", "abc"))), u"abc");
}

TEST_F(BodyDecodingTest, QuotedPrintableBodiesKeepUnderscoresAndBadEscapes) {
    const ParsedMessage& m =
        Parse(Single("Content-Type: text/plain; charset=utf-8\r\n"
                     "Content-Transfer-Encoding: Quoted-Printable\r\n",
                     "snake_case caf=C3=A9 50%=ZZ so=\r\nft"));
    EXPECT_EQ(Text(m), u"snake_case caf\u00E9 50%=ZZ soft");
}

TEST_F(BodyDecodingTest, Base64BodiesDecodeAcrossLines) {
    const ParsedMessage& m =
        Parse(Single("Content-Type: text/html; charset=UTF-8\r\n"
                     "Content-Transfer-Encoding: BASE64\r\n",
                     "PHA+0J/RgNC4\r\n0LLQtdGCPC9wPg==\r\n"));
    EXPECT_EQ(Text(m), u"<p>\u041F\u0440\u0438\u0432\u0435\u0442</p>");
}

TEST_F(BodyDecodingTest, Utf7BodiesUseTheirCodePage) {
    EXPECT_EQ(Text(Parse(Single("Content-Type: text/plain; charset=utf-7\r\n", "Hi +ZeVnLA-"))),
              u"Hi \u65E5\u672C");
}

TEST_F(BodyDecodingTest, AZeroByteEndsTheText) {
    EXPECT_EQ(Text(Parse(Single("", std::string("before\0after", 12)))), u"before");
    EXPECT_EQ(Text(Parse(Single("Content-Transfer-Encoding: quoted-printable\r\n", "a=00b"))),
              u"a");
}

TEST_F(BodyDecodingTest, AUtf8SequenceCutByTheEndIsReadWithTheTerminator) {
    // The zero after the body ends the cut sequence; the byte before it is kept.
    EXPECT_EQ(Text(Parse(Single("Content-Type: text/plain; charset=utf-8\r\n",
                                "x\xE2"
                                "A"))),
              u"x\uFFFDA");
}

TEST_F(BodyDecodingTest, OnlyTextPartsAreDecoded) {
    const ParsedMessage& image = Parse(Single("Content-Type: image/png\r\n", "PNG"));
    WideString text(u"kept");
    EXPECT_FALSE(decodeBody(image, text));
    EXPECT_EQ(text.Std(), u"kept");
    EXPECT_FALSE(decodeBody(Parse(Single("Content-Type: application/x-text\r\n", "x")), text));
    EXPECT_TRUE(decodeBody(Parse(Single("Content-Type: TEXT/weird\r\n", "x")), text));
    EXPECT_EQ(text.Std(), u"x");
}

TEST_F(BodyDecodingTest, BodiesWithoutARangeAreEmpty) {
    ParsedMessage part;
    part.content.type = u"text";
    WideString text(u"kept");
    EXPECT_TRUE(decodeBody(part, text));
    EXPECT_EQ(text.Std(), u"");
    part.content.transferEncoding = u"quoted-printable";
    EXPECT_FALSE(decodeBody(part, text));
    part.content.transferEncoding = u"base64";
    EXPECT_FALSE(decodeBody(part, text));
    const char body[] = "abc";
    part.content.bodyBegin = body + 2;
    part.content.bodyEnd = body;  // reversed
    EXPECT_TRUE(decodeBody(part, text));
    EXPECT_EQ(text.Std(), u"");
}

}  // namespace
}  // namespace ombrel
