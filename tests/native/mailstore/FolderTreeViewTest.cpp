#include "mailstore/FolderTreeView.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "mailstore/FolderState.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/posix/TreeModel.h"

namespace ombrel {
namespace {

using platform::TreeControl;
using platform::posix::TreeModel;

constexpr auto kRoot = TreeControl::kRoot;

// An account with Inbox (below it Lists), Sent and $KNOWN$, shown as the dialog shows it: the
// account's own item, its folders below.
class FolderTreeViewTest : public testing::PluginTest {
  protected:
    FolderTreeViewTest() {
        account.name = u"Main";
        account.directory = disk.Directory(u"Main");
        account.rootFolder.directory = account.directory;
        MailFolder& inbox = Add(account.rootFolder, u"inbox", u"inbox");
        Add(inbox, u"Lists", u"Lists");
        Add(account.rootFolder, u"Sent", u"Sent Mail");
        Add(account.rootFolder, u"$KNOWN$", u"Inbox - Known");
        Add(account.rootFolder, u"Nowhere", u"Nowhere").directory = WideString();
    }
    MailFolder& Add(MailFolder& parent, const char16_t* name, const char16_t* shown) {
        auto folder = std::make_unique<MailFolder>();
        folder->name = name;
        folder->displayName = shown;
        folder->directory = parent.directory + name + u"\\";
        std::filesystem::create_directories(
            disk.Local(folder->directory.Std().substr(disk.Directory().Length())));
        folder->parent = &parent;
        parent.children.push_back(std::move(folder));
        return *parent.children.back();
    }
    void Show() {
        account.treeItem =
            tree.InsertLast(kRoot, u"Main", ItemDataOf(account), TreeControl::StateImage(1),
                            TreeControl::kStateImageMask);
        InsertFolderItems(account.treeItem, account.rootFolder, tree);
    }
    MailFolder& Folder(std::size_t i) { return *account.rootFolder.children[i]; }
    MailFolder& Lists() { return *Folder(0).children[0]; }
    // The check marks of all items, depth-first: 1 for checked, 0 for not.
    std::string Checks() const {
        std::string marks;
        Walk(kRoot, marks);
        return marks;
    }
    void Walk(TreeControl::Item item, std::string& marks) const {
        for (const TreeControl::Item child : tree.Children(item)) {
            marks += IsChecked(tree, child) ? '1' : '0';
            Walk(child, marks);
        }
    }
    std::string Flags() {
        std::string flags(1, account.enabled ? '1' : '0');
        for (MailFolder* folder : {&Folder(0), &Lists(), &Folder(1), &Folder(2), &Folder(3)}) {
            flags += folder->enabled ? '1' : '0';
        }
        return flags;
    }

    testing::TempDirectory disk;
    MailAccount account;
    TreeModel tree;
};

TEST_F(FolderTreeViewTest, InsertsEveryFolderInOrderExpandedWithItsCheckMark) {
    disk.Write(u"Main\\Sent\\kvrdirinfo.cookie", "[KVR Directory Information]\r\nEnabled=1\r\n");
    disk.Write(u"Main\\inbox\\Lists\\kvrdirinfo.cookie",
               "[KVR Directory Information]\r\nEnabled=5\r\n");
    Show();
    const auto& top = tree.Children(account.treeItem);
    ASSERT_EQ(top.size(), 4U);
    EXPECT_EQ(tree.At(top[0]).text, u"inbox");
    EXPECT_EQ(tree.At(top[1]).text, u"Sent Mail");
    EXPECT_EQ(tree.At(top[2]).text, u"Inbox - Known");
    EXPECT_EQ(tree.At(top[0]).state, TreeControl::StateImage(1) | TreeControl::kExpanded);
    EXPECT_EQ(tree.At(top[1]).state, TreeControl::StateImage(2) | TreeControl::kExpanded);
    EXPECT_EQ(NodeOf(tree.At(top[1]).data), &Folder(1));
    EXPECT_EQ(Folder(1).treeItem, top[1]);
    EXPECT_EQ(tree.At(Lists().treeItem).parent, top[0]);
    EXPECT_EQ(tree.At(Lists().treeItem).text, u"Lists");
    EXPECT_EQ(Checks(), "001100");
    // Inserting does not touch the enabled flags.
    EXPECT_EQ(Flags(), "000000");
}

TEST_F(FolderTreeViewTest, SelectingAllSetsMarksAndFlagsAlike) {
    Show();
    SetAllChecks(tree, kRoot, true);
    EXPECT_EQ(Checks(), "111111");
    EXPECT_EQ(Flags(), "111111");
    SetAllChecks(tree, account.treeItem, false);
    EXPECT_EQ(Checks(), "100000");  // the account's item is not below its own
    EXPECT_EQ(Flags(), "100000");
}

TEST_F(FolderTreeViewTest, ReadingChecksSetsFlagsWithoutWriting) {
    Show();
    tree.SetItemState(Lists().treeItem, TreeControl::StateImage(2), TreeControl::kStateImageMask);
    tree.SetItemState(account.treeItem, TreeControl::StateImage(2), TreeControl::kStateImageMask);
    account.rootFolder.children[1]->enabled = true;
    ReadChecks(tree, kRoot);
    EXPECT_EQ(Flags(), "101000");
    EXPECT_FALSE(disk.Exists(u"Main\\inbox\\Lists\\kvrdirinfo.cookie"));
}

TEST_F(FolderTreeViewTest, SavingChecksWritesEveryNodesState) {
    Show();
    tree.SetItemState(Lists().treeItem, TreeControl::StateImage(2), TreeControl::kStateImageMask);
    tree.SetItemState(Folder(3).treeItem, TreeControl::StateImage(2), TreeControl::kStateImageMask);
    SaveChecks(tree, kRoot);
    EXPECT_TRUE(ReadEnabled(Lists()));
    EXPECT_FALSE(ReadEnabled(Folder(0)));
    EXPECT_TRUE(disk.Exists(u"Main\\kvrdirinfo.cookie"));
    EXPECT_TRUE(disk.Exists(u"Main\\Sent\\kvrdirinfo.cookie"));
    // The folder without a directory cannot keep its mark: its flag reloads as not selected.
    EXPECT_EQ(Flags(), "001000");
}

TEST_F(FolderTreeViewTest, DefaultsCheckSentInboxAndKnownOnly) {
    Show();
    Lists().enabled = true;
    DefaultChecks(tree, kRoot);
    EXPECT_EQ(Checks(), "010110");
    EXPECT_EQ(Flags(), "001000");
}

TEST_F(FolderTreeViewTest, ItemsWithoutANodeAreStillWalkedThrough) {
    const TreeControl::Item bare = tree.InsertLast(kRoot, u"bare", 0, 0, 0);
    InsertFolderItems(bare, account.rootFolder, tree);
    SetAllChecks(tree, kRoot, true);
    EXPECT_EQ(Checks(), "111111");
    EXPECT_EQ(Flags(), "011111");
}

TEST(TreeCheckTest, OnlyStateImageTwoIsAMark) {
    TreeModel tree;
    for (const std::uint32_t state : {0x0000U, 0x1000U, 0x2000U, 0x2FFFU, 0x3000U, 0xF000U}) {
        const TreeControl::Item item = tree.InsertLast(kRoot, u"x", 0, state, 0xFFFF);
        EXPECT_EQ(IsChecked(tree, item), state == 0x2000U || state == 0x2FFFU) << state;
    }
}

}  // namespace
}  // namespace ombrel
