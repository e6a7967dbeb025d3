#include "host/Environment.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "host/PluginApi.h"
#include "host/PluginState.h"
#include "tests/support/HostEnvironment.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/ScriptedRegistry.h"

namespace ombrel {
namespace {

constexpr auto kUser = platform::Registry::kCurrentUser;

class EnvironmentTest : public testing::PluginTest {
  protected:
    void SetHostValue(const char16_t* name, std::u16string_view value) {
        posix.registry.PutString(kUser, testing::kHostKey, name, value);
    }
    void RemoveHostValue(const char16_t* name) {
        platform::ScopedKey key(posix.registry);
        posix.registry.OpenKey(kUser, testing::kHostKey, platform::reg::kAllAccess, *key.Receive());
        posix.registry.DeleteValue(key.Get(), name);
    }
    std::vector<std::u16string> MessageTexts() const {
        std::vector<std::u16string> texts;
        for (const auto& box : posix.messageBoxes.Shown()) {
            EXPECT_EQ(box.caption, WideString(u"Ombrel Desktop The Bat!"));
            EXPECT_EQ(box.style, 0U);
            EXPECT_EQ(box.owner, nullptr);
            texts.push_back(box.text.Std());
        }
        return texts;
    }
    // Runs the routine and checks that it closed every key it opened.
    std::int32_t Prepare() {
        const std::int32_t status = PrepareEnvironment();
        EXPECT_EQ(posix.registry.OpenKeyCount(), 0U);
        return status;
    }
};

TEST_F(EnvironmentTest, ARegisteredLibraryOnASupportedHostShowsNothingAndReturnsOne) {
    EXPECT_EQ(Prepare(), 1);
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_TRUE(journal.Calls().empty());
    EXPECT_EQ(State().dataDirectory, WideString(u"C:\\Mail\\"));
    EXPECT_EQ(State().pluginIniPath, WideString(u"C:\\Mail\\TBPlugin.INI"));
}

TEST_F(EnvironmentTest, HostVersionsFrom2048Pass) {
    for (const char16_t* version : {u"2.0.4.8", u"2.0.4.9", u"2.1.0.0", u"3.0.0.0", u"2.0.5.0",
                                    u"10.2.1.3", u"2.0.4.8beta"}) {
        SetHostValue(u"Version", version);
        posix.messageBoxes.Clear();
        EXPECT_EQ(Prepare(), 1) << std::string(version, version + 3);
        EXPECT_TRUE(MessageTexts().empty());
    }
}

TEST_F(EnvironmentTest, OlderHostVersionsShowMessage127) {
    // Missing numbers count as 0, so "3" passes while "2.0.4" does not.
    for (const char16_t* version :
         {u"2.0.4.7", u"1.99.99.99", u"2.0.3.99", u"2.0.4", u"2", u"", u"v2.1.0.0", u"2.0.4.-8"}) {
        SetHostValue(u"Version", version);
        posix.messageBoxes.Clear();
        State().pluginIniPath = WideString();
        EXPECT_EQ(Prepare(), 1);
        EXPECT_EQ(MessageTexts(),
                  std::vector<std::u16string>{u"Your The Bat! version is too low!"});
        EXPECT_TRUE(State().pluginIniPath.IsEmpty());
    }
    SetHostValue(u"Version", u"3");
    posix.messageBoxes.Clear();
    EXPECT_EQ(Prepare(), 1);
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(EnvironmentTest, WindowsOlderThan2000ServicePack3ShowsMessage128AndReadsNoKey) {
    testing::ScriptedRegistry registry(posix.registry);
    platform::Ports ports = platform::CurrentPorts();
    ports.registry = &registry;
    const platform::ScopedPorts scoped(ports);
    posix.systemVersion.SetVersion(5, 0, 2);
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(MessageTexts(), std::vector<std::u16string>{u"Your Windows version is too low!"});
    EXPECT_TRUE(registry.Opened().empty());
    EXPECT_TRUE(State().dataDirectory.IsEmpty());

    posix.messageBoxes.Clear();
    posix.systemVersion.SetVersion(5, 0, 3);
    EXPECT_EQ(Prepare(), 1);
    posix.systemVersion.SetVersion(5, 1, 0);
    EXPECT_EQ(Prepare(), 1);
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(EnvironmentTest, AMissingHostShowsMessage129) {
    posix.registry.Clear();
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(MessageTexts(),
              std::vector<std::u16string>{u"The Bat! is not detected on your computer!"});
    EXPECT_TRUE(State().dataDirectory.IsEmpty());
}

TEST_F(EnvironmentTest, AMissingOrOverlongVersionShowsMessage130) {
    RemoveHostValue(u"Version");
    EXPECT_EQ(Prepare(), 1);
    // 64 units and the terminator are 130 bytes, more than the 128-byte buffer.
    SetHostValue(u"Version", std::u16string(57, u' ') + u"2.0.4.8");
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(MessageTexts(),
              std::vector<std::u16string>(2, u"Unable to detect your The Bat! version!"));
    // 63 units and the terminator fill the buffer exactly.
    SetHostValue(u"Version", std::u16string(56, u' ') + u"2.0.4.8");
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(MessageTexts().size(), 2U);
}

TEST_F(EnvironmentTest, TheValueTypeIsIgnored) {
    const std::u16string text = u"2.1.0.0";
    std::vector<std::uint8_t> bytes(text.size() * 2);
    std::memcpy(bytes.data(), text.data(), bytes.size());  // no terminator either
    posix.registry.PutBytes(kUser, testing::kHostKey, u"Version", platform::reg::kTypeBinary,
                            bytes);
    EXPECT_EQ(Prepare(), 1);
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(EnvironmentTest, AMissingEmptyOrOverlongWorkingDirectoryShowsMessage131) {
    const std::vector<std::u16string> message131 = {
        u"Unable to detecte your The Bat! working directory!"};
    RemoveHostValue(u"Working Directory");
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(MessageTexts(), message131);

    posix.messageBoxes.Clear();
    SetHostValue(u"Working Directory", u"");
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(MessageTexts(), message131);
    EXPECT_TRUE(State().dataDirectory.IsEmpty());

    posix.messageBoxes.Clear();
    SetHostValue(u"Working Directory", u"C:\\" + std::u16string(1021, u'x'));  // 2050 bytes
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(MessageTexts(), message131);
    EXPECT_TRUE(State().pluginIniPath.IsEmpty());
}

TEST_F(EnvironmentTest, TheApplicationDataMarkerBecomesTheFolder) {
    posix.shell.SetAppDataFolder(WideString(u"C:\\Users\\Ann\\AppData\\Roaming"));
    SetHostValue(u"Working Directory", u"%APPDATA%\\The Bat!");
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(State().dataDirectory, WideString(u"C:\\Users\\Ann\\AppData\\Roaming\\The Bat!\\"));
    EXPECT_EQ(State().pluginIniPath,
              WideString(u"C:\\Users\\Ann\\AppData\\Roaming\\The Bat!\\TBPlugin.INI"));
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(EnvironmentTest, WithoutTheApplicationDataFolderBothPathsKeepTheirValuesSilently) {
    EXPECT_EQ(Prepare(), 1);
    SetHostValue(u"Working Directory", u"%APPDATA%\\The Bat!");
    posix.shell.SetAppDataFolder(std::nullopt);
    EXPECT_EQ(Prepare(), 1);
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(State().dataDirectory, WideString(u"C:\\Mail\\"));
    EXPECT_EQ(State().pluginIniPath, WideString(u"C:\\Mail\\TBPlugin.INI"));
}

TEST_F(EnvironmentTest, ADirectoryWithoutBackslashGetsOne) {
    SetHostValue(u"Working Directory", u"D:\\Bat");
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(State().dataDirectory, WideString(u"D:\\Bat\\"));
    EXPECT_EQ(State().pluginIniPath, WideString(u"D:\\Bat\\TBPlugin.INI"));
}

TEST_F(EnvironmentTest, AfterEveryWarningInitialisationStillCompletes) {
    const auto warn = std::vector<std::function<void()>>{
        [&] { posix.systemVersion.SetVersion(4, 0, 6); },
        [&] { posix.registry.Clear(); },
        [&] { RemoveHostValue(u"Version"); },
        [&] { SetHostValue(u"Version", u"2.0.4.7"); },
        [&] { RemoveHostValue(u"Working Directory"); },
        [&] { SetHostValue(u"Working Directory", u""); },
    };
    for (const auto& makeProblem : warn) {
        testing::InstallHostEnvironment(posix);
        posix.systemVersion.SetVersion(10, 0, 0);
        posix.messageBoxes.Clear();
        makeProblem();
        plugin::Initialize();
        EXPECT_EQ(plugin::GetStatus(), 0);
        EXPECT_EQ(posix.messageBoxes.Shown().size(), 1U);
        plugin::Finalize();
    }
}

}  // namespace
}  // namespace ombrel
