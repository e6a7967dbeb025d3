#include "platform/posix/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace ombrel::platform::posix {
namespace {

class MemoryRegistryTest : public ::testing::Test {
  protected:
    MemoryRegistry registry;
    static constexpr auto kUser = Registry::kCurrentUser;
};

TEST_F(MemoryRegistryTest, QueriesReportSizesAndRefuseSmallBuffers) {
    registry.PutString(kUser, u"Software\\RIT\\The Bat!", u"Version", u"2.0.4.8");
    ScopedKey key(registry);
    ASSERT_EQ(registry.OpenKey(kUser, u"software\\rit\\THE BAT!", reg::kQueryValue, *key.Receive()),
              reg::kSuccess);

    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(registry.QueryValue(key.Get(), u"VERSION", &type, nullptr, &size), reg::kSuccess);
    EXPECT_EQ(type, reg::kTypeString);
    EXPECT_EQ(size, 16U);  // seven units and the terminator

    char16_t small[4] = {};
    size = sizeof small;
    EXPECT_EQ(registry.QueryValue(key.Get(), u"Version", nullptr, small, &size), reg::kMoreData);
    EXPECT_EQ(size, 16U);

    char16_t text[64] = {};
    size = sizeof text;
    EXPECT_EQ(registry.QueryValue(key.Get(), u"Version", nullptr, text, &size), reg::kSuccess);
    EXPECT_EQ(std::u16string(text), u"2.0.4.8");
    EXPECT_EQ(registry.QueryValue(key.Get(), u"Missing", nullptr, text, &size), reg::kFileNotFound);
}

TEST_F(MemoryRegistryTest, MissingKeysDoNotOpenAndOpenKeysAreCounted) {
    Registry::Key key = 0;
    EXPECT_EQ(registry.OpenKey(kUser, u"Software\\Nothing", reg::kQueryValue, key),
              reg::kFileNotFound);
    EXPECT_FALSE(registry.HasKey(kUser, u"Software"));  // a failed open creates nothing
    ASSERT_EQ(registry.CreateKey(kUser, u"Software\\Made", reg::kAllAccess, key), reg::kSuccess);
    EXPECT_EQ(registry.OpenKeyCount(), 1U);
    EXPECT_EQ(registry.CloseKey(key), reg::kSuccess);
    EXPECT_EQ(registry.OpenKeyCount(), 0U);
    EXPECT_EQ(registry.CloseKey(key), reg::kInvalidHandle);
}

TEST_F(MemoryRegistryTest, SubkeysEnumerateUntilNoMoreItemsAndLongNamesDoNotFit) {
    registry.PutDword(kUser, u"XLT\\koi8-r", u"x", 1);
    registry.PutDword(kUser, u"XLT\\a-sixteen-chars!", u"x", 1);
    ScopedKey key(registry);
    ASSERT_EQ(registry.OpenKey(kUser, u"XLT", reg::kEnumerateSubKeys, *key.Receive()),
              reg::kSuccess);
    char16_t name[16];
    std::uint32_t length = 16;
    EXPECT_EQ(registry.EnumKey(key.Get(), 0, name, &length), reg::kMoreData);
    length = 16;
    EXPECT_EQ(registry.EnumKey(key.Get(), 1, name, &length), reg::kSuccess);
    EXPECT_EQ(std::u16string(name), u"koi8-r");
    EXPECT_EQ(length, 6U);
    length = 16;
    EXPECT_EQ(registry.EnumKey(key.Get(), 2, name, &length), reg::kNoMoreItems);
}

TEST_F(MemoryRegistryTest, OnlyKeysWithoutSubkeysCanBeDeleted) {
    registry.PutString(Registry::kClassesRoot, u"AppID\\{x}", u"", u"Name");
    EXPECT_EQ(registry.DeleteKey(Registry::kClassesRoot, u"AppID"), reg::kAccessDenied);
    EXPECT_EQ(registry.DeleteKey(Registry::kClassesRoot, u"AppID\\{X}"), reg::kSuccess);
    EXPECT_TRUE(registry.HasKey(Registry::kClassesRoot, u"AppID"));
    EXPECT_FALSE(registry.HasKey(Registry::kClassesRoot, u"AppID\\{x}"));
    EXPECT_EQ(registry.DeleteKey(Registry::kClassesRoot, u"AppID\\{x}"), reg::kFileNotFound);
}

}  // namespace
}  // namespace ombrel::platform::posix
