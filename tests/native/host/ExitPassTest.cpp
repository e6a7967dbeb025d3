#include "host/ExitPass.h"

#include <gtest/gtest.h>

#include "common/Exceptions.h"
#include "host/Lifecycle.h"
#include "host/PluginApi.h"
#include "host/PluginState.h"
#include "indexer/IndexerIds.h"
#include "indexing/MessageTime.h"
#include "mailstore/FolderState.h"
#include "tests/support/EventFields.h"
#include "tests/support/HostEnvironment.h"
#include "tests/support/MonitoredSample.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TestMailbox.h"

namespace ombrel {
namespace {

using Subjects = std::vector<std::u16string>;
using testing::StoredMessage;

constexpr std::int32_t k2006 = 1136073600;
constexpr std::int32_t kDay = 86400;

StoredMessage Message(const std::string& subject, std::int32_t time, std::uint32_t status = 0) {
    return {"To: main@example.org\r\nSubject: " + subject + "\r\n\r\nText\r\n", time, status};
}

class ExitPassTest : public testing::PluginTest {
  protected:
    ExitPassTest() { indexer.CreateEventFactory(State().eventFactory); }

    // An enabled folder below the root whose last indexed time is that of `seconds`.
    MailFolder& Monitored(const std::u16string& name, std::vector<StoredMessage> messages,
                          std::int32_t seconds) {
        MailFolder& folder = mailbox.Add(mailbox.Root(), name, std::move(messages), true);
        WriteMonitorTime(MessageTime(seconds), folder);
        return folder;
    }
    void Run() { RunExitPass(mailbox.Root(), mailbox.Account().name); }

    Subjects Received() const {
        Subjects subjects;
        for (const standin::ReceivedEvent& event : journal.Events()) {
            subjects.push_back(standin::TextField(event, u"subject").value_or(u"(none)"));
        }
        return subjects;
    }
    static std::optional<SystemTime> Monitor(const MailFolder& folder) {
        SystemTime time;
        if (!ReadMonitorTime(folder, &time)) return std::nullopt;
        return time;
    }

    testing::TestMailbox mailbox;
};

TEST_F(ExitPassTest, OnlyStrictlyNewerMessagesAreIndexed) {
    MailFolder& inbox = Monitored(u"Inbox",
                                  {Message("equal", k2006), Message("newer", k2006 + 1),
                                   Message("older", k2006 - kDay)},
                                  k2006);
    Run();
    EXPECT_EQ(Received(), (Subjects{u"newer"}));
    const standin::ReceivedEvent event = journal.Events().at(0);
    EXPECT_EQ(standin::TextField(event, u"folder_name"), u"Main\\Inbox");
    double received = 0;
    ASSERT_TRUE(posix.clock.ToVariantTime(MessageTime(k2006 + 1), received));
    EXPECT_EQ(standin::DateField(event, u"received"), received);
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006 + 1));
}

TEST_F(ExitPassTest, TheTimeWrittenIsThatOfTheLastNewerMessageInIndexOrder) {
    MailFolder& inbox = Monitored(
        u"Inbox", {Message("later", k2006 + 9 * kDay), Message("earlier", k2006 + kDay)}, k2006);
    Run();
    EXPECT_EQ(Received(), (Subjects{u"later", u"earlier"}));
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006 + kDay));
}

TEST_F(ExitPassTest, MarkedMessagesAreNeverIndexedNorMoveTheTime) {
    MailFolder& inbox = Monitored(u"Inbox", {Message("marked", k2006 + kDay, 0x1)}, k2006);
    Run();
    EXPECT_TRUE(journal.Events().empty());
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006));
}

TEST_F(ExitPassTest, TheIndexsFlagIsNotReportedAtExit) {
    Monitored(u"Inbox", {Message("flagged", k2006 + kDay, 0x2)}, k2006);
    Run();
    ASSERT_EQ(journal.Events().size(), 1U);
    EXPECT_EQ(standin::NumberField(journal.Events()[0], u"mail_flags"), 0U);
}

TEST_F(ExitPassTest, FoldersWithoutATimeOrNotEnabledAreNotIndexedButTheirChildrenAre) {
    MailFolder& unmonitored =
        mailbox.Add(mailbox.Root(), u"New", std::vector<StoredMessage>{Message("new", k2006)}, true);
    MailFolder& disabled = mailbox.Add(mailbox.Root(), u"Off",
                                       std::vector<StoredMessage>{Message("off", k2006)}, false);
    WriteMonitorTime(MessageTime(k2006 - kDay), disabled);
    // The state file decides, not the in-memory flag.
    disabled.enabled = true;
    for (MailFolder* parent : {&unmonitored, &disabled}) {
        MailFolder& child = mailbox.Add(*parent, u"Child",
                                        std::vector<StoredMessage>{Message("child", k2006)}, true);
        WriteMonitorTime(MessageTime(k2006 - kDay), child);
    }
    Run();
    EXPECT_EQ(Received(), (Subjects{u"child", u"child"}));
    EXPECT_EQ(standin::TextField(journal.Events()[0], u"folder_name"), u"Main\\New\\Child");
    EXPECT_EQ(standin::TextField(journal.Events()[1], u"folder_name"), u"Main\\Off\\Child");
    EXPECT_FALSE(Monitor(unmonitored));
    EXPECT_EQ(Monitor(disabled), MessageTime(k2006 - kDay));
}

