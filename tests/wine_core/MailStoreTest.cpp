// A generated mail store read through the Windows ports, as the library does inside the host:
// accounts from the registry (loaded with regedit from the generator's ".reg" file), state files
// through the profile functions, message bases through mapped files. The results are those the
// native suite gets from the same store.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>

#include "host/PluginState.h"
#include "mailstore/Accounts.h"
#include "mailstore/FolderState.h"
#include "mailstore/FolderTreeView.h"
#include "platform/win32/Win32TreeControl.h"
#include "tests/support/SampleStore.h"
#include "tests/support/StoreListing.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/win32/HostRegistry.h"

namespace ombrel {
namespace {

std::wstring Wide(const WideString& text) {
    return {text.View().begin(), text.View().end()};
}

void WriteBytes(const testing::TempDirectory& disk, const char16_t* name,
                const std::string& bytes) {
    std::ofstream(disk.Local(name), std::ios::binary | std::ios::trunc) << bytes;
}

class WineMailStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::WriteSampleStore(store, disk.Local(u""), hostRoot);
        WriteBytes(disk, u"registry.reg",
                   testing::RegFileBytes(testing::SampleRegistry(store, hostRoot)));
        ASSERT_TRUE(standin::ImportRegFile(Wide(disk.File(u"registry.reg"))));
        State().dataDirectory = disk.Directory();
        State().accounts = std::make_unique<AccountList>();
    }
    void TearDown() override {
        State().accounts.reset();
        State().dataDirectory = WideString();
        // The host's keys go again, so that later tests see a machine without the host.
        const std::string removal = "\xff\xfe" + Utf16Le(
                                                     "Windows Registry Editor Version 5.00\r\n"
                                                     "\r\n[-HKEY_CURRENT_USER\\Software\\RIT]\r\n");
        WriteBytes(disk, u"removal.reg", removal);
        standin::ImportRegFile(Wide(disk.File(u"removal.reg")));
    }
    static std::string Utf16Le(const std::string& ascii) {
        std::string bytes;
        for (const char c : ascii) bytes += std::string{c, '\0'};
        return bytes;
    }

    testing::TempDirectory disk;
    const testing::SampleStore store = testing::MakeSampleStore(6);
    const std::u16string hostRoot = disk.Directory().Std();
};

TEST_F(WineMailStoreTest, LoadsAsWritten) {
    ASSERT_TRUE(LoadAccounts());
    const std::vector<std::string> expected = testing::ExpectedListing(store);
    EXPECT_EQ(testing::LoadedListing(*State().accounts, hostRoot), expected);
    EXPECT_GT(expected.size(), 20U);
}

TEST_F(WineMailStoreTest, CheckMarksOfARealTreeGoToTheStateFiles) {
    ASSERT_TRUE(LoadAccounts());
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    HWND window = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP | TVS_CHECKBOXES, 0, 0, 300, 300,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    platform::win32::Win32TreeControl tree(window);
    for (const auto& account : *State().accounts) {
        InsertFolderItems(platform::TreeControl::kRoot, account->rootFolder, tree);
    }
    const MailFolder& mainInbox = *State().accounts->front()->rootFolder.children[0];
    EXPECT_TRUE(IsChecked(tree, mainInbox.treeItem));  // its state file says so

    SetAllChecks(tree, platform::TreeControl::kRoot, true);
    SaveChecks(tree, platform::TreeControl::kRoot);
    DestroyWindow(window);

    ASSERT_TRUE(LoadAccounts());
    std::size_t folders = 0;
    const auto expectAllEnabled = [&](const MailFolder& folder, const auto& self) -> void {
        for (const auto& child : folder.children) {
            EXPECT_TRUE(ReadEnabled(*child)) << child->directory.Std().size();
            ++folders;
            self(*child, self);
        }
    };
    for (const auto& account : *State().accounts) {
        expectAllEnabled(account->rootFolder, expectAllEnabled);
    }
    EXPECT_GT(folders, 15U);
}

TEST_F(WineMailStoreTest, MonitorTimesGoThroughTheProfileFunctions) {
    MailFolder folder;
    folder.directory = disk.Directory(u"Main\\Inbox");
    const SystemTime time{2005, 11, 2, 15, 10, 0, 0, 0};
    WriteMonitorTime(time, folder);
    SystemTime read;
    ASSERT_TRUE(ReadMonitorTime(folder, &read));
    EXPECT_EQ(read, time);
    EXPECT_NE(disk.Read(u"Main\\Inbox\\kvrdirinfo.cookie").find("DfCtutUHCwACAA8ACgAAAAAAAAAN8K26"),
              std::string::npos);
    EXPECT_TRUE(ReadEnabled(folder));  // the sample's Inbox was enabled; writing kept that key
}

}  // namespace
}  // namespace ombrel
