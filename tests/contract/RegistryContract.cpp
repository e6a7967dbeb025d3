#include "tests/contract/RegistryContract.h"

#include <string>
#include <vector>

#include "platform/RegistryTree.h"

namespace ombrel::contract {
namespace {

using platform::Registry;
using platform::ScopedKey;
namespace reg = platform::reg;

constexpr auto kUser = Registry::kCurrentUser;

std::u16string Under(std::u16string_view path) {
    return std::u16string(kRegistryTestRoot) + u"\\" + std::u16string(path);
}

}  // namespace

void RegistryContract::TearDown() {
    DeleteKeyTree(*port, kUser, kRegistryTestRoot);
}

void RegistryContract::PutString(std::u16string_view path, const char16_t* name,
                                 std::u16string_view value) {
    ScopedKey key(*port);
    ASSERT_EQ(port->CreateKey(kUser, Under(path), reg::kAllAccess, *key.Receive()), reg::kSuccess);
    const std::u16string text(value);
    ASSERT_EQ(port->SetValue(key.Get(), name, reg::kTypeString, text.c_str(),
                             static_cast<std::uint32_t>((text.size() + 1) * sizeof(char16_t))),
              reg::kSuccess);
}

bool RegistryContract::HasKey(std::u16string_view path) {
    ScopedKey key(*port);
    return port->OpenKey(kUser, Under(path), reg::kQueryValue, *key.Receive()) == reg::kSuccess;
}

TEST_P(RegistryContract, QueriesReportSizesAndRefuseSmallBuffers) {
    PutString(u"The Bat!", u"Version", u"2.0.4.8");
    ScopedKey key(*port);
    ASSERT_EQ(port->OpenKey(kUser, Under(u"THE BAT!"), reg::kQueryValue, *key.Receive()),
              reg::kSuccess);

    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(port->QueryValue(key.Get(), u"VERSION", &type, nullptr, &size), reg::kSuccess);
    EXPECT_EQ(type, reg::kTypeString);
    EXPECT_EQ(size, 16U);  // seven units and the terminator

    char16_t small[4] = {};
    size = sizeof small;
    EXPECT_EQ(port->QueryValue(key.Get(), u"Version", nullptr, small, &size), reg::kMoreData);
    EXPECT_EQ(size, 16U);

    char16_t text[64] = {};
    size = sizeof text;
    EXPECT_EQ(port->QueryValue(key.Get(), u"Version", nullptr, text, &size), reg::kSuccess);
    EXPECT_EQ(std::u16string(text), u"2.0.4.8");
    EXPECT_EQ(port->QueryValue(key.Get(), u"Missing", nullptr, text, &size), reg::kFileNotFound);
}

TEST_P(RegistryContract, MissingKeysDoNotOpenAndCreatedKeysDo) {
    Registry::Key key = 0;
    EXPECT_EQ(port->OpenKey(kUser, Under(u"Nothing"), reg::kQueryValue, key), reg::kFileNotFound);
    ASSERT_EQ(port->CreateKey(kUser, Under(u"Made\\Deeper"), reg::kAllAccess, key), reg::kSuccess);
    EXPECT_EQ(port->CloseKey(key), reg::kSuccess);
    EXPECT_TRUE(HasKey(u"made\\deeper"));
}

TEST_P(RegistryContract, SubkeysEnumerateUntilNoMoreItemsAndLongNamesDoNotFit) {
    PutString(u"XLT\\koi8-r", u"x", u"1");
    PutString(u"XLT\\a-sixteen-chars!", u"x", u"1");
    ScopedKey key(*port);
    ASSERT_EQ(port->OpenKey(kUser, Under(u"XLT"), reg::kEnumerateSubKeys, *key.Receive()),
              reg::kSuccess);
    std::vector<std::int32_t> results;
    std::vector<std::u16string> names;
    for (std::uint32_t i = 0; i < 3; ++i) {
        char16_t name[16] = {};
        std::uint32_t length = 16;
        results.push_back(port->EnumKey(key.Get(), i, name, &length));
        if (results.back() == reg::kSuccess) names.emplace_back(name, length);
    }
    EXPECT_EQ(results,
              (std::vector<std::int32_t>{reg::kMoreData, reg::kSuccess, reg::kNoMoreItems}));
    EXPECT_EQ(names, std::vector<std::u16string>{u"koi8-r"});
}

TEST_P(RegistryContract, OnlyKeysWithoutSubkeysCanBeDeleted) {
    PutString(u"AppID\\{x}", nullptr, u"Name");
    EXPECT_NE(port->DeleteKey(kUser, Under(u"AppID")), reg::kSuccess);
    EXPECT_EQ(port->DeleteKey(kUser, Under(u"AppID\\{X}")), reg::kSuccess);
    EXPECT_TRUE(HasKey(u"AppID"));
    EXPECT_FALSE(HasKey(u"AppID\\{x}"));
    EXPECT_EQ(port->DeleteKey(kUser, Under(u"AppID\\{x}")), reg::kFileNotFound);
}

TEST_P(RegistryContract, TheDefaultValueIsTheNullOrEmptyName) {
    PutString(u"AppID\\{x}", nullptr, u"OmbrelDesktopTheBat");
    ScopedKey key(*port);
    ASSERT_EQ(port->OpenKey(kUser, Under(u"AppID\\{x}"), reg::kQueryValue, *key.Receive()),
              reg::kSuccess);
    char16_t text[32] = {};
    std::uint32_t size = sizeof text;
    EXPECT_EQ(port->QueryValue(key.Get(), u"", nullptr, text, &size), reg::kSuccess);
    EXPECT_EQ(std::u16string(text), u"OmbrelDesktopTheBat");
}

TEST_P(RegistryContract, DeletedValuesAreGoneAndMissingOnesAreNotFound) {
    PutString(u"AppID\\Name.DLL", u"AppID", u"{x}");
    PutString(u"AppID\\Name.DLL", nullptr, u"default");
    ScopedKey key(*port);
    ASSERT_EQ(port->OpenKey(kUser, Under(u"AppID\\Name.DLL"), reg::kAllAccess, *key.Receive()),
              reg::kSuccess);
    EXPECT_EQ(port->DeleteValue(key.Get(), u"appid"), reg::kSuccess);
    EXPECT_EQ(port->DeleteValue(key.Get(), u"AppID"), reg::kFileNotFound);
    EXPECT_EQ(port->DeleteValue(key.Get(), nullptr), reg::kSuccess);
    std::uint32_t size = 0;
    EXPECT_EQ(port->QueryValue(key.Get(), u"AppID", nullptr, nullptr, &size), reg::kFileNotFound);
    EXPECT_EQ(port->QueryValue(key.Get(), u"", nullptr, nullptr, &size), reg::kFileNotFound);
}

}  // namespace ombrel::contract
