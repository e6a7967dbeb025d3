#include "tests/contract/ModuleFileContract.h"

namespace ombrel::contract {

TEST_P(ModuleFileContract, ThePathIsAFullPathOfAtMost1023Characters) {
    const WideString path = port->Path();
    ASSERT_GE(path.Length(), 4);
    EXPECT_LE(path.Length(), 1023);
    EXPECT_EQ(path.CharAt(1), u':');
    EXPECT_EQ(path.CharAt(2), u'\\');
}

TEST_P(ModuleFileContract, TheRegistrationScriptIsTheResourcesOneAndOtherIdsHaveNone) {
    const std::optional<std::string> script = port->RegistryScript(101);
    ASSERT_TRUE(script.has_value());
    EXPECT_EQ(script->rfind("HKCR", 0), 0U);
    EXPECT_NE(script->find("NoRemove AppID"), std::string::npos);
    EXPECT_NE(script->find("'%APPID%' = s 'OmbrelDesktopTheBat'"), std::string::npos);
    EXPECT_FALSE(port->RegistryScript(102).has_value());
}

}  // namespace ombrel::contract
