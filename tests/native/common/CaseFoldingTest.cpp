#include "common/CaseFolding.h"

#include <gtest/gtest.h>

namespace ombrel {
namespace {

TEST(CaseFolding, LettersOfEveryFoldedRangeBecomeUpperCase) {
    EXPECT_EQ(FoldCase(u"c:\\program files\\the bat!"), u"C:\\PROGRAM FILES\\THE BAT!");
    EXPECT_EQ(FoldCase(u"caf\u00E9 \u00FF \u00F7 \u00DF"), u"CAF\u00C9 \u0178 \u00F7 \u00DF");
    // Latin Extended-A: pairs from 0x0100, shifted by one from 0x0139 and from 0x0179.
    EXPECT_EQ(FoldCase(u"\u0101\u0107\u013A\u0142\u0148\u0149\u0151\u017A\u017E\u017F"),
              u"\u0100\u0106\u0139\u0141\u0147\u0149\u0150\u0179\u017D\u017F");
    EXPECT_EQ(FoldCase(u"\u0131\u0138"), u"\u0131\u0138");
    EXPECT_EQ(FoldCase(u"\u03B1\u03C2\u03C9"), u"\u0391\u03C2\u03A9");
    EXPECT_EQ(FoldCase(u"\u0430\u044F\u0451\u045F"), u"\u0410\u042F\u0401\u040F");
    EXPECT_EQ(FoldCase(u"\u0100\u0410\u4E2D"), u"\u0100\u0410\u4E2D");
}

}  // namespace
}  // namespace ombrel
