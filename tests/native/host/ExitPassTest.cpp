#include "host/ExitPass.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/CalendarMath.h"
#include "common/Exceptions.h"
#include "host/Lifecycle.h"
#include "host/PluginApi.h"
#include "host/PluginState.h"
#include "indexing/MessageTime.h"
#include "mailstore/FolderState.h"
#include "platform/IndexerIds.h"
#include "platform/posix/PosixPaths.h"
#include "tests/support/EventFields.h"
#include "tests/support/FaultyDiskFiles.h"
#include "tests/support/HostEnvironment.h"
#include "tests/support/JobStress.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/SamplePasses.h"
#include "tests/support/TestMailbox.h"

namespace ombrel {
namespace {

using Subjects = std::vector<std::u16string>;
using testing::k2006;
using testing::kDay;
using testing::SimpleMessage;
using testing::StoredMessage;

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
                                  {SimpleMessage("equal", k2006), SimpleMessage("newer", k2006 + 1),
                                   SimpleMessage("older", k2006 - kDay)},
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
        u"Inbox",
        {SimpleMessage("later", k2006 + 9 * kDay), SimpleMessage("earlier", k2006 + kDay)}, k2006);
    Run();
    EXPECT_EQ(Received(), (Subjects{u"later", u"earlier"}));
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006 + kDay));
}

TEST_F(ExitPassTest, MarkedMessagesAreNeverIndexedNorMoveTheTime) {
    MailFolder& inbox = Monitored(u"Inbox", {SimpleMessage("marked", k2006 + kDay, 0x1)}, k2006);
    Run();
    EXPECT_TRUE(journal.Events().empty());
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006));
}

TEST_F(ExitPassTest, TheIndexsFlagIsNotReportedAtExit) {
    Monitored(u"Inbox", {SimpleMessage("flagged", k2006 + kDay, 0x2)}, k2006);
    Run();
    ASSERT_EQ(journal.Events().size(), 1U);
    EXPECT_EQ(standin::NumberField(journal.Events()[0], u"mail_flags"), 0U);
}

TEST_F(ExitPassTest, FoldersWithoutATimeOrNotEnabledAreNotIndexedButTheirChildrenAre) {
    MailFolder& unmonitored = mailbox.Add(
        mailbox.Root(), u"New", std::vector<StoredMessage>{SimpleMessage("new", k2006)}, true);
    MailFolder& disabled = mailbox.Add(
        mailbox.Root(), u"Off", std::vector<StoredMessage>{SimpleMessage("off", k2006)}, false);
    WriteMonitorTime(MessageTime(k2006 - kDay), disabled);
    // The state file decides, not the in-memory flag.
    disabled.enabled = true;
    for (MailFolder* parent : {&unmonitored, &disabled}) {
        MailFolder& child = mailbox.Add(
            *parent, u"Child", std::vector<StoredMessage>{SimpleMessage("child", k2006)}, true);
        WriteMonitorTime(MessageTime(k2006 - kDay), child);
    }
    Run();
    EXPECT_EQ(Received(), (Subjects{u"child", u"child"}));
    EXPECT_EQ(standin::TextField(journal.Events()[0], u"folder_name"), u"Main\\New\\Child");
    EXPECT_EQ(standin::TextField(journal.Events()[1], u"folder_name"), u"Main\\Off\\Child");
    EXPECT_FALSE(Monitor(unmonitored));
    EXPECT_EQ(Monitor(disabled), MessageTime(k2006 - kDay));
}

TEST_F(ExitPassTest, AfterMailArrivedOnlyInboxMessagesLaterThanItsArrivalAreIndexed) {
    const std::int64_t now = UnixSecondsOf(posix.clock.CurrentUtcTime());
    MailFolder& inbox = mailbox.Add(
        mailbox.Root(), u"Inbox",
        std::vector<StoredMessage>{SimpleMessage("before", static_cast<std::int32_t>(now - kDay)),
                                   SimpleMessage("after", static_cast<std::int32_t>(now + kDay))},
        true);
    mailbox.Account().address = WideString(u"main@example.org");
    WriteEnabled(mailbox.Account(), true);
    State().accounts = std::make_unique<AccountList>();
    mailbox.MoveInto(*State().accounts);
    State().activeConfig.indexOnReceive = 1;
    State().initialized = true;
    testing::IncomingMessage arriving(SimpleMessage("arriving", 0).text);
    plugin::GetSpamScore(arriving);
    ASSERT_EQ(Received(), (Subjects{u"arriving"}));
    SystemTime arrival;
    ASSERT_TRUE(ReadMonitorTime(inbox, &arrival));
    journal.Clear();
    Run();
    EXPECT_EQ(Received(), (Subjects{u"after"}));
}

TEST_F(ExitPassTest, TheCommonAccountsPathsBeginWithABackslash) {
    testing::TestMailbox common(u"");
    MailFolder& shared = common.Add(
        common.Root(), u"Shared", std::vector<StoredMessage>{SimpleMessage("shared", k2006)}, true);
    WriteMonitorTime(MessageTime(k2006 - 1), shared);
    RunExitPass(common.Root(), common.Account().name);
    ASSERT_EQ(journal.Events().size(), 1U);
    EXPECT_EQ(standin::TextField(journal.Events()[0], u"folder_name"), u"\\Shared");
}

