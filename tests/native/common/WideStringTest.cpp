#include "common/WideString.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/Exceptions.h"
#include "platform/ResourceStrings.h"
#include "tests/support/NativeTestPlatform.h"

namespace ombrel {
namespace {

HResult ResultOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const CAtlException& e) {
        return e.Result();
    }
    return hr::kOk;
}

TEST(WideStringConstruction, NullAndEmptyTextsAreEmptyAndZeroTerminated) {
    const WideString fromNull(static_cast<const char16_t*>(nullptr));
    EXPECT_TRUE(fromNull.IsEmpty());
    EXPECT_EQ(fromNull.Length(), 0);
    EXPECT_EQ(fromNull.CStr()[0], u'\0');
    EXPECT_EQ(WideString().CharAt(0), u'\0');
}

TEST(WideStringConstruction, CopiesAreIndependentValues) {
    WideString original(u"Main");
    WideString copy = original;
    copy += u"\\Inbox";
    EXPECT_EQ(original, WideString(u"Main"));
    EXPECT_EQ(copy, WideString(u"Main\\Inbox"));
}

TEST(WideStringConcatenation, EveryFormGivesTheExactText) {
    const WideString a(u"ab");
    EXPECT_EQ(a + WideString(u"cd"), WideString(u"abcd"));
    EXPECT_EQ(a + u"cd", WideString(u"abcd"));
    EXPECT_EQ(u"cd" + a, WideString(u"cdab"));
    EXPECT_EQ(a + u'\\', WideString(u"ab\\"));
    WideString b(u"x");
    b += u'\0';  // an appended zero unit counts in the length
    EXPECT_EQ(b.Length(), 2);
}

TEST(WideStringFind, FindsTheFirstExactOccurrence) {
    EXPECT_EQ(WideString(u"%APPDATA%\\The Bat!\\").Find(u"%APPDATA%"), 0);
    EXPECT_EQ(WideString(u"C:\\Mail\\").Find(u"%APPDATA%"), -1);
    EXPECT_EQ(WideString(u"abcabc").Find(u"ca"), 2);
    EXPECT_EQ(WideString(u"%appdata%").Find(u"%APPDATA%"), -1);  // case-sensitive
    EXPECT_EQ(WideString(u"abc").Find(nullptr), -1);
}

TEST(WideStringReplace, ReplacesEveryNonOverlappingOccurrence) {
    WideString path(u"%APPDATA%\\x\\%APPDATA%");
    EXPECT_EQ(path.Replace(u"%APPDATA%", u"D:\\AD"), 2);
    EXPECT_EQ(path, WideString(u"D:\\AD\\x\\D:\\AD"));

    WideString runs(u"aaaa");
    EXPECT_EQ(runs.Replace(u"aa", u"a"), 2);
    EXPECT_EQ(runs, WideString(u"aa"));

    WideString grows(u"dll.dll");
    EXPECT_EQ(grows.Replace(u"dll", u"dlldll"), 2);  // the new text is not scanned again
    EXPECT_EQ(grows, WideString(u"dlldll.dlldll"));
}

TEST(WideStringReplace, AnEmptyOrNullOldTextReplacesNothing) {
    WideString text(u"abc");
    EXPECT_EQ(text.Replace(u"", u"x"), 0);
    EXPECT_EQ(text.Replace(nullptr, u"x"), 0);
    EXPECT_EQ(text.Replace(u"b", nullptr), 1);  // a null new text removes
    EXPECT_EQ(text, WideString(u"ac"));
}

TEST(WideStringEditing, InsertAndDeleteWithinTheRange) {
    WideString text(u"Mail");
    text.Insert(0, u"C:\\");
    EXPECT_EQ(text, WideString(u"C:\\Mail"));
    text.Insert(text.Length(), u"\\");
    EXPECT_EQ(text, WideString(u"C:\\Mail\\"));
    text.Delete(0, 2);
    EXPECT_EQ(text, WideString(u"\\Mail\\"));
    text.Delete(4, 100);  // removes up to the end
    EXPECT_EQ(text, WideString(u"\\Mai"));
}

