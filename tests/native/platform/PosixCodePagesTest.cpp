#include "platform/posix/PosixCodePages.h"

#include <gtest/gtest.h>

namespace ombrel::platform::posix {
namespace {

TEST(PosixCodePages, TheAnsiCodePagesOfSystemAndThreadAreTheSetting) {
    PosixCodePages codePages;
    EXPECT_EQ(codePages.AnsiCodePage(), 1252U);
    EXPECT_EQ(codePages.ToWide(codepage::kAnsi, "\xC0"), u"\u00C0");
    codePages.SetAnsiCodePage(1251);
    EXPECT_EQ(codePages.ToWide(codepage::kAnsi, "\xC0"), u"\u0410");
    EXPECT_EQ(codePages.ToWide(codepage::kThreadAnsi, "\xC0"), u"\u0410");
    EXPECT_EQ(codePages.ToMultiByte(codepage::kThreadAnsi, u"\u0410"), "\xC0");
    codePages.SetAnsiCodePage(932);
    EXPECT_EQ(codePages.ToWide(codepage::kAnsi, "\x82\xA0"), u"\u3042");
    EXPECT_EQ(codePages.ToWide(1251, "\xC0"), u"\u0410");  // a code page named is not the setting
}

TEST(PosixCodePages, EveryListedCodePageConvertsBothWays) {
    PosixCodePages codePages;
    for (const std::uint32_t codePage :
         {866U, 874U, 932U, 936U, 949U, 950U, 1250U, 1251U, 1252U, 1253U, 1254U, 1255U, 1256U,
          1257U, 1258U, 10007U, 20866U, 20932U, 21866U, 28592U, 28593U, 28594U, 28595U, 28596U,
          28597U, 28598U, 28603U, 28605U, codepage::kUtf7, codepage::kUtf8}) {
        EXPECT_TRUE(codePages.IsAvailable(codePage)) << codePage;
        EXPECT_EQ(codePages.ToWide(codePage, "Plain ASCII"), u"Plain ASCII") << codePage;
        EXPECT_EQ(codePages.ToMultiByte(codePage, u"Plain ASCII"), "Plain ASCII") << codePage;
    }
}

// Code pages that Windows implements in code rather than in a code-page file, which Wine lacks
// too: as on a system without them, they are not there and convert nothing.
TEST(PosixCodePages, CodePagesWithoutATableAreAbsent) {
    PosixCodePages codePages;
    for (const std::uint32_t codePage : {54936U, 50220U, 50221U, 50222U, 51932U}) {
        EXPECT_FALSE(codePages.IsAvailable(codePage)) << codePage;
        EXPECT_EQ(codePages.ToWide(codePage, "\xC4\xE3"), u"") << codePage;
        EXPECT_EQ(codePages.ToMultiByte(codePage, u"\u4F60"), "") << codePage;
    }
}

}  // namespace
}  // namespace ombrel::platform::posix
