#include "platform/posix/PosixModuleFile.h"

#include <gtest/gtest.h>

namespace ombrel::platform::posix {
namespace {

TEST(PosixModuleFile, ALongerPathIsCutTo1023CharactersAsWindowsCutsIt) {
    PosixModuleFile module;
    EXPECT_TRUE(module.Path().IsEmpty());
    module.SetPath(WideString(u"C:\\" + std::u16string(1100, u'x')));
    EXPECT_EQ(module.Path().Length(), 1023);
}

TEST(PosixModuleFile, ScriptsCanBeReplacedAndRemoved) {
    PosixModuleFile module;
    module.SetRegistryScript(101, "HKCU { Key }");
    EXPECT_EQ(module.RegistryScript(101), "HKCU { Key }");
    module.SetRegistryScript(101, std::nullopt);
    EXPECT_FALSE(module.RegistryScript(101).has_value());
}

}  // namespace
}  // namespace ombrel::platform::posix
