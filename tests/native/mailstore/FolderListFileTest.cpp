#include "mailstore/FolderListFile.h"

#include <gtest/gtest.h>

#include "tests/support/MailboxWriters.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

using testing::ChildIds;
using testing::Folder;
using testing::FolderListFile;
using testing::FolderRecord;
using testing::StoreU32;

constexpr std::uint32_t kName = testing::kFolderNameProperty;

class FolderListFileTest : public testing::PluginTest {
  protected:
    bool Open(const std::vector<FolderRecord>& records) {
        written = testing::WriteFolderList(records);
        return Reopen();
    }
    bool Reopen() {
        folder.Write(u"ACCOUNT.FLB", written.bytes);
        return list.OpenFolderList(folder.File(u"ACCOUNT.FLB"));
    }
    // The name, directory and children of an entry, or "(unread)".
    std::u16string Record(std::uint32_t entry) {
        WideString name;
        WideString directory;
        WideString children;
        if (!list.ReadFolderRecord(entry, name, directory, children)) return u"(unread)";
        return name.Std() + u"|" + directory.Std() + u"|" + children.Std();
    }

    testing::TempDirectory folder;
    FolderListFile written;
    CTheBatZZFile list;
};

TEST_F(FolderListFileTest, FindsTheRootAndReadsEveryRecord) {
    ASSERT_TRUE(Open({Folder(1, "Inbox", "", "D:\\Mail\\In"), Folder(2, "", ChildIds({1, 3})),
                      Folder(3, "$KNOWN$", ChildIds({4}))}));
    EXPECT_EQ(list.Count(), 3U);
    EXPECT_EQ(list.RootName(), u"");
    EXPECT_EQ(list.RootDirectory(), u"");
    EXPECT_EQ(list.RootChildren(), u"0000100003");
    EXPECT_EQ(Record(0), u"Inbox|D:\\Mail\\In|");
    EXPECT_EQ(Record(2), u"$KNOWN$||00004");
    EXPECT_EQ(Record(3), u"(unread)");
    EXPECT_EQ(list.RootEntry(), 1U);
    EXPECT_EQ(list.FolderId(2), 3U);
}

TEST_F(FolderListFileTest, TheFirstLiveNamelessRecordIsTheRoot) {
    FolderRecord freed = Folder(1, "", "00009");
    freed.freeMarker = 1;
    ASSERT_TRUE(Open({freed, Folder(2, "Sent"), Folder(3, "", "00002"), Folder(4, "", "00001")}));
    EXPECT_EQ(list.RootChildren(), u"00002");
    EXPECT_EQ(list.RootEntry(), 2U);
    EXPECT_EQ(Record(0), u"(unread)");
}

TEST_F(FolderListFileTest, WithoutARootTheListDoesNotOpen) {
    FolderRecord freed = Folder(1, "");
    freed.freeMarker = 0xFFFFFFFF;
    EXPECT_FALSE(Open({freed, Folder(2, "Inbox")}));
    EXPECT_FALSE(list.IsOpen());
    EXPECT_EQ(list.Count(), 0U);
    EXPECT_EQ(list.FolderId(1), 0U);
}

TEST_F(FolderListFileTest, TheLaterOfTwoPropertiesWinsAndOtherKindsArePassedOver) {
    FolderRecord twice{5, {{kName, "first"}, {kName, "second"}, {kName, "ignored", 1}}};
    FolderRecord kindOnly{6, {{kName, "Inbox", 1}, {testing::kFolderChildrenProperty, "00005"}}};
    ASSERT_TRUE(Open({twice, kindOnly}));
    EXPECT_EQ(Record(0), u"second||");
    // The record whose only name has kind 1 has an empty name: it is the root.
    EXPECT_EQ(list.RootChildren(), u"00005");
}

TEST_F(FolderListFileTest, AValueThatConvertsToNothingLeavesTheString) {
    // A code-page conversion that yields nothing for one value.
    class Stingy final : public platform::CodePages {
      public:
        bool IsAvailable(std::uint32_t /*codePage*/) const override { return true; }
        void AppendWide(std::uint32_t /*codePage*/, std::string_view bytes,
                        std::u16string& text) const override {
            if (bytes != "lost") text.append(bytes.begin(), bytes.end());
        }
        std::string ToMultiByte(std::uint32_t /*codePage*/,
                                std::u16string_view /*text*/) const override {
            return {};
        }
    } stingy;
    platform::Ports ports = platform::CurrentPorts();
    ports.codePages = &stingy;
    const platform::ScopedPorts scoped(ports);
    ASSERT_TRUE(Open({Folder(1, ""), FolderRecord{2, {{kName, "kept"}, {kName, "lost"}}}}));
    EXPECT_EQ(Record(1), u"kept||");
}

