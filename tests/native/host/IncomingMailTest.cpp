#include "host/IncomingMail.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <thread>

#include "host/MessageBuffer.h"
#include "host/PluginState.h"
#include "indexing/StopCheck.h"
#include "mailstore/FolderState.h"
#include "tests/support/ConcurrentMail.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

using standin::EventProperty;
using standin::ReceivedEvent;

constexpr std::int32_t kMessageText = 100005;

// The host's side of one incoming message: answers the size, then copies the text.
class HostMessage final : public MessageDataSource {
  public:
    struct Call {
        std::int32_t kind;
        bool withBuffer;
        std::int32_t size;
    };

    explicit HostMessage(std::string text)
        : text_(std::move(text)), reportedSize_(static_cast<std::int32_t>(text_.size())) {}
    HostMessage(std::string text, std::int32_t reportedSize)
        : text_(std::move(text)), reportedSize_(reportedSize) {}

    std::int32_t Fetch(std::int32_t kind, void* buffer, std::int32_t size) override {
        calls.push_back({kind, buffer != nullptr, size});
        if (buffer == nullptr) return reportedSize_;
        const std::size_t count = std::min(text_.size(), static_cast<std::size_t>(size));
        std::memcpy(buffer, text_.data(), count);
        return copiedAnswer.value_or(static_cast<std::int32_t>(count));
    }

    std::vector<Call> calls;
    std::optional<std::int32_t> copiedAnswer;  // what it says it copied, when not the truth

  private:
    std::string text_;
    std::int32_t reportedSize_;
};

// Page-file memory that records each block's size and its last byte when released; blocks start
// filled with 0xFF.
class RecordingPageFileMemory final : public platform::PageFileMemory {
  public:
    struct Block {
        std::uint32_t size;
        bool released = false;
        char lastByte = '?';
    };

    explicit RecordingPageFileMemory(platform::PageFileMemory& real) : real_(real) {}

    std::unique_ptr<platform::PageFileBlock> Map(std::uint32_t size) override {
        blocks.push_back({size});
        if (refuse) return nullptr;
        std::unique_ptr<platform::PageFileBlock> block = real_.Map(size);
        std::memset(block->Data(), 0xFF, size);  // whatever the library leaves shows
        return std::make_unique<Recorded>(std::move(block), blocks.back(), size);
    }

    std::vector<Block> blocks;
    bool refuse = false;

  private:
    class Recorded final : public platform::PageFileBlock {
      public:
        Recorded(std::unique_ptr<platform::PageFileBlock> block, Block& record, std::uint32_t size)
            : block_(std::move(block)), record_(record), size_(size) {}
        ~Recorded() override {
            record_.released = true;
            record_.lastByte = block_->Data()[size_ - 1];
        }
        Recorded(const Recorded&) = delete;
        Recorded& operator=(const Recorded&) = delete;
        char* Data() override { return block_->Data(); }

      private:
        std::unique_ptr<platform::PageFileBlock> block_;
        Block& record_;
        std::uint32_t size_;
    };

    platform::PageFileMemory& real_;
};

std::string Message(const std::string& to, const std::string& body = "Hello.\r\n") {
    return "From: Anna <anna@example.org>\r\nTo: " + to +
           "\r\nSubject: Hi\r\nContent-Type: text/plain\r\n\r\n" + body;
}

// The library initialised with indexing on receipt, and accounts made by the tests.
class IncomingMailTest : public testing::PluginTest {
  protected:
    IncomingMailTest() {
        PluginState& state = State();
        indexer.CreateEventFactory(state.eventFactory);
        state.accounts = std::make_unique<AccountList>();
        state.activeConfig.indexOnReceive = 1;
        state.initialized = true;
        journal.Clear();
    }
    ~IncomingMailTest() override {
        EXPECT_EQ(journal.LiveObjects(), 1) << "only the factory lives between messages";
        CloseStopEvent();
    }

