#include "mailstore/DiskFile.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

class DiskFileTest : public testing::PluginTest {
  protected:
    testing::TempDirectory folder;
    CDiskFile file;
};

TEST_F(DiskFileTest, AClosedFileAnswersWithFailures) {
    char buffer[4];
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Read(buffer, 4), 0);
    EXPECT_EQ(file.Seek(0), -1);
    EXPECT_EQ(file.Tell(), -1);
    EXPECT_EQ(file.ViewAt(0), nullptr);
    EXPECT_FALSE(file.ReadAt(0, buffer, 4));
    file.Close();
    EXPECT_FALSE(file.Open(folder.File(u"MISSING.TBB"), false));
}

TEST_F(DiskFileTest, ReadsThroughThePointerAndTheView) {
    folder.Write(u"MESSAGES.TBB", "0123456789");
    ASSERT_TRUE(file.Open(folder.File(u"MESSAGES.TBB"), true));
    EXPECT_EQ(file.Size(), 10U);

    char buffer[8] = {};
    EXPECT_EQ(file.Seek(6), 6);
    EXPECT_EQ(file.Read(buffer, 8), 4);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_EQ(file.Tell(), 10);
    EXPECT_EQ(file.Read(buffer, 0), 0);
    EXPECT_EQ(file.Read(nullptr, 4), 0);

    ASSERT_NE(file.ViewAt(0), nullptr);
    EXPECT_EQ(file.ViewAt(3, 7), file.ViewAt(0) + 3);
    EXPECT_EQ(*file.ViewAt(9, 1), '9');
    EXPECT_EQ(file.ViewAt(10), file.ViewAt(0) + 10);  // the end itself, for an empty range
    EXPECT_EQ(file.ViewAt(3, 8), nullptr);
    EXPECT_EQ(file.ViewAt(11), nullptr);
    EXPECT_EQ(file.ViewAt(~std::uint64_t{0}, 2), nullptr);
}

TEST_F(DiskFileTest, ReadsAtAnOffsetOnlyWhatTheFileHolds) {
    folder.Write(u"MESSAGES.TBI", "abcdefgh");
    ASSERT_TRUE(file.Open(folder.File(u"MESSAGES.TBI"), false));
    char buffer[4] = {};
    EXPECT_TRUE(file.ReadAt(4, buffer, 4));
    EXPECT_EQ(std::string(buffer, 4), "efgh");
    EXPECT_FALSE(file.ReadAt(5, buffer, 4));
    EXPECT_FALSE(file.ReadAt(0x80000000ULL, buffer, 0));
    EXPECT_EQ(file.ViewAt(0), nullptr);  // not mapped
}

TEST_F(DiskFileTest, AnEmptyFileCannotBeMappedAndIsLeftClosed) {
    folder.Write(u"Account.CFN", "");
    EXPECT_TRUE(file.Open(folder.File(u"Account.CFN"), false));
    EXPECT_FALSE(file.Open(folder.File(u"Account.CFN"), true));
    EXPECT_FALSE(file.IsOpen());
}

TEST_F(DiskFileTest, ReopensOnAnotherFile) {
    folder.Write(u"a", "first");
    folder.Write(u"b", "second!");
    ASSERT_TRUE(file.Open(folder.File(u"a"), true));
    ASSERT_TRUE(file.Open(folder.File(u"b"), true));
    EXPECT_EQ(file.Size(), 7U);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.ViewAt(0, 7)), 7), "second!");
    file.Close();
    EXPECT_EQ(file.Size(), 0U);
}

// Every port is required: ports without a file port are refused, and the installed ones stay.
TEST_F(DiskFileTest, PortsWithoutAFilePortAreRefused) {
    folder.Write(u"a", "x");
    platform::Ports ports = platform::CurrentPorts();
    ports.diskFiles = nullptr;
    EXPECT_THROW(platform::ScopedPorts{ports}, std::invalid_argument);
    EXPECT_NE(platform::CurrentPorts().diskFiles, nullptr);
    EXPECT_TRUE(file.Open(folder.File(u"a"), false));
}

}  // namespace
}  // namespace ombrel
