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
         {874U, 932U, 936U, 949U, 950U, 1250U, 1251U, 1252U, 1253U, 1254U, 1255U, 1256U, 1257U,
          1258U, codepage::kUtf7, codepage::kUtf8}) {
        EXPECT_EQ(codePages.ToWide(codePage, "Plain ASCII"), u"Plain ASCII") << codePage;
        EXPECT_EQ(codePages.ToMultiByte(codePage, u"Plain ASCII"), "Plain ASCII") << codePage;
    }
}

}  // namespace
}  // namespace ombrel::platform::posix