    // An account with its own directory and, unless `inboxName` is empty, a folder of that
    // stored name with a directory of its own.
    MailAccount& AddAccount(const std::u16string& name, const std::u16string& address,
                            bool enabled = true, const std::u16string& inboxName = u"Inbox") {
        auto& account = *State().accounts->emplace_back(std::make_unique<MailAccount>());
        account.name = WideString(name);
        account.address = WideString(address);
        account.directory = MakeDirectory(name);
        WriteEnabled(account, enabled);
        if (!inboxName.empty()) {
            auto& inbox = *account.rootFolder.children.emplace_back(std::make_unique<MailFolder>());
            inbox.name = WideString(inboxName);
            inbox.displayName = WideString(inboxName);
            inbox.directory = MakeDirectory(name + u"\\" + inboxName);
        }
        return account;
    }

    WideString MakeDirectory(const std::u16string& relative) {
        std::filesystem::create_directories(disk.Local(relative));
        return disk.Directory(relative);
    }

    static MailFolder& Inbox(MailAccount& account) { return *account.rootFolder.children.at(0); }

    static SystemTime MonitorTime(const MailFolder& folder) {
        SystemTime time;
        ReadMonitorTime(folder, &time);
        return time;
    }

    static std::int32_t Receive(const std::string& text) {
        HostMessage message(text);
        return IndexIncomingMessage(message);
    }

    // The folder of each event received, "(none)" for an event without one.
    std::vector<std::u16string> Folders() const {
        std::vector<std::u16string> folders;
        for (const ReceivedEvent& event : journal.Events()) {
            std::u16string folder = u"(none)";
            for (const EventProperty& property : event.properties) {
                if (property.name == u"folder_name") {
                    folder = std::get<std::u16string>(property.value);
                }
            }
            folders.push_back(folder);
        }
        return folders;
    }

    testing::TempDirectory disk;
};

TEST_F(IncomingMailTest, TheHostIsAskedForTheSizeThenTheText) {
    AddAccount(u"Anna", u"anna@example.net");
    const std::string text = Message("anna@example.net");
    HostMessage message(text);
    EXPECT_EQ(IndexIncomingMessage(message), -1);
    ASSERT_EQ(message.calls.size(), 2U);
    EXPECT_EQ(message.calls[0].kind, kMessageText);
    EXPECT_FALSE(message.calls[0].withBuffer);
    EXPECT_EQ(message.calls[0].size, -1);
    EXPECT_EQ(message.calls[1].kind, kMessageText);
    EXPECT_TRUE(message.calls[1].withBuffer);
    EXPECT_EQ(message.calls[1].size, static_cast<std::int32_t>(text.size()));

    ASSERT_EQ(journal.Events().size(), 1U);
    EXPECT_EQ(Folders(), std::vector<std::u16string>{u"Anna\\Inbox"});
    EXPECT_EQ(journal.Events()[0].submitFlags, 0x2001U);
}

TEST_F(IncomingMailTest, AHostThatCopiesNothingOrClaimsMoreThanAskedIsReadNoFurther) {
    AddAccount(u"Anna", u"");
    const std::string text = Message("x@y");
    for (const std::int32_t copied : {0, -1}) {
        HostMessage message(text);
        message.copiedAnswer = copied;
        EXPECT_EQ(IndexIncomingMessage(message), -1);
        EXPECT_EQ(message.calls.size(), 2U) << copied;
    }
    EXPECT_TRUE(journal.Calls().empty());

    HostMessage boasting(text);
    boasting.copiedAnswer = static_cast<std::int32_t>(text.size()) + 1000;
    EXPECT_EQ(IndexIncomingMessage(boasting), -1);
    ASSERT_EQ(journal.Events().size(), 1U);
}

TEST_F(IncomingMailTest, NothingIsAskedBeforeInitialisationOrWithIndexingOnReceiptOff) {
    AddAccount(u"Anna", u"");
    State().activeConfig.indexOnReceive = 0;
    HostMessage off(Message("x@y"));
    EXPECT_EQ(IndexIncomingMessage(off), -1);
    EXPECT_TRUE(off.calls.empty());

    State().activeConfig.indexOnReceive = 1;
    State().initialized = false;
    HostMessage uninitialised(Message("x@y"));
    EXPECT_EQ(IndexIncomingMessage(uninitialised), -1);
    EXPECT_TRUE(uninitialised.calls.empty());
    EXPECT_TRUE(journal.Calls().empty());
}