TEST_F(ExitPassTest, UnreadableFoldersAndMessagesArePassedOver) {
    MailFolder& missing = mailbox.Add(mailbox.Root(), u"Missing", std::nullopt, true);
    WriteMonitorTime(MessageTime(k2006), missing);
    const std::vector<StoredMessage> messages{SimpleMessage("damaged", k2006 + kDay),
                                              SimpleMessage("fine", k2006 + 2 * kDay)};
    MailFolder& inbox = Monitored(u"Inbox", messages, k2006);
    testing::MessageBaseFiles files = testing::WriteMessageBase(messages);
    testing::StoreU32(files.base, files.records[0] + 36, 7);  // size disagrees with the index
    mailbox.Store(inbox, files);
    Run();
    EXPECT_EQ(Received(), (Subjects{u"fine"}));
    EXPECT_EQ(Monitor(missing), MessageTime(k2006));
}

TEST_F(ExitPassTest, ABaseCutUnderThePassKeepsItsTimeAndIsReadWholeNextTime) {
    const std::vector<StoredMessage> messages = testing::PastTheFirstWindow(3, k2006);
    MailFolder& inbox = Monitored(u"Inbox", messages, k2006 - kDay);
    const std::string base = platform::posix::PosixPath(inbox.directory.View()) + "MESSAGES.TBB";
    testing::FaultyDiskFiles faulty(posix.diskFiles);
    platform::CurrentPorts().diskFiles = &faulty;
    // The index's view, the base's first window, then the window that reaches the small messages.
    faulty.Inject(testing::FaultyDiskFiles::Fault::kShrinkBeforeView, 2,
                  [&] { std::filesystem::resize_file(base, 4096); });
    Run();
    EXPECT_EQ(faulty.Faults(), 1);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006 - kDay));

    faulty.Inject(testing::FaultyDiskFiles::Fault::kNone, 0);
    mailbox.Store(inbox, testing::WriteMessageBase(messages));
    Run();
    platform::CurrentPorts().diskFiles = &posix.diskFiles;
    EXPECT_EQ(Received(), (Subjects{u"small 0", u"small 1", u"small 2"}));
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006 + 3));
}

TEST_F(ExitPassTest, ARefusedMessageStillMovesTheTime) {
    MailFolder& inbox = Monitored(u"Inbox", {SimpleMessage("refused", k2006 + kDay)}, k2006);
    journal.Script("Submit", MakeHResult(0x80004005));
    Run();
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006 + kDay));
}

TEST_F(ExitPassTest, AnIndexerRefusalLeavesAtOnceWithoutWritingTheFoldersTime) {
    MailFolder& inbox = Monitored(
        u"Inbox", {SimpleMessage("one", k2006 + kDay), SimpleMessage("two", k2006 + 2 * kDay)},
        k2006);
    Monitored(u"Sent", {SimpleMessage("sent", k2006 + kDay)}, k2006);
    journal.Script("Submit", indexer::kServiceNotRunning, 1);
    EXPECT_THROW(Run(), CKVRFailException);
    EXPECT_EQ(Received(), (Subjects{u"one"}));
    EXPECT_EQ(Monitor(inbox), MessageTime(k2006));
}

// A registry whose every read fails with an exception, as running out of memory would.
class ThrowingRegistry final : public platform::Registry {
  public:
    std::int32_t OpenKey(Key /*parent*/, std::u16string_view /*subKey*/, std::uint32_t /*access*/,
                         Key& /*key*/) override {
        Fail();
    }
    std::int32_t CreateKey(Key /*parent*/, std::u16string_view /*subKey*/, std::uint32_t /*access*/,
                           Key& /*key*/) override {
        Fail();
    }
    std::int32_t CloseKey(Key /*key*/) override { return 0; }
    std::int32_t QueryValue(Key /*key*/, const char16_t* /*name*/, std::uint32_t* /*type*/,
                            void* /*data*/, std::uint32_t* /*size*/) override {
        Fail();
    }
    std::int32_t SetValue(Key /*key*/, const char16_t* /*name*/, std::uint32_t /*type*/,
                          const void* /*data*/, std::uint32_t /*size*/) override {
        Fail();
    }
    std::int32_t EnumKey(Key /*key*/, std::uint32_t /*index*/, char16_t* /*name*/,
                         std::uint32_t* /*nameLength*/) override {
        Fail();
    }
    std::int32_t DeleteKey(Key /*parent*/, std::u16string_view /*subKey*/) override { Fail(); }
    std::int32_t DeleteValue(Key /*key*/, const char16_t* /*name*/) override { Fail(); }

  private:
    [[noreturn]] static void Fail() { throw std::bad_alloc(); }
};

TEST_F(ExitPassTest, AFailureWhileReReadingTheAccountsEndsOnlyThePass) {
    State().accounts = std::make_unique<AccountList>();
    State().storedConfig.monitorOnExit = 1;
    State().initialized = true;
    ThrowingRegistry registry;
    platform::Ports ports = platform::CurrentPorts();
    ports.registry = &registry;
    const platform::ScopedPorts scoped(ports);
    EXPECT_NO_THROW(FinalizePlugin());
    EXPECT_FALSE(State().initialized);
    EXPECT_EQ(State().accounts, nullptr);
    EXPECT_EQ(State().eventFactory, nullptr);
    EXPECT_EQ(journal.LiveObjects(), 0);
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
        const std::uint8_t record[12] = {0x0D, 0xF0, 0xAD, 0xBA, 0,  monitorOnExit,
                                         0,    0,    0,    0,    12, 0};
        plugin::SetConfigData(record, sizeof record);
    }

    // Folder paths and received times, of the events or of the expected messages.
    using Sent = std::vector<std::pair<std::u16string, double>>;
    Sent Expected() const {
        Sent sent;
        for (const testing::FolderMessage& message :
             testing::ExitPassMessages(store, &MessageTime)) {
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
