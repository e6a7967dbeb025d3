#include "common/Paths.h"
#include "platform/AppData.h"

#include <gtest/gtest.h>

#include "common/Exceptions.h"
#include "platform/PluginMessage.h"
#include "platform/ResourceStrings.h"
#include "tests/support/NativeTestPlatform.h"

namespace ombrel {
namespace {

TEST(EnsureTrailingBackslash, AddsOneOnlyWhenMissing) {
    WideString withSlash(u"C:\\Mail\\");
    EnsureTrailingBackslash(withSlash);
    EXPECT_EQ(withSlash, WideString(u"C:\\Mail\\"));

    WideString without(u"C:\\Mail");
    EnsureTrailingBackslash(without);
    EXPECT_EQ(without, WideString(u"C:\\Mail\\"));
}

TEST(EnsureTrailingBackslash, AnEmptyPathRaisesInvalidArg) {
    WideString empty;
    try {
        EnsureTrailingBackslash(empty);
        FAIL() << "no exception";
    } catch (const CAtlException& e) {
        EXPECT_EQ(e.Result(), hr::kInvalidArg);
    }
}

class ExpandAppDataTest : public testing::PluginTest {};

TEST_F(ExpandAppDataTest, ReplacesEveryMarkerByTheFolder) {
    posix.shell.SetAppDataFolder(WideString(u"C:\\Users\\me\\AppData\\Roaming"));
    WideString path(u"%APPDATA%\\The Bat!");
    EXPECT_TRUE(ExpandAppData(path));
    EXPECT_EQ(path, WideString(u"C:\\Users\\me\\AppData\\Roaming\\The Bat!"));
}

TEST_F(ExpandAppDataTest, APathWithoutTheMarkerNeedsNoShell) {
    posix.shell.SetAppDataFolder(std::nullopt);
    WideString path(u"C:\\Mail\\%appdata%");
    EXPECT_TRUE(ExpandAppData(path));
    EXPECT_EQ(path, WideString(u"C:\\Mail\\%appdata%"));
}

TEST_F(ExpandAppDataTest, AFailingShellLeavesThePathAndReportsFailure) {
    posix.shell.SetAppDataFolder(std::nullopt);
    WideString path(u"%APPDATA%\\The Bat!");
    EXPECT_FALSE(ExpandAppData(path));
    EXPECT_EQ(path, WideString(u"%APPDATA%\\The Bat!"));
}

class ShowPluginMessageTest : public testing::PluginTest {};

TEST_F(ShowPluginMessageTest, ShowsTheTextWithTheCaptionAndStyleAndNoOwner) {
    posix.messageBoxes.QueueAnswer(platform::mb::kAnswerOk);
    EXPECT_EQ(ShowPluginMessage(strings::kHostNotDetected), platform::mb::kAnswerOk);
    EXPECT_EQ(ShowPluginMessage(strings::kNotInitialized, platform::mb::kIconError),
              platform::mb::kAnswerOk);
    const auto shown = posix.messageBoxes.Shown();
    ASSERT_EQ(shown.size(), 2U);
    EXPECT_EQ(shown[0].owner, nullptr);
    EXPECT_EQ(shown[0].text, WideString(u"The Bat! is not detected on your computer!"));
    EXPECT_EQ(shown[0].caption, WideString(u"Ombrel Desktop The Bat!"));
    EXPECT_EQ(shown[0].style, 0U);
    EXPECT_EQ(shown[1].style, platform::mb::kIconError);
}

TEST_F(ShowPluginMessageTest, AMissingStringShowsAnEmptyText) {
    ShowPluginMessage(999);
    const auto shown = posix.messageBoxes.Shown();
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_TRUE(shown[0].text.IsEmpty());
    EXPECT_EQ(shown[0].caption, WideString(u"Ombrel Desktop The Bat!"));
}

}  // namespace
}  // namespace ombrel