TEST_F(IncomingMailTest, AHostWithoutTextEndsTheCall) {
    AddAccount(u"Anna", u"");
    for (const std::int32_t size : {0, -1, -100}) {
        HostMessage message(Message("x@y"), size);
        EXPECT_EQ(IndexIncomingMessage(message), -1);
        EXPECT_EQ(message.calls.size(), 1U) << size;
    }
    EXPECT_TRUE(journal.Calls().empty());
}

// Page-file memory that the test sees.
class MessageBufferTest : public IncomingMailTest {
  protected:
    MessageBufferTest() { platform::CurrentPorts().pageFileMemory = &memory; }

    // A message of exactly `size` bytes whose body is filled with letters.
    static std::string MessageOfSize(std::size_t size) {
        std::string text = Message("x@y", "");
        text.append(size - text.size() - 2, 'a');
        return text + "\r\n";
    }

    static std::u16string Content(const ReceivedEvent& event) {
        for (const EventProperty& property : event.properties) {
            if (property.name == u"content") return std::get<std::u16string>(property.value);
        }
        return {};
    }

    RecordingPageFileMemory memory{posix.pageFileMemory};
};

TEST_F(MessageBufferTest, AMessageOneByteShortOfTheLimitIsHeldOnTheHeap) {
    Receive(MessageOfSize(MessageBuffer::kHeapLimit - 1));
    EXPECT_TRUE(memory.blocks.empty());
    ASSERT_EQ(journal.Events().size(), 1U);
    const std::u16string content = Content(journal.Events()[0]);
    EXPECT_EQ(content.size(), 102399U - Message("x@y", "").size() + 1);
    EXPECT_EQ(content.substr(content.size() - 4), u"a\r\n\n");
}

TEST_F(MessageBufferTest, AMessageOfTheLimitIsHeldInPageFileMemoryWithAZeroAfterIt) {
    Receive(MessageOfSize(MessageBuffer::kHeapLimit));
    ASSERT_EQ(memory.blocks.size(), 1U);
    EXPECT_EQ(memory.blocks[0].size, 102401U);
    EXPECT_TRUE(memory.blocks[0].released);
    EXPECT_EQ(memory.blocks[0].lastByte, '\0');
    ASSERT_EQ(journal.Events().size(), 1U);
    EXPECT_EQ(Content(journal.Events()[0]).size(), 102400U - Message("x@y", "").size() + 1);
}

TEST_F(MessageBufferTest, AMessageAfterALargerOneCarriesNothingOfIt) {
    // The hook's workspace is kept from one message to the next.
    Receive(MessageOfSize(200000));
    Receive(MessageOfSize(300));
    ASSERT_EQ(journal.Events().size(), 2U);
    const std::u16string content = Content(journal.Events()[1]);
    EXPECT_EQ(content.size(), 300U - Message("x@y", "").size() + 1);
    EXPECT_EQ(content.substr(content.size() - 4), u"a\r\n\n");
}

TEST_F(MessageBufferTest, AShortCopyIsParsedOnlyAsFarAsTheHostCopied) {
    // The host announces a large message but copies a short one: the rest of the block, filled
    // with 0xFF here, stays unread.
    const std::string text = MessageOfSize(300);
    HostMessage message(text, 200000);
    EXPECT_EQ(IndexIncomingMessage(message), -1);
    ASSERT_EQ(memory.blocks.size(), 1U);
    EXPECT_EQ(memory.blocks[0].size, 200001U);
    ASSERT_EQ(journal.Events().size(), 1U);
    const std::u16string content = Content(journal.Events()[0]);
    EXPECT_EQ(content.size(), 300U - Message("x@y", "").size() + 1);
    EXPECT_EQ(content.substr(content.size() - 4), u"a\r\n\n");
}

TEST_F(MessageBufferTest, WithoutMemoryNothingIsParsedOrSent) {
    memory.refuse = true;
    HostMessage message(MessageOfSize(200000));
    EXPECT_EQ(IndexIncomingMessage(message), -1);
    EXPECT_EQ(message.calls.size(), 1U);
    EXPECT_TRUE(journal.Calls().empty());
}