TEST(WideStringEditing, PositionsOutsideTheTextRaiseInvalidArg) {
    WideString text(u"abc");
    EXPECT_EQ(ResultOf([&] { text.Insert(4, u"x"); }), hr::kInvalidArg);
    EXPECT_EQ(ResultOf([&] { text.Insert(-1, u"x"); }), hr::kInvalidArg);
    EXPECT_EQ(ResultOf([&] { text.Delete(-1, 1); }), hr::kInvalidArg);
    EXPECT_EQ(ResultOf([&] { text.Delete(0, -1); }), hr::kInvalidArg);
    EXPECT_EQ(text, WideString(u"abc"));
}

TEST(WideStringCharAt, TheLengthGivesTheTerminatorAndBeyondRaises) {
    const WideString text(u"abc");
    EXPECT_EQ(text.CharAt(2), u'c');
    EXPECT_EQ(text.CharAt(3), u'\0');
    EXPECT_EQ(ResultOf([&] { text.CharAt(-1); }), hr::kInvalidArg);
    EXPECT_EQ(ResultOf([&] { text.CharAt(4); }), hr::kInvalidArg);
}

TEST(WideStringFormat, FormatsNumbersAndTexts) {
    EXPECT_EQ(WideString::Formatted(u"User #%d", 12), WideString(u"User #12"));
    EXPECT_EQ(WideString::Formatted(u"%s (%d)", WideString(u"Main\\Inbox"), 3),
              WideString(u"Main\\Inbox (3)"));
    EXPECT_EQ(WideString::Formatted(u"%d", -7), WideString(u"-7"));
    EXPECT_EQ(WideString::Formatted(u"%05x|%X|%u", 0x1F, 0xABu, 4000000000u),
              WideString(u"0001f|AB|4000000000"));
    EXPECT_EQ(WideString::Formatted(u"[%4d][%-4d][%.2s][%c][%%]", 7, 7, u"abc", u'Z'),
              WideString(u"[   7][7   ][ab][Z][%]"));
    EXPECT_EQ(WideString::Formatted(u",%d", 202), WideString(u",202"));
}

TEST(WideStringFormat, ReplacesTheWholeContent) {
    WideString text(u"old text");
    text.Format(u"Indexed %d", 0);
    EXPECT_EQ(text, WideString(u"Indexed 0"));
}

TEST(WideStringFormat, BadPatternsRaiseInvalidArg) {
    WideString text(u"kept");
    EXPECT_EQ(ResultOf([&] { text.Format(nullptr, 1); }), hr::kInvalidArg);
    EXPECT_EQ(ResultOf([&] { text.Format(u"%d %d", 1); }), hr::kInvalidArg);
    EXPECT_EQ(ResultOf([&] { text.Format(u"%s", 1); }), hr::kInvalidArg);
    EXPECT_EQ(ResultOf([&] { text.Format(u"%d", u"x"); }), hr::kInvalidArg);
    EXPECT_EQ(ResultOf([&] { text.Format(u"50%"); }), hr::kInvalidArg);
    EXPECT_EQ(text, WideString(u"kept"));
}

class WideStringFromTable : public testing::PluginTest {};

TEST_F(WideStringFromTable, LoadsTextsByIdAndMissingIdsAreEmpty) {
    EXPECT_EQ(WideString(StringId{100}), WideString(u"Ombrel Desktop The Bat!"));
    EXPECT_EQ(LoadResourceString(103),
              WideString(u"Plugin wasn't initialized properly!\r\nProbably your The Bat! version "
                         u"is too low.\r\nOr something wrong with Ombrel Desktop."));
    EXPECT_TRUE(LoadResourceString(999).IsEmpty());
    EXPECT_TRUE(LoadResourceString(110).IsEmpty());
}

}  // namespace
}  // namespace ombrel
