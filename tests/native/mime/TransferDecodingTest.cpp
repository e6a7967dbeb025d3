#include "mime/TransferDecoding.h"

#include <gtest/gtest.h>

#include <string>

namespace ombrel {
namespace {

std::string QuotedPrintable(std::string_view text,
                            QuotedPrintableForm form = QuotedPrintableForm::Body) {
    std::string out(text.size(), '\0');
    std::size_t length = 0;
    EXPECT_TRUE(decodeQuotedPrintable(text.data(), text.size(), out.data(), &length, form));
    EXPECT_LE(length, text.size());
    out.resize(length);
    return out;
}

std::string Base64(std::string_view text) {
    std::string out(text.size(), '\0');
    std::size_t length = out.size();
    EXPECT_TRUE(decodeBase64(text.data(), text.size(), out.data(), &length));
    out.resize(length);
    return out;
}

TEST(QuotedPrintable, EscapesDecodeInEitherCase) {
    EXPECT_EQ(QuotedPrintable("=3D"), "=");
    EXPECT_EQ(QuotedPrintable("=c3=a9"), "\xC3\xA9");
    EXPECT_EQ(QuotedPrintable("caf=C3=A9!"), "caf\xC3\xA9!");
    EXPECT_EQ(QuotedPrintable("=00"), std::string(1, '\0'));
}

TEST(QuotedPrintable, UnderscoresAreBlanksOnlyInEncodedWords) {
    EXPECT_EQ(QuotedPrintable("a_b"), "a_b");
    EXPECT_EQ(QuotedPrintable("a_b=41", QuotedPrintableForm::EncodedWord), "a bA");
    EXPECT_EQ(QuotedPrintable("=_", QuotedPrintableForm::EncodedWord), "= ");
}

TEST(QuotedPrintable, SoftLineBreaksJoinLinesWhateverTheirLineEnd) {
    EXPECT_EQ(QuotedPrintable("long=\r\nline"), "longline");
    EXPECT_EQ(QuotedPrintable("long=\nline"), "longline");
    EXPECT_EQ(QuotedPrintable("long=\rline"), "longline");
    EXPECT_EQ(QuotedPrintable("hard\r\nbreak"), "hard\r\nbreak");
}

TEST(QuotedPrintable, AnEqualsSignWithoutTwoHexDigitsIsCopied) {
    EXPECT_EQ(QuotedPrintable("=  x"), "=  x");
    EXPECT_EQ(QuotedPrintable("a=G1b"), "a=G1b");
    EXPECT_EQ(QuotedPrintable("a=4"), "a=4");
    EXPECT_EQ(QuotedPrintable("a=4Z"), "a=4Z");
    EXPECT_EQ(QuotedPrintable("100%="), "100%=");
    EXPECT_EQ(QuotedPrintable("="), "=");
    EXPECT_EQ(QuotedPrintable("x==41"), "x=A");
}

TEST(QuotedPrintable, NullTargetsWriteNothing) {
    std::size_t length = 7;
    char out[4];
    EXPECT_FALSE(decodeQuotedPrintable("ab", 2, nullptr, &length));
    EXPECT_EQ(length, 7U);
    EXPECT_FALSE(decodeQuotedPrintable("ab", 2, out, nullptr));
    EXPECT_TRUE(decodeQuotedPrintable("", 0, out, &length));
    EXPECT_EQ(length, 0U);
}

TEST(Base64, GroupsYieldTheWholeBytesTheyHold) {
    EXPECT_EQ(Base64("QUJD"), "ABC");
    EXPECT_EQ(Base64("QUI="), "AB");
    EXPECT_EQ(Base64("QQ"), "A");
    EXPECT_EQ(Base64("Q"), "");
    EXPECT_EQ(Base64(""), "");
    EXPECT_EQ(Base64("+/+/"), "\xFB\xFF\xBF");
}

TEST(Base64, EverythingOutsideTheAlphabetIsSkipped) {
    EXPECT_EQ(Base64("QUJD\r\nREVG\r\n"), "ABCDEF");
    EXPECT_EQ(Base64(" Q U\tJ D "), "ABC");
    EXPECT_EQ(Base64("QQ==QUJD"), Base64("QQQUJD"));  // padding does not end the data
    EXPECT_EQ(Base64("!!!"), "");
}

TEST(Base64, DataThatDoesNotFitIsCountedButNotWritten) {
    char out[2] = {'x', 'x'};
    std::size_t length = 2;
    EXPECT_FALSE(decodeBase64("QUJDREVG", 8, out, &length));
    EXPECT_EQ(length, 6U);
    length = 100;
    EXPECT_FALSE(decodeBase64("QUJD", 4, nullptr, &length));
    EXPECT_EQ(length, 3U);
    EXPECT_FALSE(decodeBase64(nullptr, 4, out, &length));
    EXPECT_FALSE(decodeBase64("QUJD", 4, out, nullptr));
}

}  // namespace
}  // namespace ombrel
