// Bases and indexes that another program shortens while a reader holds them open: POSIX lets it
// (Windows refuses while a view exists). A shared mapping would end the reader with SIGBUS at the
// first page that is gone; the reader's views hold their bytes instead, messages beyond the cut do
// not read, and the base tells that it changed.
#include <gtest/gtest.h>

#include <filesystem>

#include "mailstore/MessageBaseFile.h"
#include "platform/posix/PosixPaths.h"
#include "tests/support/MailboxWriters.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TestMailbox.h"

namespace ombrel {
namespace {

using testing::StoredMessage;

constexpr std::uint64_t kSmallWindow = 8192;
constexpr std::uint32_t kMessages = 60;

std::vector<StoredMessage> ThreeKiBMessages() {
    std::vector<StoredMessage> messages;
    for (std::uint32_t i = 0; i < kMessages; ++i) {
        std::string text = "Subject: " + std::to_string(i) + "\r\n\r\n";
        text.resize(3000, static_cast<char>('a' + i % 26));
        messages.push_back({text, 1136073600 + static_cast<std::int32_t>(i), 0});
    }
    return messages;
}

class ChangingBaseTest : public testing::PluginTest {
  protected:
    ChangingBaseTest() {
        files = testing::WriteMessageBase(messages);
        folder = &mailbox.Add(mailbox.Root(), u"Inbox", messages, true);
        local = platform::posix::PosixPath(folder->directory.View());
        base.SetWindowSize(kSmallWindow);
        EXPECT_TRUE(base.OpenBase(folder->directory));
    }

    bool Reads(std::uint32_t number) {
        const char* text = nullptr;
        std::uint32_t size = 0;
        if (!base.ReadMessage(number, &text, &size)) return false;
        EXPECT_EQ(std::string_view(text, size), messages[number].text) << number;
        return true;
    }

    const std::vector<StoredMessage> messages = ThreeKiBMessages();
    testing::MessageBaseFiles files;
    testing::TestMailbox mailbox;
    MailFolder* folder = nullptr;
    std::string local;
    CTheBatNBBFile base;
};

TEST_F(ChangingBaseTest, ABaseCutBetweenWindowsReadsUpToTheCutAndTellsItChanged) {
    for (std::uint32_t number = 0; number < 5; ++number) EXPECT_TRUE(Reads(number));
    EXPECT_FALSE(base.Changed());
    const std::size_t cut = files.records[40];
    std::filesystem::resize_file(local + "MESSAGES.TBB", cut);
    EXPECT_TRUE(base.Changed());
    for (std::uint32_t number = 5; number < kMessages; ++number) {
        EXPECT_EQ(Reads(number), number < 40) << number;
    }
    // The window of the last message read before the cut still holds its bytes.
    EXPECT_TRUE(Reads(39));
}

TEST_F(ChangingBaseTest, AnIndexCutAfterItOpenedKeepsItsEntries) {
    std::filesystem::resize_file(local + "MESSAGES.TBI", 40);
    EXPECT_TRUE(base.Changed());
    for (std::uint32_t number = 0; number < kMessages; ++number) EXPECT_TRUE(Reads(number));
}

TEST_F(ChangingBaseTest, ABaseEmptiedUnderTheReaderReadsNothingMore) {
    std::filesystem::resize_file(local + "MESSAGES.TBB", 0);
    for (std::uint32_t number = 10; number < kMessages; ++number) EXPECT_FALSE(Reads(number));
    EXPECT_TRUE(base.Changed());
    base.Close();
    EXPECT_FALSE(base.OpenBase(folder->directory));
    EXPECT_EQ(base.LastOpening(), CTheBatNBBFile::Opening::kBaseFileNotOpened);
}

}  // namespace
}  // namespace ombrel
