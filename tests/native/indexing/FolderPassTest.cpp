#include "indexing/FolderPass.h"

#include <gtest/gtest.h>

#include "indexing/IndexingJob.h"
#include "indexing/MessageTime.h"
#include "indexing/StopCheck.h"
#include "mailstore/Accounts.h"
#include "mailstore/FolderState.h"
#include "platform/IndexerIds.h"
#include "tests/native/indexing/JobTest.h"
#include "tests/support/CountingDiskFiles.h"
#include "tests/support/EventFields.h"
#include "tests/support/HostEnvironment.h"
#include "tests/support/SamplePasses.h"

namespace ombrel {
namespace {

using Lines = std::vector<std::string>;
using testing::k2006;
using testing::kDay;
using testing::SimpleMessage;
using testing::StoredMessage;

const SystemTime k2010{2010, 1, 5, 1, 0, 0, 0, 0};

class FolderPassTest : public testing::JobTest {
  protected:
    static std::optional<SystemTime> Monitor(const MailFolder& folder) {
        SystemTime time;
        if (!ReadMonitorTime(folder, &time)) return std::nullopt;
        return time;
    }
    static Lines Summary(const Lines& counts) {
        Lines lines{"----------------------------"};
        lines.insert(lines.end(), counts.begin(), counts.end());
        lines.emplace_back("Indexing done successfully!");
        return lines;
    }
};

TEST_F(FolderPassTest, ThreeMessagesWithTheSecondMarkedGiveOneSkippedAndTwoIndexed) {
    MailFolder& inbox = mailbox.Add(mailbox.Root(), u"Inbox",
                                    std::vector<StoredMessage>{
                                        SimpleMessage("one", k2006),
                                        SimpleMessage("two", k2006 + 2 * kDay, 0x1),
                                        SimpleMessage("three", k2006 + kDay, 0x2),
                                    },
                                    true);
    RunJobToEnd();
    EXPECT_EQ(Updates(),
              (Lines{"log Main\\Inbox (3)", "range 3", "step 1", "position 0", "stepit", "stepit",
                     "stepit", "position 3", "log ----------------------------", "log Indexed 2",
                     "log Skipped 1", "log Indexing done successfully!", "ended"}));
    EXPECT_EQ(Subjects(), (Lines{"one", "three"}));
    const auto events = journal.Events();
    ASSERT_EQ(events.size(), 2U);
    EXPECT_EQ(standin::TextField(events[0], u"folder_name"), u"Main\\Inbox");
    EXPECT_EQ(standin::NumberField(events[0], u"mail_flags"), 0U);
    EXPECT_EQ(standin::NumberField(events[1], u"mail_flags"), 1U);  // status bit 1
    double received = 0;
    ASSERT_TRUE(posix.clock.ToVariantTime(MessageTime(k2006 + kDay), received));
    EXPECT_EQ(standin::DateField(events[1], u"received"), received);
    // The newest time of the messages read, not that of the skipped one.
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006 + kDay));
    EXPECT_EQ(Job().totals.indexed, 2);
    EXPECT_EQ(Job().totals.skipped, 1);
    EXPECT_EQ(Job().totals.bad, 0);
}

TEST_F(FolderPassTest, ADisabledFolderIsPassedOverButItsEnabledChildrenCarryItsName) {
    MailFolder& archive = mailbox.Add(
        mailbox.Root(), u"Archive", std::vector<StoredMessage>{SimpleMessage("old", k2006)}, false);
    MailFolder& year = mailbox.Add(archive, u"2005",
                                   std::vector<StoredMessage>{SimpleMessage("kept", k2006)}, true);
    RunJobToEnd();
    EXPECT_EQ(Log(), (Lines{"Main\\Archive\\2005 (1)", "----------------------------", "Indexed 1",
                            "Indexing done successfully!"}));
    ASSERT_EQ(journal.Events().size(), 1U);
    EXPECT_EQ(standin::TextField(journal.Events()[0], u"folder_name"), u"Main\\Archive\\2005");
    EXPECT_FALSE(Monitor(archive));
    EXPECT_TRUE(Monitor(year));
}

TEST_F(FolderPassTest, TheAccountsRootFolderIsNeverOpened) {
    mailbox.Store(mailbox.Root(), testing::WriteMessageBase({SimpleMessage("root", k2006)}));
    mailbox.Root().enabled = true;
    mailbox.Add(mailbox.Root(), u"Inbox", std::vector<StoredMessage>{SimpleMessage("one", k2006)},
                true);
    RunJobToEnd();
    EXPECT_EQ(Log().front(), "Main\\Inbox (1)");
    EXPECT_EQ(Subjects(), (Lines{"one"}));
}

