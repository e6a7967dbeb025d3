#include "mailstore/Accounts.h"

#include <gtest/gtest.h>

#include "host/PluginState.h"
#include "mailstore/FolderPath.h"
#include "mailstore/FolderState.h"
#include "mailstore/FolderTree.h"
#include "tests/support/MailboxWriters.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

using testing::ChildIds;
using testing::Folder;
using testing::FolderRecord;

constexpr const char16_t* kDepot = u"Software\\RIT\\The Bat!\\Users Depot";
constexpr auto kUser = platform::Registry::kCurrentUser;

// The ASCII path as the host stores it, in 8-bit text.
std::string Narrow(const WideString& path) {
    return {path.Std().begin(), path.Std().end()};
}

class AccountsTest : public testing::PluginTest {
  protected:
    AccountsTest() {
        State().accounts = std::make_unique<AccountList>();
        State().dataDirectory = disk.Directory(u"Work");
    }

    // Writes an account's "Account.CFN" and "ACCOUNT.FLB" below the disk's directory.
    void PutAccount(const std::u16string& relative, const std::vector<FolderRecord>& folders,
                    const std::string& address = "") {
        disk.Write(relative + u"\\Account.CFN",
                   testing::WriteAccountConfig({{testing::kAccountAddressProperty, address}}));
        disk.Write(relative + u"\\ACCOUNT.FLB", testing::WriteFolderList(folders).bytes);
    }
    void PutSlot(int n, std::u16string_view user, std::optional<std::u16string> directory = {}) {
        posix.registry.PutString(kUser, kDepot, u"User #" + Number(n), user);
        if (directory) posix.registry.PutString(kUser, kDepot, u"Dir #" + Number(n), *directory);
    }
    static std::u16string Number(int n) {
        const std::string digits = std::to_string(n);
        return {digits.begin(), digits.end()};
    }
    const AccountList& Accounts() const { return *State().accounts; }

    // Every folder path of the accounts, depth-first, with the folder's directory relative to the
    // disk's directory.
    std::vector<std::u16string> Paths() const {
        std::vector<std::u16string> paths;
        for (const auto& account : Accounts()) Collect(*account, account->rootFolder, paths);
        return paths;
    }
    void Collect(const MailAccount& account, const MailFolder& folder,
                 std::vector<std::u16string>& paths) const {
        for (const auto& child : folder.children) {
            std::u16string directory = child->directory.Std();
            const std::u16string root = disk.Directory().Std();
            if (directory.starts_with(root)) directory = directory.substr(root.size());
            paths.push_back(FolderPath(account, *child).Std() + u" @ " + directory);
            Collect(account, *child, paths);
        }
    }

    testing::TempDirectory disk;
};

TEST_F(AccountsTest, BuildsEveryAccountWithItsFolders) {
    PutAccount(u"Work\\Main",
               {Folder(1, "", ChildIds({2, 3, 4})), Folder(2, "Inbox", "00005"), Folder(3, "sent"),
                Folder(4, "$KNOWN$"), Folder(5, "Lists")},
               "main@example.org");
    PutAccount(u"Elsewhere", {Folder(7, "", "00001"), Folder(1, "Sent Items")});
    posix.registry.PutDword(kUser, kDepot, u"Count", 3);
    PutSlot(1, u"Main");
    PutSlot(3, u"Other", disk.File(u"Elsewhere").Std());

    LoadAccounts();
    ASSERT_EQ(Accounts().size(), 2U);
    EXPECT_EQ(Accounts()[0]->name, u"Main");
    EXPECT_EQ(Accounts()[0]->directory, disk.Directory(u"Work\\Main"));
    EXPECT_EQ(Accounts()[0]->address, u"main@example.org");
    EXPECT_EQ(Accounts()[0]->kind, MailNode::kAccount);
    EXPECT_EQ(Accounts()[1]->directory, disk.Directory(u"Elsewhere"));
    EXPECT_EQ(Paths(), (std::vector<std::u16string>{
                           u"Main\\Inbox @ Work\\Main\\Inbox\\",
                           u"Main\\Inbox\\Lists @ Work\\Main\\Inbox\\Lists\\",
                           u"Main\\Sent Mail @ Work\\Main\\sent\\",
                           u"Main\\Inbox - Known @ Work\\Main\\$KNOWN$\\",
                           u"Other\\Sent Items @ Elsewhere\\Sent Items\\",
                       }));
    const MailFolder& inbox = *Accounts()[0]->rootFolder.children[0];
    EXPECT_EQ(inbox.kind, MailNode::kFolder);
    EXPECT_EQ(inbox.parent, &Accounts()[0]->rootFolder);
    EXPECT_FALSE(inbox.hasOwnDirectory);
    EXPECT_EQ(posix.registry.OpenKeyCount(), 0U);
}

