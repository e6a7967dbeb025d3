#include "host/PluginApi.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include "host/PluginState.h"
#include "resources/ProjectInfo.h"
#include "tests/support/NativeTestPlatform.h"

namespace ombrel {
namespace {

using Bytes = std::array<std::uint8_t, 12>;

constexpr Bytes kInitialRecord = {0x0D, 0xF0, 0xAD, 0xBA, 0, 0, 0, 0, 0, 0, 0x0C, 0};
constexpr Bytes kAllOptionsRecord = {0x0D, 0xF0, 0xAD, 0xBA, 1, 1, 1, 1, 0x34, 0x12, 0x0C, 0};

Bytes StoredRecord() {
    Bytes bytes{};
    EXPECT_EQ(plugin::GetConfigData(bytes.data(), 12), 12U);
    return bytes;
}

class PluginApiTest : public testing::PluginTest {};

TEST_F(PluginApiTest, VersionIsCopiedWithoutTerminatorUpToTheSize) {
    const std::string version = OMBREL_VERSION;
    const auto versionSize = static_cast<std::int32_t>(version.size());
    std::string buffer(100, '#');
    EXPECT_EQ(plugin::GetVersion(nullptr, 100), versionSize);
    EXPECT_EQ(plugin::GetVersion(buffer.data(), 0), versionSize);
    EXPECT_EQ(plugin::GetVersion(buffer.data(), -3), versionSize);
    EXPECT_EQ(buffer, std::string(100, '#'));
    EXPECT_EQ(plugin::GetVersion(buffer.data(), 5), 5);
    EXPECT_EQ(buffer.substr(0, 6), version.substr(0, 5) + "#");
    EXPECT_EQ(plugin::GetVersion(buffer.data(), 100), versionSize);
    EXPECT_EQ(buffer.substr(0, version.size() + 1), version + "#");
}

TEST_F(PluginApiTest, NameIsStringHundredInTheThreadsAnsiCodePage) {
    std::string buffer(100, '#');
    EXPECT_EQ(plugin::GetName(nullptr, 100), 23);
    EXPECT_EQ(plugin::GetName(buffer.data(), 100), 23);
    EXPECT_EQ(buffer.substr(0, 24), "Ombrel Desktop The Bat!#");
    std::string shortBuffer(8, '#');
    EXPECT_EQ(plugin::GetName(shortBuffer.data(), 6), 6);
    EXPECT_EQ(shortBuffer, "Ombrel##");
}

TEST_F(PluginApiTest, NameIsEmptyWithoutTheString) {
    class EmptyTable final : public platform::StringTable {
      public:
        std::optional<std::u16string> Load(std::uint32_t /*id*/) const override {
            return std::nullopt;
        }
    } empty;
    platform::Ports ports = platform::CurrentPorts();
    ports.strings = &empty;
    const platform::ScopedPorts scoped(ports);
    char buffer[8] = {};
    EXPECT_EQ(plugin::GetName(buffer, 8), 0);
    EXPECT_EQ(plugin::GetName(nullptr, 0), 0);
}

TEST_F(PluginApiTest, ConfigDataBeforeAnySetIsTheInitialRecord) {
    EXPECT_EQ(StoredRecord(), kInitialRecord);
    EXPECT_EQ(plugin::GetConfigData(nullptr, 12), 12U);
    Bytes four{};
    EXPECT_EQ(plugin::GetConfigData(four.data(), 4), 4U);
    EXPECT_EQ(std::vector<std::uint8_t>(four.begin(), four.begin() + 4),
              (std::vector<std::uint8_t>{0x0D, 0xF0, 0xAD, 0xBA}));
    EXPECT_EQ(four[4], 0);
    Bytes all{};
    EXPECT_EQ(plugin::GetConfigData(all.data(), static_cast<std::uint32_t>(-1)), 12U);
    EXPECT_EQ(all, kInitialRecord);
}

TEST_F(PluginApiTest, AnAcceptedRecordGoesIntoBothCopies) {
    EXPECT_EQ(plugin::SetConfigData(kAllOptionsRecord.data(), 12), 0);
    EXPECT_EQ(StoredRecord(), kAllOptionsRecord);
    const PluginConfigData& active = State().activeConfig;
    EXPECT_EQ(active.indexOnReceive, 1);
    EXPECT_EQ(active.preferHtml, 1);
    EXPECT_EQ(active.thumbnailFilter, 0x1234);
}

TEST_F(PluginApiTest, RejectedRecordsChangeNothing) {
    ASSERT_EQ(plugin::SetConfigData(kAllOptionsRecord.data(), 12), 0);
    const PluginConfigData active = State().activeConfig;

    std::array<std::uint8_t, 13> longer{};
    std::memcpy(longer.data(), kInitialRecord.data(), 12);
    Bytes wrongSignature = kInitialRecord;
    wrongSignature[0] = 0x0E;
    Bytes wrongSize = kInitialRecord;
    wrongSize[10] = 13;

    EXPECT_EQ(plugin::SetConfigData(kInitialRecord.data(), 11), 0);
    EXPECT_EQ(plugin::SetConfigData(longer.data(), 13), 0);
    EXPECT_EQ(plugin::SetConfigData(wrongSignature.data(), 12), 0);
    EXPECT_EQ(plugin::SetConfigData(wrongSize.data(), 12), 0);
    EXPECT_EQ(plugin::SetConfigData(nullptr, 12), 0);

    EXPECT_EQ(StoredRecord(), kAllOptionsRecord);
    EXPECT_EQ(State().activeConfig, active);
}

TEST_F(PluginApiTest, FixedAnswers) {
    EXPECT_EQ(plugin::NeedCom(), 1);
    EXPECT_EQ(plugin::GetInfo(5, 7), 0);
    EXPECT_EQ(plugin::CanUnloadNow(), hr::kOk);
    void* object = &object;
    EXPECT_EQ(plugin::GetClassObject(&object), hr::kClassNotAvailable);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(plugin::GetClassObject(nullptr), hr::kPointer);
}

TEST_F(PluginApiTest, StatusFollowsInitialisationAndFinalisation) {
    EXPECT_EQ(plugin::GetStatus(), 1);
    plugin::Initialize();
    EXPECT_EQ(plugin::GetStatus(), 0);
    plugin::Finalize();
    EXPECT_EQ(plugin::GetStatus(), 1);
    plugin::Initialize();  // a second start after finalising starts afresh
    EXPECT_EQ(plugin::GetStatus(), 0);
    plugin::Finalize();
}

TEST_F(PluginApiTest, SetupBeforeInitialisationShowsMessage103) {
    EXPECT_EQ(plugin::Setup(), -1);
    const auto shown = posix.messageBoxes.Shown();
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].owner, nullptr);
    EXPECT_EQ(shown[0].text.Find(u"Plugin wasn't initialized properly!\r\n"), 0);
    EXPECT_EQ(shown[0].caption, WideString(u"Ombrel Desktop The Bat!"));
    EXPECT_EQ(shown[0].style, platform::mb::kIconError);
}

