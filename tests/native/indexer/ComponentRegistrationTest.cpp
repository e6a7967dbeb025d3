#include "indexer/ComponentRegistration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/HomePage.h"
#include "host/Environment.h"
#include "host/PluginApi.h"
#include "tests/support/HostEnvironment.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/ScriptedRegistry.h"

namespace ombrel {
namespace {

using Args = std::vector<std::optional<std::u16string>>;
using Methods = std::vector<std::string>;

constexpr auto kClasses = platform::Registry::kClassesRoot;
constexpr const char16_t* kComponentId = u"{E6895E72-8741-44B3-900E-01ED98D1A6D3}";
constexpr HResult kRefused = MakeHResult(0x80040200);

// The library is not registered with the indexer yet: its first start registers it.
class ComponentRegistrationTest : public testing::PluginTest {
  protected:
    ComponentRegistrationTest() {
        posix.registry.DeleteKey(platform::Registry::kCurrentUser, testing::kComponentKey);
    }

    std::int32_t Ensure() { return EnsureRegistered(u"The title", u"The description"); }

    std::vector<std::u16string> Messages() const {
        std::vector<std::u16string> texts;
        for (const auto& box : posix.messageBoxes.Shown()) {
            EXPECT_EQ(box.style, 0U);
            EXPECT_EQ(box.owner, nullptr);
            EXPECT_EQ(box.caption, WideString(u"Ombrel Desktop The Bat!"));
            texts.push_back(box.text.Std());
        }
        return texts;
    }

