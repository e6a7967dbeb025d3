// `ombrel index`'s store pass over a file port that fails: reads that fail, short reads, and a base
// that shrinks between two of its windows. Every failure is reported by folder, nothing crashes,
// and the next run over sound files leaves every message in the index, each once.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "cli/StoreIndexing.h"
#include "platform/posix/PosixPaths.h"
#include "tests/support/FaultyDiskFiles.h"
#include "tests/support/MailboxWriters.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TestMailbox.h"

namespace ombrel::cli {
namespace {

using Fault = testing::FaultyDiskFiles::Fault;
using testing::StoredMessage;

constexpr std::size_t kSmallMessages = 20;

class StoreFaultsTest : public testing::PluginTest {
  protected:
    StoreFaultsTest() {
        inbox = &mailbox.Add(mailbox.Root(), u"Inbox", messages, true);
        mailbox.MoveInto(accounts);
        platform::Ports ports = posix.MakePorts(&databaseIndexer);
        ports.diskFiles = &faulty;
        scoped.emplace(ports);
    }

    std::string BaseFile() const {
        return platform::posix::PosixPath(inbox->directory.View()) + "MESSAGES.TBB";
    }

    PassCounts Run() {
        troubles.clear();
        IndexObserver observer;
        observer.folderNotRead = [&](const std::string& path, const FolderTrouble& trouble) {
            troubles.push_back(path + ": " + (trouble.what.empty() ? "not opened" : trouble.what));
        };
        return IndexStore(accounts, u"", false, index, databaseIndexer, observer);
    }

    // The next run over sound files indexes what is left, and the index then holds every message.
    void ExpectTheNextRunCompletesTheIndex() {
        faulty.Inject(Fault::kNone, 0);
        mailbox.Store(*inbox, testing::WriteMessageBase(messages));
        const PassCounts counts = Run();
        EXPECT_TRUE(troubles.empty());
        EXPECT_EQ(counts.bad, 0);
        EXPECT_EQ(index.MessageCount(), static_cast<std::int64_t>(kSmallMessages));
    }

    const std::vector<StoredMessage> messages =
        testing::PastTheFirstWindow(kSmallMessages, testing::k2006);
    testing::TestMailbox mailbox;
    MailFolder* inbox = nullptr;
    AccountList accounts;
    testing::TempDirectory disk;
    MailIndex index{disk.Local(u"mail.db").string(), Sqlite::Mode::kReadWrite};
    DatabaseIndexer databaseIndexer{index};
    testing::FaultyDiskFiles faulty{posix.diskFiles};
    std::optional<platform::ScopedPorts> scoped;
    std::vector<std::string> troubles;
};

TEST_F(StoreFaultsTest, ABaseCutBetweenWindowsIsReportedAsChangedAndReadAgainNextTime) {
    const std::string base = BaseFile();
    const auto size = std::filesystem::file_size(base);
    // Counting the messages opens index and base (two views), indexing opens them again (two
    // more); the next view moves the base's window to the small messages, and the base is cut.
    faulty.Inject(Fault::kShrinkBeforeView, 4,
                  [&] { std::filesystem::resize_file(base, size / 2); });
    const PassCounts counts = Run();
    EXPECT_EQ(faulty.Faults(), 1);
    ASSERT_EQ(troubles.size(), 1U);
    EXPECT_NE(troubles[0].find("Main\\Inbox: changed while it was read"), std::string::npos);
    EXPECT_EQ(counts.indexed, 0);
    EXPECT_EQ(counts.bad, 1);  // the message that found the change
    ExpectTheNextRunCompletesTheIndex();
}

TEST_F(StoreFaultsTest, FailedAndShortReadsAreReportedAndTheFolderIsReadNextTime) {
    for (const Fault fault : {Fault::kReadFails, Fault::kShortRead}) {
        faulty.Inject(fault, 0);
        const PassCounts counts = Run();
        EXPECT_GT(faulty.Faults(), 0);
        EXPECT_EQ(counts.indexed, 0);
        ASSERT_EQ(troubles.size(), 1U);
        EXPECT_NE(troubles[0].find("not a message index"), std::string::npos) << troubles[0];
    }
    ExpectTheNextRunCompletesTheIndex();
}

}  // namespace
}  // namespace ombrel::cli