TEST_F(FolderListFileTest, NamesAreAnsiText) {
    ASSERT_TRUE(Open({Folder(1, ""), Folder(2, "Entw\xfcrfe")}));
    EXPECT_EQ(Record(1), u"Entwürfe||");
}

TEST_F(FolderListFileTest, HeadersThatDoNotCheckOutFail) {
    const std::vector<FolderRecord> records = {Folder(1, ""), Folder(2, "Inbox")};
    const auto opens = [&](auto change) {
        written = testing::WriteFolderList(records);
        change(written);
        return Reopen();
    };
    EXPECT_FALSE(opens([](FolderListFile& f) { StoreU32(f.bytes, 0, 0xAB125A5B); }));
    EXPECT_FALSE(opens([](FolderListFile& f) { StoreU32(f.bytes, f.headerOffset, 0); }));
    EXPECT_FALSE(opens([](FolderListFile& f) { StoreU32(f.bytes, f.headerOffset + 8, 0); }));
    EXPECT_FALSE(opens([](FolderListFile& f) { StoreU32(f.bytes, 4, 0x7FFFFFF0); }));
    EXPECT_FALSE(opens([](FolderListFile& f) { StoreU32(f.bytes, f.headerOffset + 8, 1U << 28); }));
    EXPECT_TRUE(opens([](FolderListFile& f) { StoreU32(f.bytes, f.headerOffset + 8, 1); }));
    EXPECT_EQ(list.Count(), 1U);
}

TEST_F(FolderListFileTest, RecordsReachingOutsideTheFileDoNotRead) {
    const std::vector<FolderRecord> records = {Folder(1, ""), Folder(2, "Inbox", "", "D:\\In"),
                                               Folder(3, "Sent")};
    ASSERT_TRUE(Open(records));
    const std::size_t second = written.records[1];
    StoreU32(written.bytes, written.TableEntryOffset(2) + 12, 0xFFFFFFF0);  // record offset
    StoreU32(written.bytes, second + 32, 0x20000000);                       // property count
    ASSERT_TRUE(Reopen());
    EXPECT_EQ(Record(1), u"(unread)");
    EXPECT_EQ(Record(2), u"(unread)");

    // A value beyond the end is passed over; the rest of the record still reads.
    written = testing::WriteFolderList(records);
    StoreU32(written.bytes, second + 36 + 13 + 5, 0x7FFFFFFF);  // the directory's value offset
    ASSERT_TRUE(Reopen());
    EXPECT_EQ(Record(1), u"Inbox||");
    written = testing::WriteFolderList(records);
    StoreU32(written.bytes, second + 36 + 9, 0xFFFFFFFF);  // the name's value length
    ASSERT_TRUE(Reopen());
    EXPECT_EQ(Record(1), u"|D:\\In|");
}

TEST_F(FolderListFileTest, ARecordWithoutPropertiesOrDataDoesNotRead) {
    ASSERT_TRUE(Open({Folder(1, ""), Folder(2, "Inbox")}));
    const std::size_t second = written.records[1];
    StoreU32(written.bytes, second + 36 + 13, 0);  // data size
    ASSERT_TRUE(Reopen());
    EXPECT_EQ(Record(1), u"(unread)");
    StoreU32(written.bytes, second + 32, 0);  // property count
    ASSERT_TRUE(Reopen());
    EXPECT_EQ(Record(1), u"(unread)");
    StoreU32(written.bytes, second, 0x19FEEF90);  // record magic
    ASSERT_TRUE(Reopen());
    EXPECT_EQ(Record(1), u"(unread)");
}

TEST_F(FolderListFileTest, NothingReadsAfterClose) {
    ASSERT_TRUE(Open({Folder(1, ""), Folder(2, "Inbox")}));
    list.Close();
    EXPECT_EQ(Record(1), u"(unread)");
    EXPECT_EQ(list.Count(), 0U);
}

}  // namespace
}  // namespace ombrel
