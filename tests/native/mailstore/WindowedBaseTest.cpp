// Message bases read through a window that moves with the reading: every message reads the same as
// from a base mapped whole, and what is mapped at once stays within the window and the largest
// message, whatever the size of the base.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>

#include "mailstore/MessageBaseFile.h"
#include "tests/support/CountingDiskFiles.h"
#include "tests/support/MailboxWriters.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

using testing::MessageBaseFiles;
using testing::StoredMessage;

constexpr std::uint64_t kSmallWindow = 8192;
constexpr std::uint64_t kRecordHeaderSize = 48;

// Messages of many sizes, some larger than the small window.
std::vector<StoredMessage> MixedSizes() {
    std::vector<StoredMessage> messages;
    for (int i = 0; i < 150; ++i) {
        const std::size_t size = i % 37 == 5 ? 3 * kSmallWindow + 11 : (i * 1373) % 6000 + 1;
        std::string text = "Subject: " + std::to_string(i) + "\r\n\r\n";
        text.resize(std::max(size, text.size()), static_cast<char>('a' + i % 26));
        messages.push_back({text, 1136073600 + i, 0});
    }
    return messages;
}

std::uint64_t LargestRecord(const std::vector<StoredMessage>& messages) {
    std::size_t largest = 0;
    for (const StoredMessage& message : messages) largest = std::max(largest, message.text.size());
    return largest + kRecordHeaderSize;
}

// The file port counts the address space that the reader maps.
class WindowedBaseTest : public testing::PluginTest {
  protected:
    WindowedBaseTest() {
        platform::Ports ports = platform::CurrentPorts();
        ports.diskFiles = &counting;
        scoped.emplace(ports);
    }

    // Reads every message in the order given and compares it with what was stored.
    void ExpectEveryMessage(const std::vector<StoredMessage>& messages,
                            const std::vector<std::uint32_t>& order) {
        for (const std::uint32_t number : order) {
            const char* text = nullptr;
            std::uint32_t size = 0;
            std::int32_t time = 0;
            ASSERT_TRUE(base.ReadMessage(number, &text, &size, &time)) << number;
            EXPECT_EQ(std::string_view(text, size), messages[number].text) << number;
            EXPECT_EQ(time, messages[number].time);
        }
    }

    testing::CountingDiskFiles counting{posix.diskFiles};
    std::optional<platform::ScopedPorts> scoped;
    testing::TempDirectory folder;
    CTheBatNBBFile base;
};

TEST_F(WindowedBaseTest, AWindowOfAFewKiBReadsMessagesAcrossItsEdgesAndLargerThanIt) {
    const std::vector<StoredMessage> messages = MixedSizes();
    const MessageBaseFiles files = testing::WriteMessageBase(messages);
    // Records that straddle a multiple of the window, wherever the window happens to start.
    std::size_t crossing = 0;
    for (std::size_t number = 0; number < messages.size(); ++number) {
        const std::uint64_t begin = files.records[number];
        const std::uint64_t end = begin + kRecordHeaderSize + messages[number].text.size();
        crossing += begin / kSmallWindow != (end - 1) / kSmallWindow ? 1 : 0;
    }
    ASSERT_GT(crossing, 20U);
    folder.Write(u"MESSAGES.TBB", files.base);
    folder.Write(u"MESSAGES.TBI", files.index);

    base.SetWindowSize(kSmallWindow);
    ASSERT_TRUE(base.OpenBase(folder.Directory()));
    std::vector<std::uint32_t> order(messages.size());
    for (std::uint32_t number = 0; number < order.size(); ++number) order[number] = number;
    ExpectEveryMessage(messages, order);
    std::reverse(order.begin(), order.end());  // the window moves back as well
    ExpectEveryMessage(messages, order);

    EXPECT_LE(counting.PeakMappedBytes(),
              kSmallWindow + LargestRecord(messages) + files.index.size());
    EXPECT_LT(counting.PeakMappedBytes(), files.base.size() / 4);
    base.Close();
    EXPECT_EQ(counting.MappedBytes(), 0U);
}

TEST_F(WindowedBaseTest, ASparseBaseOfSeveralGigabytesIsReadWithinTheWindow) {
    const std::vector<StoredMessage> messages = {
        {"Subject: first\r\n\r\nat the data start", 1136073600, 0},
        {"Subject: second\r\n\r\nbeyond 2 GiB", 1136073601, 0},
        {"Subject: third\r\n\r\nbeyond 4 GiB and at the end", 1136073602, 0},
    };
    MessageBaseFiles files = testing::WriteMessageBase(messages);
    // The data starts near 4 GiB and the records lie as far apart as the index can place them.
    constexpr std::uint64_t kDataStart = 0xF0000000;
    const std::uint32_t recordOffsets[] = {0, 0x80000010, 0xFFFFFF00};
    testing::StoreU32(files.base, 4, static_cast<std::uint32_t>(kDataStart));
    std::ofstream base(folder.Local(u"MESSAGES.TBB"), std::ios::binary);
    base.write(files.base.data(), 8);
    for (std::size_t number = 0; number < messages.size(); ++number) {
        testing::StoreU32(files.index, files.EntryOffset(number) + 4, recordOffsets[number]);
        const std::string record = files.base.substr(
            files.records[number], kRecordHeaderSize + messages[number].text.size());
        base.seekp(static_cast<std::streamoff>(kDataStart + recordOffsets[number]));
        base.write(record.data(), static_cast<std::streamsize>(record.size()));
    }
    base.close();
    ASSERT_GT(std::filesystem::file_size(folder.Local(u"MESSAGES.TBB")), std::uint64_t{7} << 30);
    folder.Write(u"MESSAGES.TBI", files.index);

    ASSERT_TRUE(this->base.OpenBase(folder.Directory()));
    ExpectEveryMessage(messages, {0, 1, 2, 1});
    EXPECT_LE(counting.PeakMappedBytes(),
              CTheBatNBBFile::kWindowSize + LargestRecord(messages) + files.index.size());
}

}  // namespace
}  // namespace ombrel
