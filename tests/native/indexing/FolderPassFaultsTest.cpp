// The folder pass over a file port that fails: reads that fail, short reads, and a base that
// shrinks between two of its windows. Nothing crashes, nothing is counted as read that was not,
// a folder cut short keeps its time, and the next pass over sound files reads every message.
#include <gtest/gtest.h>

#include <filesystem>

#include "indexing/FolderPass.h"
#include "indexing/IndexingJob.h"
#include "mailstore/FolderState.h"
#include "platform/posix/PosixPaths.h"
#include "tests/native/indexing/JobTest.h"
#include "tests/support/FaultyDiskFiles.h"

namespace ombrel {
namespace {

using Fault = testing::FaultyDiskFiles::Fault;
using testing::StoredMessage;

constexpr std::uint64_t kSmallWindow = 8192;
constexpr std::int32_t kMessages = 60;

class FolderPassFaultsTest : public testing::JobTest {
  protected:
    FolderPassFaultsTest() {
        for (std::int32_t i = 0; i < kMessages; ++i) {
            std::string text = "Subject: " + std::to_string(i) + "\r\n\r\n";
            text.resize(3000, 'x');
            messages.push_back({text, 1136073600 + i, 0});
        }
        inbox = &mailbox.Add(mailbox.Root(), u"Inbox", messages, true);
        platform::CurrentPorts().diskFiles = &faulty;
        Job().baseReader.SetWindowSize(kSmallWindow);
    }
    ~FolderPassFaultsTest() override {
        Job().baseReader.SetWindowSize(CTheBatNBBFile::kWindowSize);
        platform::CurrentPorts().diskFiles = &posix.diskFiles;
    }

    bool HasTime() const {
        SystemTime time;
        return ReadMonitorTime(*inbox, &time) && !time.IsNone();
    }

    // A pass over sound files afterwards reads every message and moves the time.
    void ExpectTheNextPassReadsEverything() {
        faulty.Inject(Fault::kNone, 0);
        mailbox.Store(*inbox, testing::WriteMessageBase(messages));
        journal.Clear();
        RunJobToEnd();
        EXPECT_EQ(Job().totals.indexed, kMessages);
        EXPECT_EQ(Job().totals.bad, 0);
        EXPECT_EQ(journal.Events().size(), static_cast<std::size_t>(kMessages));
        EXPECT_TRUE(HasTime());
    }

    std::vector<StoredMessage> messages;
    MailFolder* inbox = nullptr;
    testing::FaultyDiskFiles faulty{posix.diskFiles};
};

TEST_F(FolderPassFaultsTest, ABaseCutBetweenWindowsCountsTheRestAsBadAndKeepsItsTime) {
    const std::string base = platform::posix::PosixPath(inbox->directory.View()) + "MESSAGES.TBB";
    // Cut at a page's edge inside a message's text, whose header still reads: a shared mapping
    // would fault on the text's first page beyond the end.
    const std::size_t record = testing::WriteMessageBase(messages).records[kMessages / 2];
    const std::size_t cut = (record + 3000) / 4096 * 4096;
    ASSERT_GT(cut, record + 48);
    // The index's view, the base's first window, then two windows further the base is cut.
    faulty.Inject(Fault::kShrinkBeforeView, 4, [&] { std::filesystem::resize_file(base, cut); });
    RunJobToEnd();
    EXPECT_EQ(faulty.Faults(), 1);
    EXPECT_EQ(Log().front(), "Main\\Inbox (60)");
    EXPECT_GT(Job().totals.indexed, 0);
    EXPECT_GT(Job().totals.bad, 0);
    EXPECT_EQ(Job().totals.indexed + Job().totals.bad, kMessages);
    EXPECT_EQ(journal.Events().size(), static_cast<std::size_t>(Job().totals.indexed));
    EXPECT_FALSE(HasTime());
    ExpectTheNextPassReadsEverything();
}

TEST_F(FolderPassFaultsTest, FailedAndShortReadsPassTheFolderOverUntilTheyRead) {
    for (const Fault fault : {Fault::kReadFails, Fault::kShortRead}) {
        for (const int after : {0, 1, 2}) {
            faulty.Inject(fault, after);
            journal.Clear();
            RunJobToEnd();
            EXPECT_GT(faulty.Faults(), 0);
            // The headers did not read: the folder is passed over as one whose base does not open.
            EXPECT_EQ(Job().totals.indexed, 0) << after;
            EXPECT_TRUE(journal.Events().empty());
            EXPECT_FALSE(HasTime());
        }
    }
    ExpectTheNextPassReadsEverything();
}

}  // namespace
}  // namespace ombrel