TEST_F(AccountsTest, DirectoryValuesGetOneTrailingBackslash) {
    PutAccount(u"Mail\\User1", {Folder(1, "", "00002"), Folder(2, "Inbox")});
    posix.registry.PutDword(kUser, kDepot, u"Count", 3);
    PutSlot(1, u"A", disk.File(u"Mail\\User1").Std());
    PutSlot(2, u"B", disk.Directory(u"Mail\\User1").Std());
    PutSlot(3, u"User1", u"");  // an empty text: the working directory's folder of the user
    PutAccount(u"Work\\User1", {Folder(1, "", "00002"), Folder(2, "Inbox")});
    LoadAccounts();
    ASSERT_EQ(Accounts().size(), 3U);
    EXPECT_EQ(Accounts()[0]->directory, disk.Directory(u"Mail\\User1"));
    EXPECT_EQ(Accounts()[1]->directory, disk.Directory(u"Mail\\User1"));
    EXPECT_EQ(Accounts()[2]->directory, disk.Directory(u"Work\\User1"));
    EXPECT_EQ(Accounts()[1]->rootFolder.directory, Accounts()[1]->directory);
}

TEST_F(AccountsTest, WithoutTheKeyOrItsCountTheListStaysAsItWas) {
    State().accounts->push_back(std::make_unique<MailAccount>());
    LoadAccounts();
    EXPECT_EQ(Accounts().size(), 1U);
    PutSlot(1, u"Main");
    LoadAccounts();
    EXPECT_EQ(Accounts().size(), 1U);
    EXPECT_EQ(posix.registry.OpenKeyCount(), 0U);
    posix.registry.PutDword(kUser, kDepot, u"Count", 0);
    LoadAccounts();
    EXPECT_TRUE(Accounts().empty());
}

TEST_F(AccountsTest, WithoutAListNothingIsRead) {
    State().accounts.reset();
    posix.registry.PutDword(kUser, kDepot, u"Count", 1);
    PutSlot(1, u"Main");
    EXPECT_TRUE(LoadAccounts());
    EXPECT_EQ(State().accounts, nullptr);
}

TEST_F(AccountsTest, EmptySlotsAndUnreadableFilesLeaveOutWhatDependsOnThem) {
    posix.registry.PutDword(kUser, kDepot, u"Count", 4);
    PutSlot(1, u"");
    PutSlot(2, u"NoSettings");
    disk.Write(u"Work\\NoSettings\\ACCOUNT.FLB",
               testing::WriteFolderList({Folder(1, "", "00002"), Folder(2, "Inbox")}).bytes);
    PutSlot(4, u"NoList");
    disk.Write(u"Work\\NoList\\Account.CFN", testing::WriteAccountConfig({}));
    LoadAccounts();
    ASSERT_EQ(Accounts().size(), 2U);
    EXPECT_EQ(Accounts()[0]->name, u"NoSettings");
    EXPECT_TRUE(Accounts()[0]->rootFolder.children.empty());
    EXPECT_EQ(Accounts()[1]->name, u"NoList");
    EXPECT_TRUE(Accounts()[1]->rootFolder.children.empty());
}