TEST_F(MessageBufferTest, ReleasingEmptiesEveryField) {
    MessageBuffer buffer;
    ASSERT_TRUE(buffer.Obtain(MessageBuffer::kHeapLimit + 1));
    EXPECT_TRUE(buffer.IsMapped());
    EXPECT_EQ(buffer.Length(), MessageBuffer::kHeapLimit + 1);
    ASSERT_TRUE(buffer.Obtain(MessageBuffer::kHeapLimit));  // the mapping goes first
    EXPECT_FALSE(buffer.IsMapped());
    EXPECT_TRUE(memory.blocks.at(0).released);
    buffer.Release();
    EXPECT_EQ(buffer.Data(), nullptr);
    EXPECT_EQ(buffer.Length(), 0U);
    EXPECT_FALSE(buffer.Obtain(0));
}

TEST_F(IncomingMailTest, TheFirstAccountWhoseAddressTheToTextHoldsWins) {
    AddAccount(u"Work", u"anna@work.example");
    AddAccount(u"Home", u"anna@home.example");
    AddAccount(u"Both", u"anna@");
    Receive(Message("Anna <anna@home.example>"));
    Receive(Message("anna@home.example, anna@work.example"));
    Receive(Message("anna@other.example"));
    Receive(Message("Anna@Home.Example"));  // the search heeds case
    EXPECT_EQ(Folders(), (std::vector<std::u16string>{u"Home\\Inbox", u"Work\\Inbox",
                                                      u"Both\\Inbox", u"(none)"}));
}

TEST_F(IncomingMailTest, AnAccountWithoutAnAddressTakesWhatEarlierOnesDoNot) {
    AddAccount(u"Work", u"anna@work.example");
    AddAccount(u"Any", u"");
    AddAccount(u"Home", u"anna@home.example");
    Receive(Message("anna@work.example"));
    Receive(Message("anna@home.example"));
    EXPECT_EQ(Folders(), (std::vector<std::u16string>{u"Work\\Inbox", u"Any\\Inbox"}));
}

TEST_F(IncomingMailTest, MailForNoAccountIsIndexedWithoutAFolder) {
    MailAccount& work = AddAccount(u"Work", u"anna@work.example");
    Receive(Message("bob@example.org"));
    Receive("From: anna@work.example\r\nSubject: no recipient\r\n\r\nText\r\n");
    EXPECT_EQ(Folders(), (std::vector<std::u16string>{u"(none)", u"(none)"}));
    EXPECT_TRUE(MonitorTime(Inbox(work)).IsNone());
}

TEST_F(IncomingMailTest, AnEmptyToTextMatchesNoAccountEvenOneWithoutAnAddress) {
    AddAccount(u"Any", u"");
    Receive("From: anna@example.org\r\nSubject: no recipient\r\n\r\nText\r\n");
    EXPECT_EQ(Folders(), std::vector<std::u16string>{u"(none)"});
}

TEST_F(IncomingMailTest, ADisabledAccountEndsTheCallWithoutTryingLaterOnes) {
    MailAccount& off = AddAccount(u"Off", u"anna@", false);
    AddAccount(u"On", u"anna@example.net");
    Receive(Message("anna@example.net"));
    EXPECT_TRUE(journal.Calls().empty());
    EXPECT_TRUE(MonitorTime(Inbox(off)).IsNone());

    off.directory = WideString();  // no state file at all: not enabled either
    Receive(Message("anna@example.net"));
    EXPECT_TRUE(journal.Calls().empty());
}

TEST_F(IncomingMailTest, TheInboxIsFoundByItsStoredNameWhateverItsCase) {
    MailAccount& account = AddAccount(u"Anna", u"anna@", true, u"Sent");
    auto& inbox = *account.rootFolder.children.emplace_back(std::make_unique<MailFolder>());
    inbox.name = u"INBOX";
    inbox.displayName = u"Incoming";
    inbox.directory = MakeDirectory(u"Anna\\INBOX");
    Receive(Message("anna@example.net"));
    EXPECT_EQ(Folders(), std::vector<std::u16string>{u"Anna\\Inbox"});
    EXPECT_TRUE(MonitorTime(Inbox(account)).IsNone());  // "Sent" stays as it was
    EXPECT_FALSE(MonitorTime(inbox).IsNone());
}