TEST_F(ExitPassTest, TheCommonAccountsPathsBeginWithABackslash) {
    testing::TestMailbox common(u"");
    MailFolder& shared = common.Add(common.Root(), u"Shared",
                                    std::vector<StoredMessage>{Message("shared", k2006)}, true);
    WriteMonitorTime(MessageTime(k2006 - 1), shared);
    RunExitPass(common.Root(), common.Account().name);
    ASSERT_EQ(journal.Events().size(), 1U);
    EXPECT_EQ(standin::TextField(journal.Events()[0], u"folder_name"), u"\\Shared");
}

TEST_F(ExitPassTest, UnreadableFoldersAndMessagesArePassedOver) {
    MailFolder& missing = mailbox.Add(mailbox.Root(), u"Missing", std::nullopt, true);
    WriteMonitorTime(MessageTime(k2006), missing);
    const std::vector<StoredMessage> messages{Message("damaged", k2006 + kDay),
                                              Message("fine", k2006 + 2 * kDay)};
    MailFolder& inbox = Monitored(u"Inbox", messages, k2006);
    testing::MessageBaseFiles files = testing::WriteMessageBase(messages);
    testing::StoreU32(files.base, files.records[0] + 36, 7);  // size disagrees with the index
    mailbox.Store(inbox, files);
    Run();
    EXPECT_EQ(Received(), (Subjects{u"fine"}));
    EXPECT_EQ(Monitor(missing), MessageTime(k2006));
}

TEST_F(ExitPassTest, ARefusedMessageStillMovesTheTime) {
    MailFolder& inbox = Monitored(u"Inbox", {Message("refused", k2006 + kDay)}, k2006);
    journal.Script("Submit", MakeHResult(0x80004005));
    Run();
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006 + kDay));
}

TEST_F(ExitPassTest, AnIndexerRefusalLeavesAtOnceWithoutWritingTheFoldersTime) {
    MailFolder& inbox = Monitored(
        u"Inbox", {Message("one", k2006 + kDay), Message("two", k2006 + 2 * kDay)}, k2006);
    Monitored(u"Sent", {Message("sent", k2006 + kDay)}, k2006);
    journal.Script("Submit", indexer::kServiceNotRunning, 1);
    EXPECT_THROW(Run(), CKVRFailException);
    EXPECT_EQ(Received(), (Subjects{u"one"}));
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006));
}

// The exit pass as the host starts it, over the sample store whose enabled folders were indexed up
// to their fourth message.
class ExitAtFinalizeTest : public testing::PluginTest {
  protected:
    ExitAtFinalizeTest() : hostRoot(disk.Directory().Std()) {
        testing::MonitorEnabledFolders(store, 3, &MessageTime);
        testing::WriteSampleStore(store, disk.Local(u""), hostRoot);
        testing::PutRegistryEntries(posix, testing::SampleRegistry(store, hostRoot));
        plugin::Initialize();
        journal.Clear();
    }
    ~ExitAtFinalizeTest() override { plugin::Finalize(); }

    static void SetStoredOptions(std::uint8_t monitorOnExit) {
        const std::uint8_t record[12] = {0x0D, 0xF0, 0xAD, 0xBA, 0, monitorOnExit, 0, 0, 0, 0, 12,
                                         0};
        plugin::SetConfigData(record, sizeof record);
    }

    // Folder paths and received times, of the events or of the expected messages.
    using Sent = std::vector<std::pair<std::u16string, double>>;
    Sent Expected() const {
        Sent sent;
        for (const testing::FolderMessage& message : testing::ExitPassMessages(store, &MessageTime)) {
            double days = 0;
            posix.clock.ToVariantTime(message.time, days);
            sent.emplace_back(message.path, days);
        }
        return sent;
    }
    Sent Received() const {
        Sent sent;
        for (const standin::ReceivedEvent& event : journal.Events()) {
            sent.emplace_back(standin::TextField(event, u"folder_name").value_or(u""),
                              standin::DateField(event, u"received").value_or(-1));
        }
        return sent;
    }

    testing::TempDirectory disk;
    testing::SampleStore store = testing::MakeSampleStore(6);
    const std::u16string hostRoot;
};

TEST_F(ExitAtFinalizeTest, IndexesTheNewerMessagesOfEveryMonitoredFolder) {
    ASSERT_EQ(plugin::GetStatus(), 0);
    SetStoredOptions(1);
    plugin::Finalize();
    EXPECT_GE(Expected().size(), 6U);
    EXPECT_EQ(Received(), Expected());
    EXPECT_EQ(plugin::GetStatus(), 1);
    EXPECT_EQ(State().accounts, nullptr);
    EXPECT_EQ(journal.LiveObjects(), 0);
}

TEST_F(ExitAtFinalizeTest, WithoutTheStoredOptionNothingIsRead) {
    SetStoredOptions(0);
    State().activeConfig.monitorOnExit = 1;
    plugin::Finalize();
    EXPECT_TRUE(journal.Events().empty());
}

TEST_F(ExitAtFinalizeTest, ARefusalEndsThePassAndTeardownGoesOn) {
    SetStoredOptions(1);
    journal.Script("Submit", indexer::kComponentDisabled, 1);
    plugin::Finalize();
    EXPECT_EQ(journal.Events().size(), 1U);
    EXPECT_EQ(plugin::GetStatus(), 1);
    EXPECT_EQ(State().accounts, nullptr);
    EXPECT_EQ(journal.LiveObjects(), 0);
}

}  // namespace
}  // namespace ombrel
