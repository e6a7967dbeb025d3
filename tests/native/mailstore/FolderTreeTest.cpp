#include "mailstore/FolderTree.h"

#include <gtest/gtest.h>

#include "mailstore/FolderPath.h"
#include "tests/support/MailboxWriters.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

using testing::ChildIds;
using testing::Folder;
using testing::FolderRecord;

class FolderTreeTest : public testing::PluginTest {
  protected:
    std::unique_ptr<MailAccount> Build(const std::vector<FolderRecord>& folders) {
        disk.Write(u"Account.CFN", testing::WriteAccountConfig({}));
        disk.Write(u"ACCOUNT.FLB", testing::WriteFolderList(folders).bytes);
        return BuildAccount(u"Main", disk.Directory());
    }
    // The folder paths of the account, depth-first.
    static std::u16string Paths(const MailAccount& account) {
        std::u16string paths;
        Collect(account, account.rootFolder, paths);
        return paths;
    }
    static void Collect(const MailAccount& account, const MailFolder& folder,
                        std::u16string& paths) {
        for (const auto& child : folder.children) {
            paths += FolderPath(account, *child).Std() + u";";
            Collect(account, *child, paths);
        }
    }
    static int Depth(const MailFolder& folder) {
        int depth = 0;
        for (const auto& child : folder.children) depth = std::max(depth, 1 + Depth(*child));
        return depth;
    }

    testing::TempDirectory disk;
};

TEST(DisplayNameTest, SystemFoldersGetTheirNamesWhateverTheCase) {
    EXPECT_EQ(DisplayName(u"Sent"), u"Sent Mail");
    EXPECT_EQ(DisplayName(u"sent"), u"Sent Mail");
    EXPECT_EQ(DisplayName(u"Sent Items"), u"Sent Items");
    EXPECT_EQ(DisplayName(u"$known$"), u"Inbox - Known");
    EXPECT_EQ(DisplayName(u"$JUNK$"), u"Junk mail");
    EXPECT_EQ(DisplayName(u"$Name$"), u"Names");
    EXPECT_EQ(DisplayName(u"$MATTER$"), u"Matters");
    EXPECT_EQ(DisplayName(u"$QRNTN$"), u"Quarantine");
    EXPECT_EQ(DisplayName(u"$CHAT$"), u"Chats");
    EXPECT_EQ(DisplayName(u"Inbox"), u"Inbox");
    EXPECT_EQ(DisplayName(u""), u"");
}

TEST_F(FolderTreeTest, ChildrenAreGroupsOfFiveHexadecimalDigits) {
    const auto account = Build({Folder(1, "", "0000a000Ff12"), Folder(10, "Ten"),
                                Folder(255, "Big"), Folder(0x12, "Never")});
    EXPECT_EQ(Paths(*account), u"Main\\Ten;Main\\Big;");
}

TEST_F(FolderTreeTest, GroupsScanAsHexadecimalNumbers) {
    // Blanks before the digits, a "0x", and digits that stop early scan; a group without a digit
    // is folder 0.
    const auto account = Build({Folder(1, "", "   1f0x00200003zzzzzq"), Folder(0x1f, "Blank"),
                                Folder(2, "Prefixed"), Folder(3, "Short"), Folder(0, "Zero")});
    EXPECT_EQ(Paths(*account), u"Main\\Blank;Main\\Prefixed;Main\\Short;Main\\Zero;");
}

TEST_F(FolderTreeTest, TheFirstOfTwoEntriesWithOneIdIsUsed) {
    const auto account = Build({Folder(1, "", "00002"), Folder(2, "First"), Folder(2, "Second")});
    EXPECT_EQ(Paths(*account), u"Main\\First;");
}

TEST_F(FolderTreeTest, ChildrenThatDoNotReadAreLeftOutWithTheirSubtrees) {
    FolderRecord freed = Folder(3, "Freed", "00004");
    freed.freeMarker = 1;
    const auto account = Build(
        {Folder(1, "", "000020000300009"), Folder(2, "Inbox"), freed, Folder(4, "Below freed")});
    EXPECT_EQ(Paths(*account), u"Main\\Inbox;");
}

TEST_F(FolderTreeTest, CyclesAreCut) {
    const auto account = Build({Folder(1, "", "00002"), Folder(2, "Inbox", "0000300002"),
                                Folder(3, "Lists", "0000100002")});
    EXPECT_EQ(Paths(*account), u"Main\\Inbox;Main\\Inbox\\Lists;");
}

TEST_F(FolderTreeTest, AFolderNamedTwiceAppearsOnce) {
    // Each level names the next one twice: without the cut the tree would double per level.
    std::vector<FolderRecord> folders = {Folder(1, "", "0000200002")};
    for (std::uint32_t id = 2; id < 40; ++id) {
        folders.push_back(Folder(id, "F", ChildIds({id + 1, id + 1})));
    }
    const auto account = Build(folders);
    EXPECT_EQ(Depth(account->rootFolder), 38);
    EXPECT_EQ(account->rootFolder.children.size(), 1U);
}

TEST_F(FolderTreeTest, DeepTreesAreCutAtTheDepthLimit) {
    std::vector<FolderRecord> folders = {Folder(1, "", "00002")};
    for (std::uint32_t id = 2; id < 400; ++id)
        folders.push_back(Folder(id, "D", ChildIds({id + 1})));
    const auto account = Build(folders);
    EXPECT_EQ(Depth(account->rootFolder), kMaxFolderDepth);
}

TEST_F(FolderTreeTest, DirectoriesFollowTheRecordsOrTheParents) {
    const auto account =
        Build({Folder(1, "", "0000200004"), Folder(2, "Own", "00003", "D:\\Mail\\Own"),
               Folder(3, "Below"), Folder(4, "Named", "", "D:\\Mail\\Named\\")});
    const MailFolder& own = *account->rootFolder.children[0];
    EXPECT_EQ(own.directory, u"D:\\Mail\\Own\\");
    EXPECT_TRUE(own.hasOwnDirectory);
    EXPECT_EQ(own.children[0]->directory, u"D:\\Mail\\Own\\Below\\");
    EXPECT_FALSE(own.children[0]->hasOwnDirectory);
    EXPECT_EQ(own.children[0]->parent, &own);
    EXPECT_EQ(account->rootFolder.children[1]->directory, u"D:\\Mail\\Named\\");
    EXPECT_EQ(account->rootFolder.directory, disk.Directory());
    EXPECT_TRUE(account->rootFolder.hasOwnDirectory);
    EXPECT_EQ(account->rootFolder.parent, nullptr);
}

TEST(FolderPathTest, JoinsTheAccountAndTheDisplayNames) {
    MailAccount account;
    account.name = u"Main";
    auto inbox = std::make_unique<MailFolder>();
    inbox->displayName = u"Inbox";
    inbox->parent = &account.rootFolder;
    auto lists = std::make_unique<MailFolder>();
    lists->displayName = u"Lists";
    lists->parent = inbox.get();
    EXPECT_EQ(FolderPath(account, *lists), u"Main\\Inbox\\Lists");
    EXPECT_EQ(ChildPath(u"Main", *inbox), u"Main\\Inbox");
    EXPECT_EQ(FolderPath(account, account.rootFolder), u"Main");
    account.name = u"";
    EXPECT_EQ(FolderPath(account, *inbox), u"\\Inbox");
}

}  // namespace
}  // namespace ombrel
