#include <filesystem>
#include <string>
#include <vector>

#include "tests/wine/WineSuite.h"

namespace ombrel::wine {
namespace {

using standin::PluginLibrary;

constexpr const char16_t* kVersionTooLow = u"Your The Bat! version is too low!";

class Environment : public LibraryTest {
  protected:
    static void SetHost(const wchar_t* name, const std::wstring& value) {
        standin::PutString(HKEY_CURRENT_USER, standin::kHostKey, name, value);
    }
    // The texts of the boxes shown since the last call, each checked for caption and style.
    static std::vector<std::u16string> Messages() {
        std::vector<std::u16string> texts;
        for (const auto& box : PluginLibrary::TakeMessageBoxes()) {
            EXPECT_EQ(box.owner, nullptr);
            EXPECT_EQ(box.caption, u"Ombrel Desktop The Bat!");
            EXPECT_EQ(box.style, 0U);
            texts.push_back(box.text);
        }
        return texts;
    }
    std::wstring FirstEntry(const std::wstring& list) const {
        wchar_t text[1024] = {};
        GetPrivateProfileStringW(L"Plugins", L"Plugin #1", L"<absent>", text, 1024, list.c_str());
        return text;
    }
    std::wstring own = standin::ModulePath(library.Module());
};

TEST_F(Environment, HostVersionsFrom2048PassAndOlderOnesShowMessage127) {
    const struct {
        const wchar_t* version;
        bool passes;
    } cases[] = {{L"2.0.4.8", true},     {L"2.0.4.7", false}, {L"2.1.0.0", true},
                 {L"1.99.99.99", false}, {L"3.0.0.0", true},  {L"2.0.5.0", true},
                 {L"2.0.4", false},      {L"3", true}};
    for (const auto& test : cases) {
        SetHost(L"Version", test.version);
        library.Initialize();
        EXPECT_EQ(library.GetStatus(), 0);
        const auto expected = test.passes ? std::vector<std::u16string>{}
                                          : std::vector<std::u16string>{kVersionTooLow};
        EXPECT_EQ(Messages(), expected) << std::string(test.version, test.version + 3);
        library.Finalize();
    }
}

TEST_F(Environment, TheApplicationDataMarkerNamesTheFoldersTheBatDirectory) {
    const std::filesystem::path directory = standin::AppDataFolder() + L"\\The Bat!";
    std::filesystem::create_directories(directory);
    SetHost(L"Working Directory", L"%APPDATA%\\The Bat!");
    EXPECT_EQ(library.RegisterServer(), 1);
    EXPECT_EQ(FirstEntry(standin::AppDataFolder() + L"\\The Bat!\\TBPlugin.INI"), own);
    std::filesystem::remove_all(directory);
}

TEST_F(Environment, ADirectoryWithItsBackslashIsUsedAsItIs) {
    std::filesystem::create_directories(L"C:\\Mail");
    SetHost(L"Working Directory", L"C:\\Mail\\");
    EXPECT_EQ(library.RegisterServer(), 1);
    EXPECT_EQ(FirstEntry(L"C:\\Mail\\TBPlugin.INI"), own);
    std::filesystem::remove_all(L"C:\\Mail");
}

TEST_F(Environment, ARegisteredLibraryShowsNothingAndRegistersNothing) {
    EXPECT_EQ(library.RegisterServer(), 1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(PluginLibrary::TakeCreations().empty());
    EXPECT_TRUE(journal.Calls().empty());
}

TEST_F(Environment, EveryWarningShowsItsMessageAndInitialisationCompletes) {
    using Problem = void (*)();
    const struct {
        Problem make;
        const char16_t* message;
    } cases[] = {
        {[] { standin::DeleteTree(HKEY_CURRENT_USER, standin::kHostKey); },
         u"The Bat! is not detected on your computer!"},
        {[] { standin::DeleteValue(HKEY_CURRENT_USER, standin::kHostKey, L"Version"); },
         u"Unable to detect your The Bat! version!"},
        {[] { standin::DeleteValue(HKEY_CURRENT_USER, standin::kHostKey, L"Working Directory"); },
         u"Unable to detecte your The Bat! working directory!"},
        {[] { SetHost(L"Working Directory", L""); },
         u"Unable to detecte your The Bat! working directory!"},
        {[] { SetHost(L"Version", L"2.0.4.7"); }, kVersionTooLow},
    };
    for (const auto& test : cases) {
        standin::InstallHostEnvironment(workingDirectory);
        test.make();
        library.Initialize();
        EXPECT_EQ(library.GetStatus(), 0);
        EXPECT_EQ(Messages(), std::vector<std::u16string>{test.message});
        library.Finalize();
    }
}

}  // namespace
}  // namespace ombrel::wine
