#include "tests/contract/PluginListScenarios.h"

#include <vector>

#include "host/PluginList.h"

namespace ombrel::contract {
namespace {

constexpr const char16_t* kOwnPath = u"C:\\Program Files\\Ombrel\\OmbrelDesktopTheBat.dll";
constexpr const char16_t* kPlugins = u"Plugins";
constexpr const char16_t* kData = u"Plugin Data";

}  // namespace

void PluginListScenarios::SetUp() {
    PortContract::SetUp();
    platform::Ports ports = platform::CurrentPorts();
    ports.profiles = port.get();
    ports_ = std::make_unique<platform::ScopedPorts>(ports);
}

std::u16string PluginListScenarios::Get(const char16_t* section, const char16_t* key) const {
    std::vector<char16_t> buffer(2048, u'\0');
    const std::uint32_t length =
        port->GetString(section, key, u"<absent>", buffer.data(), 2048, listPath.CStr());
    return {buffer.data(), length};
}

TEST_P(PluginListScenarios, AMissingListGetsTheLibraryAsItsFirstEntry) {
    AddToPluginList(listPath, kOwnPath);
    EXPECT_EQ(Get(kPlugins, u"Count"), u"1");
    EXPECT_EQ(Get(kPlugins, u"Plugin #1"), kOwnPath);
    EXPECT_EQ(Get(kData, u"Plugin #1"), u"<absent>");
}

TEST_P(PluginListScenarios, AListWithoutEntriesGetsTheLibraryAsItsFirstEntry) {
    WriteList("[Plugins]\r\nCount=0\r\n[Other]\r\nKept=yes\r\n");
    AddToPluginList(listPath, kOwnPath);
    EXPECT_EQ(Get(kPlugins, u"Count"), u"1");
    EXPECT_EQ(Get(kPlugins, u"Plugin #1"), kOwnPath);
    EXPECT_EQ(Get(u"Other", u"Kept"), u"yes");
}

TEST_P(PluginListScenarios, TheExactPathListedAlreadyLeavesTheFileUnchanged) {
    const std::string list =
        "[Plugins]\r\nCount=2\r\nPlugin #1=C:\\Other\\Spam.dll\r\n"
        "Plugin #2=C:\\Program Files\\Ombrel\\OmbrelDesktopTheBat.dll\r\n";
    WriteList(list);
    AddToPluginList(listPath, kOwnPath);
    EXPECT_EQ(ListBytes(), list);
}

TEST_P(PluginListScenarios, OtherLetterCaseOrTheDriveFormIsAnotherEntryUntilRemoval) {
    WriteList(
        "[Plugins]\r\nCount=2\r\nPlugin #1=%EXEDRIVE%\\Program Files\\Ombrel\\"
        "OmbrelDesktopTheBat.dll\r\nPlugin #2=c:\\program "
        "files\\ombrel\\ombreldesktopthebat.DLL\r\n");
    AddToPluginList(listPath, kOwnPath);
    EXPECT_EQ(Get(kPlugins, u"Count"), u"3");
    EXPECT_EQ(Get(kPlugins, u"Plugin #3"), kOwnPath);

    RemoveFromPluginList(listPath, kOwnPath);
    EXPECT_EQ(Get(kPlugins, u"Count"), u"0");
    // Nothing is kept, so nothing is rewritten: the old keys stay above the count.
    EXPECT_EQ(Get(kPlugins, u"Plugin #3"), kOwnPath);
    EXPECT_EQ(Get(kData, u"Plugin #1"), u"<absent>");
}

TEST_P(PluginListScenarios, RemovalMovesTheOthersUpWithTheirDataAndLeavesTheOldKeys) {
    WriteList(
        "[Plugins]\r\nCount=3\r\nPlugin #1=C:\\First.dll\r\n"
        "Plugin #2=C:\\Program Files\\Ombrel\\OmbrelDesktopTheBat.dll\r\n"
        "Plugin #3=D:\\Third.dll\r\n"
        "[Plugin Data]\r\nPlugin #1=first data\r\nPlugin #3=third data\r\n");
    RemoveFromPluginList(listPath, kOwnPath);
    EXPECT_EQ(Get(kPlugins, u"Count"), u"2");
    EXPECT_EQ(Get(kPlugins, u"Plugin #1"), u"C:\\First.dll");
    EXPECT_EQ(Get(kPlugins, u"Plugin #2"), u"D:\\Third.dll");
    EXPECT_EQ(Get(kData, u"Plugin #1"), u"first data");
    EXPECT_EQ(Get(kData, u"Plugin #2"), u"third data");
    EXPECT_EQ(Get(kPlugins, u"Plugin #3"), u"D:\\Third.dll");
    EXPECT_EQ(Get(kData, u"Plugin #3"), u"third data");

    // A second removal finds nothing: the entries are written back as they are, the count stays.
    RemoveFromPluginList(listPath, kOwnPath);
    EXPECT_EQ(Get(kPlugins, u"Count"), u"2");
    EXPECT_EQ(Get(kPlugins, u"Plugin #2"), u"D:\\Third.dll");
    EXPECT_EQ(Get(kData, u"Plugin #2"), u"third data");
}

TEST_P(PluginListScenarios, AKeptEntryWithoutDataGetsAnEmptyDataKey) {
    WriteList("[Plugins]\r\nCount=1\r\nPlugin #1=C:\\First.dll\r\n");
    RemoveFromPluginList(listPath, kOwnPath);
    EXPECT_EQ(Get(kPlugins, u"Count"), u"1");
    EXPECT_EQ(Get(kData, u"Plugin #1"), u"");
}

TEST_P(PluginListScenarios, AnEmptyListIsNotTouchedByRemoval) {
    const std::string list = "[Plugins]\r\nCount=0\r\nPlugin #1=C:\\Stale.dll\r\n";
    WriteList(list);
    RemoveFromPluginList(listPath, kOwnPath);
    EXPECT_EQ(ListBytes(), list);
}

TEST_P(PluginListScenarios, ADamagedNegativeCountListsNothing) {
    WriteList("[Plugins]\r\nCount=-3\r\nPlugin #1=C:\\Stale.dll\r\n");
    AddToPluginList(listPath, kOwnPath);
    EXPECT_EQ(Get(kPlugins, u"Count"), u"1");
    EXPECT_EQ(Get(kPlugins, u"Plugin #1"), kOwnPath);
}

}  // namespace ombrel::contract