    bool ModuleRegistered() const {
        return posix.registry.HasKey(kClasses, u"AppID\\{e6895e72-8741-44b3-900e-01ed98d1a6d3}");
    }
};

TEST_F(ComponentRegistrationTest, WithTheIndexersKeyNothingIsRegistered) {
    testing::InstallHostEnvironment(posix);
    EXPECT_EQ(Ensure(), 1);
    EXPECT_TRUE(journal.Calls().empty());
    EXPECT_FALSE(ModuleRegistered());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ComponentRegistrationTest, AFirstStartRegistersTheModuleThenTheComponent) {
    EXPECT_EQ(PrepareEnvironment(), 0);
    EXPECT_TRUE(ModuleRegistered());
    const auto calls = journal.Calls();
    ASSERT_EQ(calls.size(), 5U);
    EXPECT_EQ(calls[0].method, "CreateRegistrar");
    EXPECT_EQ(calls[1].method, "DescribeComponent");
    EXPECT_EQ(calls[1].args, (Args{kComponentId, u"Title", u"The Bat! E-Mail Client Plug-In",
                                   u"Description", u"Indexes The Bat! e-mail client messages",
                                   u"Icon", u",202", u"Homepage", kHomePage}));
    EXPECT_EQ(calls[2].method, "OpenRegistration");
    EXPECT_EQ(calls[2].args, Args{u"OmbrelDesktop.IndexingRegistration"});
    EXPECT_EQ(calls[3].method, "AddRegistrationEntry");
    EXPECT_EQ(calls[3].args, Args{std::nullopt});
    EXPECT_EQ(calls[4].method, "CommitComponent");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(journal.LiveObjects(), 0);
}

TEST_F(ComponentRegistrationTest, MissingTitleAndDescriptionStringsAreEmptyTexts) {
    class EmptyTable final : public platform::StringTable {
      public:
        std::optional<std::u16string> Load(std::uint32_t) const override { return std::nullopt; }
    } empty;
    platform::Ports ports = platform::CurrentPorts();
    ports.strings = &empty;
    const platform::ScopedPorts scoped(ports);
    EXPECT_EQ(PrepareEnvironment(), 0);
    const auto calls = journal.Calls();
    ASSERT_GE(calls.size(), 2U);
    EXPECT_EQ(calls[1].args[2], u"");
    EXPECT_EQ(calls[1].args[4], u"");
}

TEST_F(ComponentRegistrationTest, AFailedCommitIsUndoneAndShowsMessage133) {
    journal.Script("CommitComponent", kRefused);
    EXPECT_EQ(Ensure(), kRefused);
    EXPECT_EQ(journal.Methods(),
              (Methods{"CreateRegistrar", "DescribeComponent", "OpenRegistration",
                       "AddRegistrationEntry", "CommitComponent", "RemoveComponent"}));
    EXPECT_EQ(journal.Calls().back().args, Args{kComponentId});
    EXPECT_EQ(Messages(),
              std::vector<std::u16string>{u"Failed to register plug-in in the Ombrel Desktop."});
}

TEST_F(ComponentRegistrationTest, AnAlreadyRegisteredAnswerIsUndoneButCountsAsSuccess) {
    journal.Script("CommitComponent", indexer::kAlreadyRegistered);
    EXPECT_EQ(Ensure(), 0);
    EXPECT_EQ(journal.Methods().back(), "RemoveComponent");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ComponentRegistrationTest, AFailedDescriptionGetsNoFurtherCall) {
    journal.Script("DescribeComponent", kRefused);
    EXPECT_EQ(Ensure(), kRefused);
    EXPECT_EQ(journal.Methods(), (Methods{"CreateRegistrar", "DescribeComponent"}));
    EXPECT_EQ(Messages().size(), 1U);
}

TEST_F(ComponentRegistrationTest, FailuresAfterTheDescriptionAreUndone) {
    for (const char* step : {"OpenRegistration", "AddRegistrationEntry"}) {
        journal.Clear();
        journal.Script(step, kRefused);
        EXPECT_EQ(Ensure(), kRefused) << step;
        const Methods methods = journal.Methods();
        EXPECT_EQ(methods.back(), "RemoveComponent") << step;
        EXPECT_EQ(std::count(methods.begin(), methods.end(), "CommitComponent"), 0) << step;
    }
}

TEST_F(ComponentRegistrationTest, WithoutTheIndexerMessage133ShowsTheCreationFailure) {
    journal.Script("CreateRegistrar", hr::kClassNotRegistered);
    EXPECT_EQ(Ensure(), hr::kClassNotRegistered);
    EXPECT_EQ(journal.Methods(), Methods{"CreateRegistrar"});
    EXPECT_EQ(Messages().size(), 1U);
}

TEST_F(ComponentRegistrationTest, ASuccessCodeOtherThanOkIsTheStatus) {
    journal.Script("CommitComponent", hr::kFalse);
    EXPECT_EQ(Ensure(), 1);
    EXPECT_EQ(journal.Methods().back(), "CommitComponent");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ComponentRegistrationTest, AFailedModuleRegistrationShowsMessage132AndStops) {
    testing::ScriptedRegistry registry(posix.registry);
    registry.Fail("CreateKey", platform::reg::kAccessDenied);
    platform::Ports ports = platform::CurrentPorts();
    ports.registry = &registry;
    const platform::ScopedPorts scoped(ports);
    EXPECT_EQ(Ensure(), FromWin32(platform::reg::kAccessDenied));
    EXPECT_EQ(Messages(), std::vector<std::u16string>{u"Failed to register module."});
    EXPECT_TRUE(journal.Calls().empty());
}

TEST_F(ComponentRegistrationTest, ANegativeStatusLeavesTheLibraryUninitialised) {
    journal.Script("CommitComponent", kRefused);
    plugin::Initialize();
    EXPECT_EQ(plugin::GetStatus(), 1);
    const Methods methods = journal.Methods();
    EXPECT_EQ(std::count(methods.begin(), methods.end(), "CreateEventFactory"), 0);
}

TEST_F(ComponentRegistrationTest, ExtraEntriesFollowTheNullEntryInOrder) {
    EXPECT_EQ(RegisterComponent(indexer::kComponentGuid, u"t", u"d", nullptr, u",202",
                                {WideString(u"one"), WideString(u"two")}),
              hr::kOk);
    const auto calls = journal.Calls();
    ASSERT_EQ(calls.size(), 7U);
    EXPECT_EQ(calls[1].args.back(), u"");  // a null home page is sent as an empty text
    EXPECT_EQ(calls[3].args, Args{std::nullopt});
    EXPECT_EQ(calls[4].args, Args{u"one"});
    EXPECT_EQ(calls[5].args, Args{u"two"});
    EXPECT_EQ(calls[6].method, "CommitComponent");
}

TEST_F(ComponentRegistrationTest, NullTextsAreRefusedBeforeTheRegistrarIsCreated) {
    const Guid& guid = indexer::kComponentGuid;
    EXPECT_EQ(RegisterComponent(guid, u"t", u"d", kHomePage, nullptr, {}), hr::kPointer);
    EXPECT_EQ(RegisterComponent(guid, nullptr, u"d", kHomePage, u",202", {}), hr::kPointer);
    EXPECT_EQ(RegisterComponent(guid, u"t", nullptr, kHomePage, u",202", {}), hr::kPointer);
    EXPECT_TRUE(journal.Calls().empty());
}

TEST_F(ComponentRegistrationTest, UnregisteringRemovesTheComponentByItsId) {
    EXPECT_EQ(UnregisterComponent(indexer::kComponentGuid), hr::kOk);
    EXPECT_EQ(journal.Methods(), (Methods{"CreateRegistrar", "RemoveComponent"}));
    EXPECT_EQ(journal.Calls()[1].args, Args{kComponentId});

    journal.Clear();
    journal.Script("RemoveComponent", kRefused);
    EXPECT_EQ(UnregisterComponent(indexer::kComponentGuid), kRefused);
    journal.Clear();
    journal.Script("CreateRegistrar", hr::kClassNotRegistered);
    EXPECT_EQ(UnregisterComponent(indexer::kComponentGuid), hr::kClassNotRegistered);
    EXPECT_EQ(journal.Methods(), Methods{"CreateRegistrar"});
}

}  // namespace
}  // namespace ombrel
