// A message base held open by the reader, on the real Windows file functions: where POSIX lets
// another program shorten or replace a file under a reader, Windows refuses, as long as the reader
// holds it (it shares read access only, and a file with a view cannot be cut). The host's rewrite
// of a base thus waits until the reader lets go, and the reader then reads the new base whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "mailstore/MessageBaseFile.h"
#include "tests/support/MailboxWriters.h"
#include "tests/support/TestMailbox.h"

namespace ombrel {
namespace {

using testing::StoredMessage;

std::vector<StoredMessage> Messages(const std::string& subject, int count) {
    std::vector<StoredMessage> messages;
    for (int i = 0; i < count; ++i) {
        std::string text = "Subject: " + subject + std::to_string(i) + "\r\n\r\n";
        text.resize(3000, 'x');
        messages.push_back({text, 1136073600 + i, 0});
    }
    return messages;
}

std::wstring Wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

class HeldBaseTest : public ::testing::Test {
  protected:
    HeldBaseTest()
        : folder(&mailbox.Add(mailbox.Root(), u"Inbox", first, true)),
          basePath(Wide(folder->directory.View()) + L"MESSAGES.TBB"),
          replacement(Wide(folder->directory.View()) + L"MESSAGES.NEW") {
        const testing::MessageBaseFiles files = testing::WriteMessageBase(second);
        std::ofstream(replacement.c_str(), std::ios::binary) << files.base;
        base.SetWindowSize(8192);
    }

    // The subjects of every message of the base, in order; "-" for one that does not read.
    std::vector<std::string> Subjects() {
        std::vector<std::string> subjects;
        for (std::uint32_t number = 0; number < base.Index().Count(); ++number) {
            const char* text = nullptr;
            std::uint32_t size = 0;
            subjects.push_back(base.ReadMessage(number, &text, &size)
                                   ? std::string(text, std::string_view(text, size).find('\r'))
                                   : "-");
        }
        return subjects;
    }

    const std::vector<StoredMessage> first = Messages("first ", 40);
    const std::vector<StoredMessage> second = Messages("second ", 40);
    testing::TestMailbox mailbox;
    MailFolder* folder;
    std::wstring basePath;
    std::wstring replacement;
    CTheBatNBBFile base;
};

TEST_F(HeldBaseTest, NobodyCutsOrReplacesABaseWhileTheReaderHoldsIt) {
    ASSERT_TRUE(base.OpenBase(folder->directory));
    const std::vector<std::string> before = Subjects();
    EXPECT_EQ(before.front(), "Subject: first 0");

    HANDLE writer = CreateFileW(basePath.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    EXPECT_FALSE(MoveFileExW(replacement.c_str(), basePath.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_FALSE(DeleteFileW(basePath.c_str()));

    EXPECT_EQ(Subjects(), before);
    EXPECT_FALSE(base.Changed());
    base.Close();

    // Let go, the base is replaced; the reader opens the new one and reads it whole. (The index
    // stays the old one: the new base's records lie where the old ones did.)
    ASSERT_TRUE(MoveFileExW(replacement.c_str(), basePath.c_str(), MOVEFILE_REPLACE_EXISTING));
    ASSERT_TRUE(base.OpenBase(folder->directory));
    const std::vector<std::string> after = Subjects();
    EXPECT_EQ(after.front(), "Subject: second 0");
    EXPECT_EQ(after.back(), "Subject: second 39");
}

}  // namespace
}  // namespace ombrel
