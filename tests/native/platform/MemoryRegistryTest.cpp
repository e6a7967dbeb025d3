#include "platform/posix/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace ombrel::platform::posix {
namespace {

TEST(MemoryRegistry, OpenKeysAreCountedUntilClosed) {
    MemoryRegistry registry;
    Registry::Key key = 0;
    ASSERT_EQ(registry.CreateKey(Registry::kCurrentUser, u"Software\\Made", reg::kAllAccess, key),
              reg::kSuccess);
    EXPECT_EQ(registry.OpenKeyCount(), 1U);
    EXPECT_EQ(registry.CloseKey(key), reg::kSuccess);
    EXPECT_EQ(registry.OpenKeyCount(), 0U);
    EXPECT_EQ(registry.CloseKey(key), reg::kInvalidHandle);
}

TEST(MemoryRegistry, AFailedOpenCreatesNothing) {
    MemoryRegistry registry;
    Registry::Key key = 0;
    EXPECT_EQ(registry.OpenKey(Registry::kCurrentUser, u"Software\\Nothing", reg::kQueryValue, key),
              reg::kFileNotFound);
    EXPECT_FALSE(registry.HasKey(Registry::kCurrentUser, u"Software"));
}

}  // namespace
}  // namespace ombrel::platform::posix
