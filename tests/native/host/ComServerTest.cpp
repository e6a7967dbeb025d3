#include "host/ComServer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "host/ComModule.h"
#include "host/PluginApi.h"
#include "host/PluginState.h"
#include "tests/support/HostEnvironment.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

using Methods = std::vector<std::string>;

constexpr auto kUser = platform::Registry::kCurrentUser;
constexpr auto kClasses = platform::Registry::kClassesRoot;
constexpr HResult kRefused = MakeHResult(0x80040200);

// The host keeps its data in a scratch directory; the library is registered with the indexer.
class ComServerTest : public testing::PluginTest {
  protected:
    ComServerTest() {
        testing::InstallHostEnvironment(posix, scratch.Directory(u"Bat").View());
        std::filesystem::create_directories(scratch.Local(u"Bat"));
    }

    void SetHostValue(const char16_t* name, std::u16string_view value) {
        posix.registry.PutString(kUser, testing::kHostKey, name, value);
    }
    void Unregister() { posix.registry.DeleteKey(kUser, testing::kComponentKey); }
    bool Listed() const { return ListText().find(kOwnEntry) != std::string::npos; }
    std::string ListText() const { return scratch.Read(u"Bat\\TBPlugin.INI"); }

    static constexpr const char* kOwnEntry =
        "Plugin #1=C:\\Program Files\\Ombrel\\OmbrelDesktopTheBat.dll";
    testing::TempDirectory scratch;
};

TEST_F(ComServerTest, RegisteringListsTheLibraryInTheHostsDataDirectory) {
    EXPECT_EQ(RegisterServer(), 1);
    EXPECT_TRUE(Listed());
    EXPECT_NE(ListText().find("Count=1"), std::string::npos);
    EXPECT_TRUE(journal.Calls().empty());
    EXPECT_TRUE(posix.messageBoxes.Shown().empty());
}

TEST_F(ComServerTest, AFirstRegistrationRegistersModuleAndComponentAndListsTheLibrary) {
    Unregister();
    EXPECT_EQ(RegisterServer(), 0);
    EXPECT_TRUE(posix.registry.HasKey(kClasses, u"AppID\\OmbrelDesktopTheBat.DLL"));
    EXPECT_EQ(journal.Methods().back(), "CommitComponent");
    EXPECT_TRUE(Listed());
}

TEST_F(ComServerTest, AFailedComponentRegistrationLeavesTheListAlone) {
    Unregister();
    journal.Script("CommitComponent", kRefused);
    EXPECT_EQ(RegisterServer(), kRefused);
    EXPECT_FALSE(std::filesystem::exists(scratch.Local(u"Bat\\TBPlugin.INI")));
}

TEST_F(ComServerTest, WithoutTheWorkingDirectoryNoListIsEdited) {
    posix.registry.Clear();
    EXPECT_EQ(RegisterServer(), 1);
    EXPECT_EQ(posix.messageBoxes.Shown().size(), 1U);
    EXPECT_TRUE(State().pluginIniPath.IsEmpty());
    EXPECT_TRUE(std::filesystem::is_empty(scratch.Local(u"Bat")));
}

TEST_F(ComServerTest, AWarningAfterAnEarlierStartEditsTheListFoundThen) {
    plugin::Initialize();
    plugin::Finalize();
    SetHostValue(u"Version", u"2.0.4.7");
    EXPECT_EQ(RegisterServer(), 1);
    EXPECT_EQ(posix.messageBoxes.Shown().size(), 1U);
    EXPECT_TRUE(Listed());
}

TEST_F(ComServerTest, WithoutItsOwnPathTheLibraryListsNothing) {
    posix.moduleFile.SetPath(WideString());
    EXPECT_EQ(RegisterServer(), 1);
    EXPECT_TRUE(std::filesystem::is_empty(scratch.Local(u"Bat")));
}

TEST_F(ComServerTest, UnregisteringRemovesComponentModuleAndListEntry) {
    ASSERT_EQ(RegisterModule(), hr::kOk);
    ASSERT_EQ(RegisterServer(), 1);
    journal.Script("RemoveComponent", kRefused);  // ignored
    EXPECT_EQ(UnregisterServer(), hr::kOk);
    EXPECT_EQ(journal.Methods(), (Methods{"CreateRegistrar", "RemoveComponent"}));
    EXPECT_FALSE(posix.registry.HasKey(kClasses, u"AppID\\OmbrelDesktopTheBat.DLL"));
    EXPECT_TRUE(posix.registry.HasKey(kClasses, u"AppID"));
    // The count drops; the old key stays above it.
    EXPECT_NE(ListText().find("Count=0"), std::string::npos);
}

TEST_F(ComServerTest, UnregisteringWithoutTheHostOrItsDirectoryLeavesTheListAlone) {
    ASSERT_EQ(RegisterServer(), 1);
    const std::string list = ListText();
    SetHostValue(u"Working Directory", u"");
    EXPECT_EQ(UnregisterServer(), hr::kOk);
    EXPECT_EQ(ListText(), list);
    // Without the host's key the result is the module's own.
    posix.moduleFile.SetRegistryScript(101, std::nullopt);
    posix.registry.Clear();
    EXPECT_EQ(UnregisterServer(), MakeHResult(0x80070716));
    EXPECT_EQ(ListText(), list);
}

TEST_F(ComServerTest, UnregisteringWithoutTheApplicationDataFolderReturnsOne) {
    posix.shell.SetAppDataFolder(scratch.File(u"AppData"));
    std::filesystem::create_directories(scratch.Local(u"AppData\\The Bat!"));
    SetHostValue(u"Working Directory", u"%APPDATA%\\The Bat!");
    ASSERT_EQ(RegisterServer(), 1);
    ASSERT_NE(scratch.Read(u"AppData\\The Bat!\\TBPlugin.INI").find(kOwnEntry), std::string::npos);

    posix.shell.SetAppDataFolder(std::nullopt);
    EXPECT_EQ(UnregisterServer(), hr::kFalse);
    EXPECT_NE(scratch.Read(u"AppData\\The Bat!\\TBPlugin.INI").find(kOwnEntry), std::string::npos);

    posix.shell.SetAppDataFolder(scratch.File(u"AppData"));
    EXPECT_EQ(UnregisterServer(), hr::kOk);
    EXPECT_NE(scratch.Read(u"AppData\\The Bat!\\TBPlugin.INI").find("Count=0"), std::string::npos);
}

TEST_F(ComServerTest, AnExceptionInsideTheExportsBecomesAFailure) {
    class BrokenProfiles final : public platform::ProfileFiles {
      public:
        std::uint32_t GetString(const char16_t*, const char16_t*, const char16_t*, char16_t*,
                                std::uint32_t, const char16_t*) const override {
            throw std::runtime_error("disk gone");
        }
        std::uint32_t GetInt(const char16_t*, const char16_t*, std::int32_t,
                             const char16_t*) const override {
            throw std::runtime_error("disk gone");
        }
        bool WriteString(const char16_t*, const char16_t*, const char16_t*,
                         const char16_t*) override {
            throw std::runtime_error("disk gone");
        }
    } broken;
    platform::Ports ports = platform::CurrentPorts();
    ports.profiles = &broken;
    const platform::ScopedPorts scoped(ports);
    EXPECT_EQ(plugin::RegisterServer(), hr::kFail);
    EXPECT_EQ(plugin::UnregisterServer(), hr::kFail);
}

}  // namespace
}  // namespace ombrel