TEST_F(AccountsTest, AnAccountWithoutSettingsEntriesStillHasItsFolders) {
    posix.registry.PutDword(kUser, kDepot, u"Count", 1);
    PutSlot(1, u"Main");
    disk.Write(u"Work\\Main\\Account.CFN", std::string(4, '\0'));
    disk.Write(u"Work\\Main\\ACCOUNT.FLB",
               testing::WriteFolderList({Folder(1, "", "00002"), Folder(2, "Inbox")}).bytes);
    LoadAccounts();
    ASSERT_EQ(Accounts().size(), 1U);
    EXPECT_EQ(Accounts()[0]->rootFolder.children.size(), 1U);
    EXPECT_EQ(Accounts()[0]->address, u"");
}

TEST_F(AccountsTest, TheWorkingDirectorysAccountComesLastAndOnlyWithFolders) {
    posix.registry.PutDword(kUser, kDepot, u"Count", 1);
    PutSlot(1, u"Main");
    PutAccount(u"Work\\Main", {Folder(1, "", "00002"), Folder(2, "Inbox")});
    PutAccount(u"Work", {Folder(1, "")});
    LoadAccounts();
    ASSERT_EQ(Accounts().size(), 1U);
    EXPECT_FALSE(disk.Exists(u"Work\\kvrdirinfo.cookie"));

    PutAccount(u"Work", {Folder(1, "", "00002"), Folder(2, "$JUNK$")});
    LoadAccounts();
    ASSERT_EQ(Accounts().size(), 2U);
    const MailAccount& common = *Accounts()[1];
    EXPECT_EQ(common.name, u"");
    EXPECT_EQ(common.directory, disk.Directory(u"Work"));
    EXPECT_TRUE(common.enabled);
    EXPECT_TRUE(ReadEnabled(common));
    EXPECT_EQ(FolderPath(common, *common.rootFolder.children[0]), u"\\Junk mail");
}

TEST_F(AccountsTest, WithoutAWorkingDirectoryOnlyAccountsWithTheirOwnDirectoryAreBuilt) {
    State().dataDirectory = WideString();
    posix.registry.PutDword(kUser, kDepot, u"Count", 2);
    PutSlot(1, u"Main");
    PutSlot(2, u"Own", disk.File(u"Own").Std());
    PutAccount(u"Own", {Folder(1, "", "00002"), Folder(2, "Inbox")});
    EXPECT_TRUE(LoadAccounts());
    ASSERT_EQ(Accounts().size(), 1U);
    EXPECT_EQ(Accounts()[0]->name, u"Own");
}

TEST_F(AccountsTest, EnabledFlagsComeFromTheStateFilesOfKnownDirectories) {
    posix.registry.PutDword(kUser, kDepot, u"Count", 1);
    PutSlot(1, u"Main");
    PutAccount(u"Work\\Main", {Folder(1, "", "0000200003"), Folder(2, "Inbox"),
                               Folder(3, "Lists", "", Narrow(disk.File(u"Lists")))});
    const std::string enabled = "[KVR Directory Information]\r\nEnabled=1\r\n";
    disk.Write(u"Work\\Main\\kvrdirinfo.cookie", enabled);
    disk.Write(u"Work\\Main\\Inbox\\kvrdirinfo.cookie", enabled);
    disk.Write(u"Lists\\kvrdirinfo.cookie", enabled);
    LoadAccounts();
    ASSERT_EQ(Accounts().size(), 1U);
    const MailAccount& main = *Accounts()[0];
    EXPECT_TRUE(main.enabled);
    // A folder's directory that is known only once it is attached does not count at creation.
    EXPECT_FALSE(main.rootFolder.children[0]->enabled);
    EXPECT_TRUE(main.rootFolder.children[1]->enabled);
    EXPECT_TRUE(main.rootFolder.children[1]->hasOwnDirectory);
    EXPECT_EQ(main.rootFolder.children[1]->directory, disk.Directory(u"Lists"));
}

}  // namespace
}  // namespace ombrel
