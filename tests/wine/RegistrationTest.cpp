#include <windows.h>

#include <sddl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/HomePage.h"
#include "tests/wine/WineSuite.h"

namespace ombrel::wine {
namespace {

using standin::PluginLibrary;
using Args = std::vector<std::optional<std::u16string>>;
using Methods = std::vector<std::string>;

constexpr const char16_t* kComponentId = u"{E6895E72-8741-44B3-900E-01ED98D1A6D3}";
constexpr const wchar_t* kAppIdKey = L"AppID\\{e6895e72-8741-44b3-900e-01ed98d1a6d3}";
constexpr const wchar_t* kDllKey = L"AppID\\OmbrelDesktopTheBat.DLL";
constexpr const char16_t* kModuleFailed = u"Failed to register module.";
constexpr const char16_t* kComponentFailed = u"Failed to register plug-in in the Ombrel Desktop.";
constexpr HRESULT kRefused = static_cast<HRESULT>(0x80040200);

std::string Narrow(const std::wstring& text) {
    return {text.begin(), text.end()};  // the test paths are ASCII
}

std::vector<std::u16string> MessageTexts() {
    std::vector<std::u16string> texts;
    for (const auto& box : PluginLibrary::TakeMessageBoxes()) texts.push_back(box.text);
    return texts;
}

// The host's plug-in list in the working directory, edited through the exports and read back with
// Wine's profile functions.
class PluginListEdits : public LibraryTest {
  protected:
    void WriteList(const std::string& text) const {
        std::ofstream(std::filesystem::path(list), std::ios::binary) << text;
    }
    std::string ListBytes() const {
        std::ifstream in(std::filesystem::path(list), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::wstring Get(const wchar_t* section, const wchar_t* key) const {
        wchar_t text[2048] = {};
        GetPrivateProfileStringW(section, key, L"<absent>", text, 2048, list.c_str());
        return text;
    }

    std::wstring own = standin::ModulePath(library.Module());
    std::wstring list = workingDirectory + L"TBPlugin.INI";
};

TEST_F(PluginListEdits, AMissingListGetsTheLibraryAsItsOnlyEntry) {
    EXPECT_EQ(library.RegisterServer(), 1);
    EXPECT_EQ(Get(L"Plugins", L"Count"), L"1");
    EXPECT_EQ(Get(L"Plugins", L"Plugin #1"), own);
}

TEST_F(PluginListEdits, TheExactPathListedLeavesTheFileUnchanged) {
    const std::string text =
        "[Plugins]\r\nCount=2\r\nPlugin #1=C:\\Other.dll\r\nPlugin #2=" + Narrow(own) + "\r\n";
    WriteList(text);
    EXPECT_EQ(library.RegisterServer(), 1);
    EXPECT_EQ(ListBytes(), text);
}

TEST_F(PluginListEdits, OtherFormsOfThePathAreAppendedToAndAllRemovedLater) {
    std::wstring lower = own;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
    WriteList("[Plugins]\r\nCount=2\r\nPlugin #1=%EXEDRIVE%" + Narrow(own.substr(2)) +
              "\r\nPlugin #2=" + Narrow(lower) + "\r\n");
    EXPECT_EQ(library.RegisterServer(), 1);
    EXPECT_EQ(Get(L"Plugins", L"Count"), L"3");
    EXPECT_EQ(Get(L"Plugins", L"Plugin #3"), own);

    EXPECT_EQ(library.UnregisterServer(), S_OK);
    EXPECT_EQ(Get(L"Plugins", L"Count"), L"0");
}

TEST_F(PluginListEdits, RemovalMovesTheOthersUpWithTheirDataAndLeavesTheOldKeys) {
    WriteList("[Plugins]\r\nCount=3\r\nPlugin #1=C:\\First.dll\r\nPlugin #2=" + Narrow(own) +
              "\r\nPlugin #3=D:\\Third.dll\r\n[Plugin Data]\r\nPlugin #1=first data\r\n"
              "Plugin #3=third data\r\n");
    EXPECT_EQ(library.UnregisterServer(), S_OK);
    EXPECT_EQ(Get(L"Plugins", L"Count"), L"2");
    EXPECT_EQ(Get(L"Plugins", L"Plugin #1"), L"C:\\First.dll");
    EXPECT_EQ(Get(L"Plugins", L"Plugin #2"), L"D:\\Third.dll");
    EXPECT_EQ(Get(L"Plugin Data", L"Plugin #1"), L"first data");
    EXPECT_EQ(Get(L"Plugin Data", L"Plugin #2"), L"third data");
    EXPECT_EQ(Get(L"Plugins", L"Plugin #3"), L"D:\\Third.dll");
    EXPECT_EQ(Get(L"Plugin Data", L"Plugin #3"), L"third data");
}

TEST_F(PluginListEdits, UnregisteringWithoutTheHostLeavesTheListAlone) {
    const std::string text = "[Plugins]\r\nCount=1\r\nPlugin #1=" + Narrow(own) + "\r\n";
    WriteList(text);
    standin::DeleteValue(HKEY_CURRENT_USER, standin::kHostKey, L"Working Directory");
    EXPECT_EQ(library.UnregisterServer(), S_OK);
    standin::DeleteTree(HKEY_CURRENT_USER, standin::kHostKey);
    EXPECT_EQ(library.UnregisterServer(), S_OK);
    EXPECT_EQ(ListBytes(), text);
}

// The library is not registered with the indexer yet.
class FirstRegistration : public LibraryTest {
  protected:
    FirstRegistration() { standin::DeleteTree(HKEY_CURRENT_USER, standin::kComponentKey); }
};

TEST_F(FirstRegistration, RegistersTheModuleAndTheComponentInOrder) {
    EXPECT_EQ(library.RegisterServer(), S_OK);
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(standin::GetString(HKEY_CLASSES_ROOT, kAppIdKey, nullptr), L"OmbrelDesktopTheBat");
    EXPECT_EQ(standin::GetString(HKEY_CLASSES_ROOT, kDllKey, L"AppID"),
              L"{e6895e72-8741-44b3-900e-01ed98d1a6d3}");

    const auto creations = PluginLibrary::TakeCreations();
    ASSERT_EQ(creations.size(), 1U);
    EXPECT_EQ(creations[0].classId, u"{AC129136-EB1C-4FFF-B0A2-6D6761BE4138}");
    EXPECT_EQ(creations[0].context, 7U);
    EXPECT_EQ(creations[0].interfaceId, u"{B7BC8A9B-DC73-42D4-AB7D-17178619C8E4}");
    const auto calls = journal.Calls();
    ASSERT_EQ(calls.size(), 5U);
    EXPECT_EQ(calls[1].method, "DescribeComponent");
    EXPECT_EQ(calls[1].args, (Args{kComponentId, u"Title", u"The Bat! E-Mail Client Plug-In",
                                   u"Description", u"Indexes The Bat! e-mail client messages",
                                   u"Icon", u",202", u"Homepage", kHomePage}));
    EXPECT_EQ(calls[2].method, "OpenRegistration");
    EXPECT_EQ(calls[2].args, Args{u"OmbrelDesktop.IndexingRegistration"});
    EXPECT_EQ(calls[3].method, "AddRegistrationEntry");
    EXPECT_EQ(calls[3].args, Args{std::nullopt});
    EXPECT_EQ(calls[4].method, "CommitComponent");
    EXPECT_EQ(journal.LiveObjects(), 0);
}

TEST_F(FirstRegistration, UnregisteringRemovesTheComponentAndTheTwoAppIdKeys) {
    ASSERT_EQ(library.RegisterServer(), S_OK);
    journal.Clear();
    EXPECT_EQ(library.UnregisterServer(), S_OK);
    EXPECT_EQ(journal.Methods(), (Methods{"CreateRegistrar", "RemoveComponent"}));
    EXPECT_EQ(journal.Calls()[1].args, Args{kComponentId});
    EXPECT_FALSE(standin::HasKey(HKEY_CLASSES_ROOT, kAppIdKey));
    EXPECT_FALSE(standin::HasKey(HKEY_CLASSES_ROOT, kDllKey));
    EXPECT_TRUE(standin::HasKey(HKEY_CLASSES_ROOT, L"AppID"));
}

TEST_F(FirstRegistration, AFailedCommitIsUndoneShowsMessage133AndStopsInitialisation) {
    journal.Script("CommitComponent", kRefused);
    EXPECT_EQ(library.RegisterServer(), kRefused);
    EXPECT_EQ(journal.Methods().back(), "RemoveComponent");
    EXPECT_EQ(journal.Calls().back().args, Args{kComponentId});
    EXPECT_EQ(MessageTexts(), std::vector<std::u16string>{kComponentFailed});
    EXPECT_FALSE(std::filesystem::exists(workingDirectory + L"TBPlugin.INI"));

    journal.Clear();
    journal.Script("CommitComponent", kRefused);
    library.Initialize();
    EXPECT_EQ(library.GetStatus(), 1);
    const Methods methods = journal.Methods();
    EXPECT_EQ(std::count(methods.begin(), methods.end(), "CreateEventFactory"), 0);
}

TEST_F(FirstRegistration, AnAlreadyRegisteredAnswerIsUndoneButCountsAsSuccess) {
    journal.Script("CommitComponent", static_cast<HRESULT>(0x80040006));
    EXPECT_EQ(library.RegisterServer(), S_OK);
    EXPECT_EQ(journal.Methods().back(), "RemoveComponent");
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(FirstRegistration, AFailedDescriptionGetsNoFurtherCall) {
    journal.Script("DescribeComponent", kRefused);
    EXPECT_EQ(library.RegisterServer(), kRefused);
    EXPECT_EQ(journal.Methods(), (Methods{"CreateRegistrar", "DescribeComponent"}));
    EXPECT_EQ(MessageTexts(), std::vector<std::u16string>{kComponentFailed});
}

TEST_F(FirstRegistration, WithoutTheIndexerMessage133ShowsAndTheLibraryStaysUninitialised) {
    indexer.Revoke();
    library.Initialize();
    EXPECT_EQ(library.GetStatus(), 1);
    EXPECT_EQ(MessageTexts(), std::vector<std::u16string>{kComponentFailed});
    const auto creations = PluginLibrary::TakeCreations();
    ASSERT_EQ(creations.size(), 1U);
    EXPECT_EQ(creations[0].classId, u"{AC129136-EB1C-4FFF-B0A2-6D6761BE4138}");
}

TEST_F(FirstRegistration, AnAppIdKeyThatCannotBeMadeShowsMessage132) {
    // The library's AppID key as a link to a key whose parent does not exist.
    HKEY link = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, kAppIdKey, 0, nullptr,
                              REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link, nullptr),
              ERROR_SUCCESS);
    const std::wstring target = L"\\Registry\\Machine\\Software\\OmbrelMissing\\Target";
    RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                   reinterpret_cast<const BYTE*>(target.c_str()),
                   static_cast<DWORD>(target.size()) * DWORD{sizeof(wchar_t)});

    EXPECT_EQ(library.RegisterServer(), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(MessageTexts(), std::vector<std::u16string>{kModuleFailed});
    EXPECT_TRUE(journal.Calls().empty());

    RegDeleteKeyW(link, L"");  // the link itself
    RegCloseKey(link);
    EXPECT_FALSE(standin::HasKey(HKEY_CLASSES_ROOT, kAppIdKey));
}

}  // namespace
}  // namespace ombrel::wine
