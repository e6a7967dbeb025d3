#include "mailstore/MessageBaseFile.h"

#include <gtest/gtest.h>

#include "tests/support/MailboxWriters.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

using testing::FetchU32;
using testing::MessageBaseFiles;
using testing::StoredMessage;
using testing::StoreU32;

const std::vector<StoredMessage> kMessages = {
    {"Subject: one\r\n\r\nfirst", 1000000000, 0},
    {"Subject: two\r\n\r\nsecond body", -5, CTheBatNBIFile::kStatusNotIndexed},
    {"Subject: three\r\n\r\nthird", 1132048800, CTheBatNBIFile::kStatusFlagged},
};

class MessageBaseFileTest : public testing::PluginTest {
  protected:
    MessageBaseFileTest() : written(testing::WriteMessageBase(kMessages)) { Store(written); }

    void Store(const MessageBaseFiles& files) {
        folder.Write(u"MESSAGES.TBB", files.base);
        folder.Write(u"MESSAGES.TBI", files.index);
    }
    // Stores the written files again after `change` has damaged them.
    template <typename Change>
    void Damage(Change change) {
        MessageBaseFiles files = written;
        change(files);
        Store(files);
    }
    std::string Text(std::uint32_t number) {
        const char* text = nullptr;
        std::uint32_t size = 0;
        if (!base.ReadMessage(number, &text, &size)) return "(unread)";
        return {text, size};
    }

    testing::TempDirectory folder;
    const MessageBaseFiles written;
    CTheBatNBBFile base;
};

TEST_F(MessageBaseFileTest, ReadsEveryMessageInPlaceWithItsTime) {
    ASSERT_TRUE(base.OpenBase(folder.Directory()));
    ASSERT_EQ(base.Index().Count(), 3U);
    for (std::uint32_t number = 0; number < 3; ++number) {
        const char* text = nullptr;
        std::uint32_t size = 0;
        std::int32_t time = 0;
        ASSERT_TRUE(base.ReadMessage(number, &text, &size, &time));
        EXPECT_EQ(std::string(text, size), kMessages[number].text);
        EXPECT_EQ(time, kMessages[number].time);
        // The text is the view itself, not a copy.
        EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(text),
                  base.ViewAt(written.records[number] + 48));
        EXPECT_EQ(base.Index().Entry(number).status, kMessages[number].status);
    }
}

TEST_F(MessageBaseFileTest, AskingForTooMuchOrWithoutResultsFails) {
    ASSERT_TRUE(base.OpenBase(folder.Directory()));
    const char* text = "untouched";
    std::uint32_t size = 7;
    EXPECT_FALSE(base.ReadMessage(3, &text, &size));
    EXPECT_STREQ(text, "untouched");
    EXPECT_FALSE(base.ReadMessage(0, nullptr, &size));
    EXPECT_FALSE(base.ReadMessage(0, &text, nullptr));
    EXPECT_EQ(size, 7U);
    base.Close();
    EXPECT_FALSE(base.ReadMessage(0, &text, &size));
    EXPECT_EQ(base.Index().Count(), 0U);
}

TEST_F(MessageBaseFileTest, AnIndexWithoutEntriesOpensNeitherIndexNorBase) {
    Damage([](MessageBaseFiles& files) { StoreU32(files.index, 12, 0); });
    CTheBatNBIFile index;
    EXPECT_FALSE(index.OpenIndex(folder.Directory()));
    EXPECT_FALSE(index.IsOpen());
    EXPECT_FALSE(base.OpenBase(folder.Directory()));
    EXPECT_FALSE(base.IsOpen());
    EXPECT_FALSE(base.Index().IsOpen());
}

TEST_F(MessageBaseFileTest, IndexHeadersThatDoNotCheckOutFail) {
    const auto opens = [this](auto change) {
        Damage(change);
        CTheBatNBIFile index;
        return index.OpenIndex(folder.Directory());
    };
    EXPECT_FALSE(opens([](MessageBaseFiles& f) { StoreU32(f.index, 0, 0x19470102); }));
    EXPECT_FALSE(opens([](MessageBaseFiles& f) { StoreU32(f.index, 4, 0); }));
    // Tables that reach beyond the end of the file.
    EXPECT_FALSE(opens([](MessageBaseFiles& f) { StoreU32(f.index, 12, 4); }));
    EXPECT_FALSE(opens([](MessageBaseFiles& f) { StoreU32(f.index, 12, 0x08000000); }));
    EXPECT_FALSE(opens([](MessageBaseFiles& f) { StoreU32(f.index, 4, 0xFFFFFFF0); }));
    EXPECT_FALSE(opens([](MessageBaseFiles& f) { f.index.resize(35); }));
    EXPECT_TRUE(opens([](MessageBaseFiles& f) { StoreU32(f.index, 12, 2); }));
}