TEST_F(PluginApiTest, SetupAfterFinalisationShowsMessage103Too) {
    plugin::Initialize();
    plugin::Finalize();
    EXPECT_EQ(plugin::Setup(), -1);
    EXPECT_EQ(posix.messageBoxes.Shown().size(), 1U);
}

class InitializationTest : public testing::PluginTest {};

TEST_F(InitializationTest, CreatesTheEventFactoryAndReleasesItAtFinalisation) {
    plugin::Initialize();
    EXPECT_EQ(journal.Methods(), std::vector<std::string>{"CreateEventFactory"});
    EXPECT_NE(State().eventFactory, nullptr);
    EXPECT_NE(State().accounts, nullptr);
    EXPECT_EQ(journal.LiveObjects(), 1);
    plugin::Finalize();
    EXPECT_EQ(State().eventFactory, nullptr);
    EXPECT_EQ(State().accounts, nullptr);
    EXPECT_EQ(journal.LiveObjects(), 0);
}

TEST_F(InitializationTest, WithoutTheFactoryTheLibraryStaysUninitialised) {
    journal.Script("CreateEventFactory", hr::kClassNotRegistered);
    plugin::Initialize();
    EXPECT_EQ(plugin::GetStatus(), 1);
    EXPECT_EQ(State().accounts, nullptr);
    EXPECT_EQ(plugin::Setup(), -1);
    EXPECT_EQ(journal.LiveObjects(), 0);
}

TEST_F(InitializationTest, FinalizeWithoutInitializeOnlyFreesTheCharsetTables) {
    plugin::Finalize();
    EXPECT_EQ(plugin::GetStatus(), 1);
    EXPECT_TRUE(journal.Calls().empty());
}

TEST_F(InitializationTest, AnExceptionInsideInitializeLeavesTheLibraryUninitialised) {
    class ThrowingIndexer final : public platform::IndexerConnector {
      public:
        HResult CreateEventFactory(std::unique_ptr<platform::EventFactory>& /*factory*/) override {
            throw std::runtime_error("indexer broke");
        }
        HResult CreateRegistrar(
            std::unique_ptr<platform::IndexerRegistrar>& /*registrar*/) override {
            throw std::runtime_error("indexer broke");
        }
    } throwing;
    platform::Ports ports = platform::CurrentPorts();
    ports.indexer = &throwing;
    const platform::ScopedPorts scoped(ports);
    plugin::Initialize();
    EXPECT_EQ(plugin::GetStatus(), 1);
    EXPECT_EQ(State().eventFactory, nullptr);
}

}  // namespace
}  // namespace ombrel
