#include "mailstore/AccountConfig.h"

#include <gtest/gtest.h>

#include "tests/support/MailboxWriters.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TempDirectory.h"

namespace ombrel {
namespace {

using testing::Bytes;
using testing::Property;
using testing::StoreU32;
using testing::WriteAccountConfig;

constexpr std::uint32_t kAddress = testing::kAccountAddressProperty;
constexpr std::uint32_t kSecond = testing::kAccountSecondProperty;

class AccountConfigTest : public testing::PluginTest {
  protected:
    // Reads the file; "address|second" or "(failed)".
    std::u16string Read(const Bytes& config) {
        disk.Write(u"Account.CFN", config);
        WideString address = u"stale";
        WideString second = u"stale";
        if (!ReadAccountConfig(disk.Directory(), address, second)) return u"(failed)";
        return address.Std() + u"|" + second.Std();
    }

    testing::TempDirectory disk;
};

TEST_F(AccountConfigTest, ReadsTheAddressAndTheSecondValue) {
    EXPECT_EQ(Read(WriteAccountConfig(
                  {{1, "other"}, {kSecond, "pop.example.org"}, {kAddress, "anna@example.org"}})),
              u"anna@example.org|pop.example.org");
    EXPECT_EQ(Read(WriteAccountConfig({{kAddress, "Ren\xe9@example.org"}})), u"René@example.org|");
}

TEST_F(AccountConfigTest, AMissingFileFailsAndNoEntriesIsNoValues) {
    WideString address = u"stale";
    WideString second;
    EXPECT_FALSE(ReadAccountConfig(disk.Directory(), address, second));
    EXPECT_EQ(Read(WriteAccountConfig({})), u"|");
    EXPECT_EQ(Read("\xff\xff\xff\xff"), u"|");  // a negative count
    EXPECT_EQ(Read("\x01\x00"), u"|");          // no whole count
}

TEST_F(AccountConfigTest, AShortEntryFails) {
    Bytes config = WriteAccountConfig({{kAddress, "anna@example.org"}});
    StoreU32(config, 0, 2);
    config.resize(4 + 13 + 12);
    EXPECT_EQ(Read(config), u"(failed)");
}

TEST_F(AccountConfigTest, OtherKindsAreIgnoredAndLaterEntriesReplaceEarlierOnes) {
    EXPECT_EQ(Read(WriteAccountConfig({{kAddress, "first@example.org"},
                                       {kAddress, "later@example.org"},
                                       {kAddress, "kind@example.org", 2}})),
              u"later@example.org|");
}

TEST_F(AccountConfigTest, ScanningStopsOnceBothValuesAreFound) {
    EXPECT_EQ(Read(WriteAccountConfig(
                  {{kSecond, "second"}, {kAddress, "anna@example.org"}, {kAddress, "never"}})),
              u"anna@example.org|second");
}

TEST_F(AccountConfigTest, ValuesOutsideTheFileOrTooLongAreIgnored) {
    const std::string longest(260, 'a');
    EXPECT_EQ(Read(WriteAccountConfig({{kAddress, longest}})),
              std::u16string(longest.begin(), longest.end()) + u"|");
    EXPECT_EQ(Read(WriteAccountConfig({{kAddress, longest + "a"}, {kSecond, "kept"}})), u"|kept");

    Bytes config = WriteAccountConfig({{kAddress, "anna@example.org"}, {kSecond, "second"}});
    StoreU32(config, 4 + 5, 0x7FFFFFF0);   // the address's offset
    StoreU32(config, 17 + 9, 0xFFFFFFFF);  // the second value's length
    EXPECT_EQ(Read(config), u"|");
    config.resize(config.size() - 1);
    StoreU32(config, 4 + 5, 4);
    StoreU32(config, 17 + 9, 6);
    EXPECT_EQ(Read(config), u"anna@example.org|");  // the second value lost its last byte
}

}  // namespace
}  // namespace ombrel