TEST_F(MessageBaseFileTest, ABaseWhoseDataStartMissesARecordDoesNotOpen) {
    for (const std::uint32_t dataStart : {20U, 0U, 0xFFFFFFFCU, 0x80000000U}) {
        Damage([dataStart](MessageBaseFiles& f) { StoreU32(f.base, 4, dataStart); });
        EXPECT_FALSE(base.OpenBase(folder.Directory())) << dataStart;
        EXPECT_FALSE(base.Index().IsOpen());
    }
    Damage([](MessageBaseFiles& f) { StoreU32(f.base, 0, 0x19790621); });
    EXPECT_FALSE(base.OpenBase(folder.Directory()));
}

TEST_F(MessageBaseFileTest, AMessageThatDoesNotReadLeavesTheOthersReadable) {
    Damage([](MessageBaseFiles& f) {
        StoreU32(f.base, f.records[0] + 36, FetchU32(f.base, f.records[0] + 36) + 1);
        StoreU32(f.base, f.records[1], 0);
    });
    ASSERT_TRUE(base.OpenBase(folder.Directory()));
    EXPECT_EQ(Text(0), "(unread)");
    EXPECT_EQ(Text(1), "(unread)");
    EXPECT_EQ(Text(2), kMessages[2].text);
}

TEST_F(MessageBaseFileTest, RecordsAndTextsReachingOutsideTheBaseDoNotRead) {
    Damage([](MessageBaseFiles& f) {
        // Entry 0 points far beyond the file, entry 1 wraps around 32 bits.
        StoreU32(f.index, f.EntryOffset(0) + 4, 0x7FFFFF00);
        StoreU32(f.index, f.EntryOffset(1) + 4, 0xFFFFFFF8);
        // Message 2 claims more text than the file holds, in index and record alike.
        const auto size = static_cast<std::uint32_t>(f.base.size());
        StoreU32(f.index, f.EntryOffset(2) + 28, size);
        StoreU32(f.base, f.records[2] + 36, size);
    });
    ASSERT_TRUE(base.OpenBase(folder.Directory()));
    EXPECT_EQ(Text(0), "(unread)");
    EXPECT_EQ(Text(1), "(unread)");
    EXPECT_EQ(Text(2), "(unread)");
}

TEST_F(MessageBaseFileTest, AMessageEndingAtTheEndOfTheFileReads) {
    Damage(
        [](MessageBaseFiles& f) { f.base.resize(f.records[2] + 48 + kMessages[2].text.size()); });
    ASSERT_TRUE(base.OpenBase(folder.Directory()));
    EXPECT_EQ(Text(2), kMessages[2].text);
    Damage(
        [](MessageBaseFiles& f) { f.base.resize(f.records[2] + 47 + kMessages[2].text.size()); });
    ASSERT_TRUE(base.OpenBase(folder.Directory()));
    EXPECT_EQ(Text(2), "(unread)");
    EXPECT_EQ(Text(1), kMessages[1].text);
}

TEST_F(MessageBaseFileTest, ReopensOnAnotherFolder) {
    testing::TempDirectory other;
    const auto files = testing::WriteMessageBase({{"Subject: other", 7, 0}});
    other.Write(u"MESSAGES.TBB", files.base);
    other.Write(u"MESSAGES.TBI", files.index);
    ASSERT_TRUE(base.OpenBase(folder.Directory()));
    ASSERT_TRUE(base.OpenBase(other.Directory()));
    EXPECT_EQ(base.Index().Count(), 1U);
    EXPECT_EQ(Text(0), "Subject: other");
    EXPECT_FALSE(base.OpenBase(folder.Directory() + u"missing\\"));
    EXPECT_FALSE(base.IsOpen());
}

TEST_F(MessageBaseFileTest, EntriesBeyondTheCountAreZero) {
    CTheBatNBIFile index;
    ASSERT_TRUE(index.OpenIndex(folder.Directory()));
    EXPECT_EQ(index.Entry(1).status, CTheBatNBIFile::kStatusNotIndexed);
    EXPECT_EQ(index.Entry(3).messageSize, 0U);
    index.Close();
    EXPECT_EQ(index.Entry(1).status, 0U);
}

}  // namespace
}  // namespace ombrel