TEST_F(FolderPassTest, FoldersWithoutABaseShowNothingAndKeepTheirTime) {
    MailFolder& empty = mailbox.Add(mailbox.Root(), u"Empty", std::vector<StoredMessage>{}, true);
    MailFolder& missing = mailbox.Add(mailbox.Root(), u"Missing", std::nullopt, true);
    MailFolder& nowhere = mailbox.Add(mailbox.Root(), u"Nowhere", std::nullopt, true);
    nowhere.directory = WideString();
    mailbox.Add(nowhere, u"Below", std::vector<StoredMessage>{SimpleMessage("below", k2006)}, true);
    WriteMonitorTime(k2010, empty);
    RunJobToEnd();
    Lines expected{"Main\\Nowhere\\Below (1)"};
    for (std::string& line : Summary({"Indexed 1"})) expected.push_back(line);
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(Monitor(empty), k2010);
    EXPECT_FALSE(Monitor(missing));
}

TEST_F(FolderPassTest, UnreadableMessagesAreBadAndLeaveTheTimeAlone) {
    const std::vector<StoredMessage> messages{SimpleMessage("one", k2006),
                                              SimpleMessage("two", k2006)};
    MailFolder& inbox = mailbox.Add(mailbox.Root(), u"Inbox", messages, true);
    testing::MessageBaseFiles files = testing::WriteMessageBase(messages);
    // Each record's size no longer agrees with its index entry.
    for (const std::size_t record : files.records) testing::StoreU32(files.base, record + 36, 7);
    mailbox.Store(inbox, files);
    RunJobToEnd();
    EXPECT_EQ(Log(), (Lines{"Main\\Inbox (2)", "----------------------------", "Bad 2",
                            "Indexing done successfully!"}));
    EXPECT_TRUE(journal.Events().empty());
    EXPECT_FALSE(Monitor(inbox));
    EXPECT_EQ(mailbox.StateFile(inbox).find("Monitor"), std::string::npos);
}

TEST_F(FolderPassTest, OlderMessagesAreIndexedWithoutMovingTheTimeBack) {
    MailFolder& inbox = mailbox.Add(mailbox.Root(), u"Inbox",
                                    std::vector<StoredMessage>{SimpleMessage("old", k2006)}, true);
    WriteMonitorTime(k2010, inbox);
    RunJobToEnd();
    EXPECT_EQ(Subjects(), (Lines{"old"}));
    EXPECT_EQ(Monitor(inbox), k2010);
}

TEST_F(FolderPassTest, TheTimeMovesToTheNewestMessageWhateverTheirOrder) {
    MailFolder& inbox =
        mailbox.Add(mailbox.Root(), u"Inbox",
                    std::vector<StoredMessage>{SimpleMessage("newest", k2006 + 9 * kDay),
                                               SimpleMessage("older", k2006)},
                    true);
    WriteMonitorTime(MessageTime(k2006 + kDay), inbox);
    RunJobToEnd();
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006 + 9 * kDay));
}

TEST_F(FolderPassTest, ARefusedSubmissionCountsAsSkipped) {
    mailbox.Add(
        mailbox.Root(), u"Inbox",
        std::vector<StoredMessage>{SimpleMessage("one", k2006), SimpleMessage("two", k2006)}, true);
    journal.Script("Submit", MakeHResult(0x80004005), 1);
    RunJobToEnd();
    EXPECT_EQ(Log(), (Lines{"Main\\Inbox (2)", "----------------------------", "Indexed 1",
                            "Skipped 1", "Indexing done successfully!"}));
}

TEST_F(FolderPassTest, FoldersAreTakenDepthFirstInTheirOrder) {
    MailFolder& inbox = mailbox.Add(
        mailbox.Root(), u"Inbox", std::vector<StoredMessage>{SimpleMessage("inbox", k2006)}, true);
    mailbox.Add(inbox, u"Lists", std::vector<StoredMessage>{SimpleMessage("lists", k2006)}, true);
    mailbox.Add(mailbox.Root(), u"Sent", std::vector<StoredMessage>{SimpleMessage("sent", k2006)},
                true);
    testing::TestMailbox common(u"");
    common.Add(common.Root(), u"Shared", std::vector<StoredMessage>{SimpleMessage("shared", k2006)},
               true);
    common.MoveInto(*State().accounts);
    RunJobToEnd();
    EXPECT_EQ(Log(),
              (Lines{"Main\\Inbox (1)", "Main\\Inbox\\Lists (1)", "Main\\Sent (1)", "\\Shared (1)",
                     "----------------------------", "Indexed 4", "Indexing done successfully!"}));
    EXPECT_EQ(Subjects(), (Lines{"inbox", "lists", "sent", "shared"}));
}

