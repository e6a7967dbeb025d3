#include "mailstore/FolderState.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

const SystemTime kNovember15{2005, 11, 2, 15, 10, 0, 0, 0};

class FolderStateTest : public testing::PluginTest {
  protected:
    FolderStateTest() { folder.directory = disk.Directory(u"Inbox"); }

    void PutState(const std::string& lines) {
        disk.Write(u"Inbox\\kvrdirinfo.cookie", "[KVR Directory Information]\r\n" + lines);
    }
    std::string StateFile() const { return disk.Read(u"Inbox\\kvrdirinfo.cookie"); }

    testing::TempDirectory disk;
    MailFolder folder;
};

TEST_F(FolderStateTest, ANodeWithoutADirectoryHasNoStateAndWritesNone) {
    MailFolder nowhere;
    nowhere.enabled = true;
    EXPECT_FALSE(ReadEnabled(nowhere));
    WriteEnabled(nowhere, true);
    EXPECT_FALSE(nowhere.enabled);
    WriteMonitorTime(kNovember15, nowhere);
    SystemTime time = kNovember15;
    EXPECT_FALSE(ReadMonitorTime(nowhere, &time));
    EXPECT_TRUE(time.IsNone());
    EXPECT_FALSE(disk.Exists(u"kvrdirinfo.cookie"));
}

TEST_F(FolderStateTest, EnabledReadsAsAnInteger) {
    EXPECT_FALSE(ReadEnabled(folder));  // no file
    PutState("Enabled=2\r\n");
    EXPECT_TRUE(ReadEnabled(folder));
    PutState("enabled=1\r\n");
    EXPECT_TRUE(ReadEnabled(folder));
    PutState("Enabled=yes\r\n");
    EXPECT_FALSE(ReadEnabled(folder));
    PutState("Enabled=0\r\n");
    EXPECT_FALSE(ReadEnabled(folder));
}

TEST_F(FolderStateTest, WritingEnabledKeepsTheRestOfTheFileAndSetsTheFlag) {
    PutState("Monitor=x\r\n[Other]\r\nEnabled=7\r\n");
    WriteEnabled(folder, true);
    EXPECT_TRUE(folder.enabled);
    EXPECT_NE(StateFile().find("Monitor=x"), std::string::npos);
    EXPECT_NE(StateFile().find("Enabled=7"), std::string::npos);
    WriteEnabled(folder, false);
    EXPECT_FALSE(folder.enabled);
    EXPECT_FALSE(ReadEnabled(folder));
}

TEST_F(FolderStateTest, WritingEnabledCreatesTheFile) {
    disk.Write(u"Inbox\\MESSAGES.TBB", "");
    WriteEnabled(folder, true);
    EXPECT_TRUE(folder.enabled);
    EXPECT_NE(StateFile().find("[KVR Directory Information]"), std::string::npos);
    EXPECT_NE(StateFile().find("Enabled=1"), std::string::npos);
}

TEST_F(FolderStateTest, AMonitorTimeReadsBackWholeWithItsDayOfWeek) {
    disk.Write(u"Inbox\\MESSAGES.TBB", "");
    const SystemTime time{2024, 2, 4, 29, 23, 59, 58, 999};
    WriteMonitorTime(time, folder);
    // 24 bytes: 32 characters, no padding.
    const std::string file = StateFile();
    const std::size_t at = file.find("Monitor=");
    ASSERT_NE(at, std::string::npos);
    const std::string value = file.substr(at + 8, file.find_first_of("\r\n", at) - at - 8);
    EXPECT_EQ(value.size(), 32U);
    EXPECT_EQ(value.substr(0, 5), "DfCtu");  // the marker 0D F0 AD BA

    SystemTime read;
    ASSERT_TRUE(ReadMonitorTime(folder, &read));
    EXPECT_EQ(read, time);
    EXPECT_FALSE(ReadMonitorTime(folder, nullptr));
}

// The value of a stored record: marker, kNovember15, and a second marker.
std::string EncodedNovember15(bool secondMarker) {
    return secondMarker ? "DfCtutUHCwACAA8ACgAAAAAAAAAN8K26" : "DfCtutUHCwACAA8ACgAAAAAAAAAAAAAA";
}

