#include "tests/support/SampleStore.h"

#include <gtest/gtest.h>

#include "host/PluginState.h"
#include "mailstore/Accounts.h"
#include "tests/support/HostEnvironment.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/StoreListing.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

class SampleStoreTest : public testing::PluginTest {
  protected:
    SampleStoreTest() : store(testing::MakeSampleStore(6)), hostRoot(disk.Directory().Std()) {
        testing::WriteSampleStore(store, disk.Local(u""), hostRoot);
        testing::PutRegistryEntries(posix, testing::SampleRegistry(store, hostRoot));
        State().dataDirectory = disk.Directory();
        State().accounts = std::make_unique<AccountList>();
    }

    testing::TempDirectory disk;
    const testing::SampleStore store;
    const std::u16string hostRoot;
};

TEST_F(SampleStoreTest, LoadsAsWritten) {
    LoadAccounts();
    const std::vector<std::string> expected = testing::ExpectedListing(store);
    EXPECT_EQ(testing::LoadedListing(*State().accounts, hostRoot), expected);
    EXPECT_GT(expected.size(), 20U);
}

TEST_F(SampleStoreTest, TheRegistryFileIsUtf16WithEscapedPaths) {
    const std::string bytes =
        testing::RegFileBytes({{u"Software\\RIT\\The Bat!", u"Working Directory", u"C:\\Mail\\"},
                               {u"Software\\RIT\\The Bat!\\Users Depot", u"Count", u"", 3, true}});
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    EXPECT_EQ(bytes.substr(0, 2), "\xff\xfe");
    EXPECT_EQ(text,
              u"Windows Registry Editor Version 5.00\r\n"
              u"\r\n[HKEY_CURRENT_USER\\Software\\RIT\\The Bat!]\r\n"
              u"\"Working Directory\"=\"C:\\\\Mail\\\\\"\r\n"
              u"\r\n[HKEY_CURRENT_USER\\Software\\RIT\\The Bat!\\Users Depot]\r\n"
              u"\"Count\"=dword:00000003\r\n");
}

}  // namespace
}  // namespace ombrel