// A stop requested while the second of three messages is being submitted: that message is sent,
// then the pass ends at the submission's check.
TEST_F(FolderPassTest, AStopInsideAFolderKeepsItsTimeAndAddsNothing) {
    MailFolder& sent = mailbox.Add(mailbox.Root(), u"Sent",
                                   std::vector<StoredMessage>{SimpleMessage("sent", k2006)}, true);
    MailFolder& inbox = mailbox.Add(
        mailbox.Root(), u"Inbox",
        std::vector<StoredMessage>{SimpleMessage("one", k2006), SimpleMessage("two", k2006 + kDay),
                                   SimpleMessage("three", k2006)},
        true);
    WriteMonitorTime(k2010, inbox);
    int submissions = 0;
    journal.OnEnter("Submit", [&submissions] {
        if (++submissions == 3) SignalStop();
    });
    RunJobToEnd();
    EXPECT_EQ(Updates(), (Lines{"log Main\\Sent (1)", "range 1", "step 1", "position 0", "stepit",
                                "position 1", "log Main\\Inbox (3)", "range 3", "step 1",
                                "position 0", "stepit", "stepit", "ended"}));
    EXPECT_EQ(Subjects(), (Lines{"sent", "one", "two"}));
    EXPECT_EQ(Monitor(inbox), k2010);
    EXPECT_EQ(Monitor(sent), MessageTime(k2006));  // a folder done before the stop keeps its time
    EXPECT_EQ(Job().totals.indexed, 0);
    EXPECT_EQ(Job().totals.skipped, 0);
}

struct IndexerRefusal {
    HResult result;
    const char* line;
};

class FolderPassRefusalTest : public FolderPassTest,
                              public ::testing::WithParamInterface<IndexerRefusal> {};

TEST_P(FolderPassRefusalTest, EndsTheJobWithItsLineAndNoSummary) {
    mailbox.Add(
        mailbox.Root(), u"Inbox",
        std::vector<StoredMessage>{SimpleMessage("one", k2006), SimpleMessage("two", k2006)}, true);
    journal.Script("Submit", GetParam().result, 1);
    RunJobToEnd();
    EXPECT_EQ(Log(), (Lines{"Main\\Inbox (2)", GetParam().line}));
    EXPECT_EQ(Updates().back(), "ended");
    EXPECT_EQ(journal.Events().size(), 1U);
    EXPECT_EQ(Job().state, JobState::kIdle);
}

INSTANTIATE_TEST_SUITE_P(
    TheIndexersThreeStates, FolderPassRefusalTest,
    ::testing::Values(IndexerRefusal{indexer::kServiceNotRunning,
                                     "*** Ombrel Desktop Service is not running! ***"},
                      IndexerRefusal{
                          indexer::kComponentDisabled,
                          "*** The Bat! Plug-in is in disabled state in Ombrel Desktop! ***"},
                      IndexerRefusal{indexer::kIndexingPaused,
                                     "*** Ombrel Desktop Indexing is in paused state! ***"}));

TEST_F(FolderPassTest, AnyOtherFailureEndsTheJobWithTheUnhandledLine) {
    mailbox.Add(mailbox.Root(), u"Inbox", std::vector<StoredMessage>{SimpleMessage("one", k2006)},
                true);
    journal.OnEnter("MakeEvent", [] { throw std::bad_alloc(); });
    RunJobToEnd();
    EXPECT_EQ(Log(), (Lines{"Main\\Inbox (1)", "Unhandled exception occured!"}));
    EXPECT_EQ(Updates().back(), "ended");
}

class SampleStorePassTest : public FolderPassTest {
  protected:
    SampleStorePassTest() {
        testing::WriteSampleStore(store, disk.Local(u""), disk.Directory().Std());
        testing::PutRegistryEntries(posix, testing::SampleRegistry(store, disk.Directory().Std()));
        State().dataDirectory = disk.Directory();
        EXPECT_TRUE(LoadAccounts());
        testing::EnableEveryFolder(*State().accounts);
    }

    const testing::SampleStore store = testing::MakeSampleStore(8);
    const testing::TempDirectory disk;
};

TEST_F(SampleStorePassTest, AJobOverTheWholeSampleStoreLogsEveryFolderAndTheTotals) {
    RunJobToEnd();
    Lines expected;
    for (const std::u16string& line : testing::FolderPassLog(store)) {
        expected.push_back(testing::Ascii(line));
    }
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(static_cast<std::size_t>(Job().totals.indexed), journal.Events().size());
}

TEST_F(SampleStorePassTest, AWindowOfAFewKiBGivesTheSameEventsAsTheDefaultOne) {
    RunJobToEnd();
    const auto expected = journal.Events();
    journal.Clear();
    testing::CountingDiskFiles files(posix.diskFiles);
    platform::CurrentPorts().diskFiles = &files;
    constexpr std::uint64_t kWindow = 4096;
    Job().baseReader.SetWindowSize(kWindow);  // messages cross its edges, and some are larger
    RunJobToEnd();
    Job().baseReader.SetWindowSize(CTheBatNBBFile::kWindowSize);
    platform::CurrentPorts().diskFiles = &posix.diskFiles;
    EXPECT_EQ(journal.Events(), expected);
    // The bases are up to three windows long; no message is as long as one.
    EXPECT_GT(files.PeakMappedBytes(), 0U);
    EXPECT_LE(files.PeakMappedBytes(), 2 * kWindow);
}

}  // namespace
}  // namespace ombrel