TEST_F(FolderStateTest, MonitorValuesDecodeLeniently) {
    SystemTime read;
    PutState("Monitor=" + EncodedNovember15(true) + "\r\n");
    ASSERT_TRUE(ReadMonitorTime(folder, &read));
    EXPECT_EQ(read, kNovember15);

    PutState("Monitor=DfCt utUH CwAC AA8A CgAA AAAA AAAN 8K26 ==\r\n");
    ASSERT_TRUE(ReadMonitorTime(folder, &read));
    EXPECT_EQ(read, kNovember15);
}

TEST_F(FolderStateTest, InvalidMonitorValuesReadAsNoTime) {
    const std::string values[] = {
        EncodedNovember15(false),               // second marker 0
        EncodedNovember15(true) + "AAAA",       // 36 characters, 27 bytes
        EncodedNovember15(true).substr(0, 31),  // 23 bytes
        "",
    };
    for (const std::string& value : values) {
        PutState("Monitor=" + value + "\r\n");
        SystemTime read = kNovember15;
        EXPECT_FALSE(ReadMonitorTime(folder, &read)) << value;
        EXPECT_TRUE(read.IsNone()) << value;
    }
}

TEST_F(FolderStateTest, TheMonitorTimeMovesOnlyForward) {
    disk.Write(u"Inbox\\MESSAGES.TBB", "");
    MoveMonitorTimeForward(SystemTime(), folder);
    EXPECT_FALSE(disk.Exists(u"Inbox\\kvrdirinfo.cookie"));  // no time is not written
    MoveMonitorTimeForward(kNovember15, folder);
    const SystemTime earlier{2005, 11, 1, 14, 23, 59, 0, 0};
    MoveMonitorTimeForward(earlier, folder);
    SystemTime read;
    ASSERT_TRUE(ReadMonitorTime(folder, &read));
    EXPECT_EQ(read, kNovember15);
    SystemTime later = kNovember15;
    later.milliseconds = 1;
    MoveMonitorTimeForward(later, folder);
    ASSERT_TRUE(ReadMonitorTime(folder, &read));
    EXPECT_EQ(read, later);
}

// Writers on several threads, each moving the time forward through its own times in turn: the
// latest of all stays, whatever the order in which they came.
TEST_F(FolderStateTest, WritersOnSeveralThreadsNeverMoveTheTimeBack) {
    constexpr int kThreads = 4;
    constexpr int kSteps = 60;
    disk.Write(u"Inbox\\MESSAGES.TBB", "");
    std::vector<std::thread> writers;
    writers.reserve(kThreads);
    for (int thread = 0; thread < kThreads; ++thread) {
        writers.emplace_back([this, thread] {
            for (int step = 0; step < kSteps; ++step) {
                SystemTime time = kNovember15;
                time.minute = static_cast<std::uint16_t>(step);
                time.second = static_cast<std::uint16_t>(thread);
                MoveMonitorTimeForward(time, folder);
            }
        });
    }
    for (std::thread& writer : writers) writer.join();
    SystemTime read;
    ASSERT_TRUE(ReadMonitorTime(folder, &read));
    EXPECT_EQ(read.minute, kSteps - 1);
    EXPECT_EQ(read.second, kThreads - 1);
}

TEST(CompareTimesTest, OrdersFromTheYearDownAndIgnoresTheDayOfWeek) {
    const SystemTime earlier{2005, 11, 1, 14, 23, 59, 0, 0};
    EXPECT_LT(CompareTimes(kNovember15, earlier), 0);
    EXPECT_GT(CompareTimes(earlier, kNovember15), 0);
    SystemTime otherWeekday = kNovember15;
    otherWeekday.dayOfWeek = 6;
    EXPECT_EQ(CompareTimes(kNovember15, otherWeekday), 0);
    SystemTime laterMillisecond = kNovember15;
    laterMillisecond.milliseconds = 1;
    EXPECT_GT(CompareTimes(kNovember15, laterMillisecond), 0);
    // Fields compare as unsigned numbers.
    SystemTime huge = kNovember15;
    huge.month = 0xFFFF;
    EXPECT_LT(CompareTimes(huge, kNovember15), 0);
    EXPECT_GT(CompareTimes(SystemTime(), kNovember15), 0);
}

}  // namespace
}  // namespace ombrel