TEST_F(IncomingMailTest, AnAccountWithoutAnInboxStillNamesItsInbox) {
    AddAccount(u"Anna", u"anna@", true, u"");
    Receive(Message("anna@example.net"));
    EXPECT_EQ(Folders(), std::vector<std::u16string>{u"Anna\\Inbox"});
}

TEST_F(IncomingMailTest, TheInboxTimeMovesForwardToTheReceivedTimeOnly) {
    MailAccount& account = AddAccount(u"Anna", u"anna@");
    Receive(Message("anna@example.net"));
    const SystemTime first = MonitorTime(Inbox(account));
    ASSERT_FALSE(first.IsNone());
    double stored = 0;
    ASSERT_TRUE(posix.clock.ToVariantTime(first, stored));
    EXPECT_EQ(journal.Events().at(0).properties.at(0).value,
              standin::StoredValue(platform::VariantDate{stored}));

    const SystemTime past = {2001, 1, 1, 1, 0, 0, 0, 0};
    WriteMonitorTime(past, Inbox(account));
    Receive(Message("anna@example.net"));
    EXPECT_GE(CompareTimes(first, MonitorTime(Inbox(account))), 0);  // now, not the past

    const SystemTime future = {2999, 12, 3, 31, 23, 59, 59, 999};
    WriteMonitorTime(future, Inbox(account));
    Receive(Message("anna@example.net"));
    EXPECT_EQ(MonitorTime(Inbox(account)), future);
    EXPECT_EQ(journal.Events().size(), 3U);
}

TEST_F(IncomingMailTest, AFailedOrRefusedSubmissionLeavesTheInboxTime) {
    MailAccount& account = AddAccount(u"Anna", u"anna@");
    journal.Script("Submit", hr::kFail, 1);
    EXPECT_EQ(Receive(Message("anna@example.net")), -1);
    journal.Script("Submit", MakeHResult(0x00040007), 1);
    EXPECT_EQ(Receive(Message("anna@example.net")), -1);
    journal.Script("MakeEvent", MakeHResult(0x80040009), 1);
    EXPECT_EQ(Receive(Message("anna@example.net")), -1);
    EXPECT_TRUE(MonitorTime(Inbox(account)).IsNone());
    EXPECT_EQ(journal.Events().size(), 2U);
}

TEST_F(IncomingMailTest, AStopRequestWhileParsingEndsTheCallQuietly) {
    AddAccount(u"Anna", u"anna@");
    ASSERT_TRUE(CreateStopEvent());
    SignalStop();
    EXPECT_EQ(Receive(Message("anna@example.net")), -1);
    EXPECT_TRUE(journal.Calls().empty());
}

TEST_F(IncomingMailTest, ThreadsReceivingAtOnceGiveTheEventsOfOneAtATime) {
    MailAccount& work = AddAccount(u"Work", u"anna@work.example");
    AddAccount(u"Home", u"anna@home.example");
    constexpr int kThreads = 4;
    constexpr int kMessagesEach = 12;
    const auto mail = testing::MailPerThread(kThreads, kMessagesEach);

    for (const auto& messages : mail) {
        for (const std::string& text : messages) Receive(text);
    }
    const auto oneAtATime = testing::EventsWithoutTimes(journal.Events());
    journal.Clear();

    std::vector<std::thread> threads;
    threads.reserve(mail.size());
    for (const auto& messages : mail) {
        threads.emplace_back([&messages] {
            for (const std::string& text : messages) {
                HostMessage message(text);
                IndexIncomingMessage(message);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    const std::vector<ReceivedEvent> received = journal.Events();
    ASSERT_EQ(received.size(), static_cast<std::size_t>(kThreads * kMessagesEach));
    EXPECT_EQ(testing::EventsWithoutTimes(received), oneAtATime);

    // The Inbox holds the latest time that any of its messages was received at.
    double latest = 0;
    for (const ReceivedEvent& event : received) {
        latest = std::max(latest, std::get<platform::VariantDate>(event.properties[0].value).days);
    }
    double stored = 0;
    ASSERT_TRUE(posix.clock.ToVariantTime(MonitorTime(Inbox(work)), stored));
    EXPECT_LE(stored, latest);
    EXPECT_GE(stored, latest - 1.0 / 86400);
}

}  // namespace
}  // namespace ombrel
