#include "host/ComModule.h"

#include <gtest/gtest.h>

#include <vector>

#include "host/ComServer.h"
#include "host/RegistryScript.h"
#include "tests/support/NativeTestPlatform.h"

namespace ombrel {
namespace {

constexpr auto kClasses = platform::Registry::kClassesRoot;
constexpr const char16_t* kAppIdKey = u"AppID\\{e6895e72-8741-44b3-900e-01ed98d1a6d3}";
constexpr const char16_t* kDllKey = u"AppID\\OmbrelDesktopTheBat.DLL";
constexpr std::uint32_t kSwedish = 0x041D;

// A thread locale that records what it was set to.
class RecordingLocale final : public platform::ThreadLocale {
  public:
    std::uint32_t Get() const override { return current; }
    bool Set(std::uint32_t locale) override {
        set.push_back(locale);
        current = locale;
        return true;
    }
    std::uint32_t current = kSwedish;
    std::vector<std::uint32_t> set;
};

platform::Ports WithLocale(platform::ThreadLocale& locale) {
    platform::Ports ports = platform::CurrentPorts();
    ports.threadLocale = &locale;
    return ports;
}

class ComModuleTest : public testing::PluginTest {
  protected:
    RecordingLocale locale;
    const platform::ScopedPorts withLocale{WithLocale(locale)};
};

TEST_F(ComModuleTest, RegisteringWritesTheAppIdEntriesOfTheResourcesScript) {
    EXPECT_EQ(RegisterModule(), hr::kOk);
    EXPECT_TRUE(posix.registry.HasKey(kClasses, kAppIdKey));
    EXPECT_TRUE(posix.registry.HasKey(kClasses, kDllKey));
    EXPECT_EQ(posix.registry.OpenKeyCount(), 0U);

    EXPECT_EQ(UnregisterModule(), hr::kOk);
    EXPECT_FALSE(posix.registry.HasKey(kClasses, kAppIdKey));
    EXPECT_FALSE(posix.registry.HasKey(kClasses, kDllKey));
    EXPECT_TRUE(posix.registry.HasKey(kClasses, u"AppID"));
}

TEST_F(ComModuleTest, TheThreadLocaleIsTheSystemDefaultWhileRegistering) {
    EXPECT_EQ(RegisterModule(), hr::kOk);
    EXPECT_EQ(UnregisterModule(), hr::kOk);
    EXPECT_EQ(locale.set, (std::vector<std::uint32_t>{0x0800, kSwedish, 0x0800, kSwedish}));
}

TEST_F(ComModuleTest, AMissingOrBrokenScriptFailsAndTheLocaleIsRestored) {
    posix.moduleFile.SetRegistryScript(101, std::nullopt);
    EXPECT_EQ(RegisterModule(), MakeHResult(0x80070716));
    posix.moduleFile.SetRegistryScript(101, "HKCR { NoRemove AppID { '%APPID%' = s 'x' ");
    EXPECT_EQ(UnregisterModule(), kScriptSyntaxError);
    EXPECT_EQ(locale.current, kSwedish);
    EXPECT_FALSE(posix.registry.HasKey(kClasses, u"AppID"));
}

TEST_F(ComModuleTest, WithoutTheModuleObjectNothingIsRegistered) {
    TearDownComModule();
    EXPECT_EQ(RegisterModule(), hr::kUnexpected);
    EXPECT_EQ(UnregisterModule(), hr::kUnexpected);
    EXPECT_TRUE(locale.set.empty());
    EXPECT_TRUE(SetUpComModule());
}

TEST_F(ComModuleTest, TheModuleServesNoClassAndCanAlwaysUnload) {
    EXPECT_EQ(COmbrelDesktopSearchTheBatModule().AppId(),
              WideString(u"{e6895e72-8741-44b3-900e-01ed98d1a6d3}"));
    EXPECT_EQ(CanUnloadNow(), hr::kOk);
    void* object = &object;
    EXPECT_EQ(GetClassObject(&object), hr::kClassNotAvailable);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(GetClassObject(nullptr), hr::kPointer);
}

}  // namespace
}  // namespace ombrel
