#include "host/RegistryScript.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/posix/MemoryRegistry.h"
#include "tests/support/ScriptedRegistry.h"

namespace ombrel {
namespace {

using platform::Registry;
using platform::posix::MemoryRegistry;
namespace reg = platform::reg;

constexpr auto kClasses = Registry::kClassesRoot;
constexpr auto kUser = Registry::kCurrentUser;

RegistryScript Parsed(std::u16string_view text,
                      const RegistryScript::Replacements& replacements = {}) {
    std::optional<RegistryScript> script = RegistryScript::Parse(text, replacements);
    EXPECT_TRUE(script.has_value()) << std::string(text.begin(), text.end());
    return script ? *script : *RegistryScript::Parse(u"", {});
}

// The text of a string value, or "<missing>".
std::u16string Text(MemoryRegistry& registry, Registry::Key root, std::u16string_view path,
                    const char16_t* name) {
    platform::ScopedKey key(registry);
    if (registry.OpenKey(root, path, reg::kQueryValue, *key.Receive()) != reg::kSuccess) {
        return u"<missing>";
    }
    char16_t text[128] = {};
    std::uint32_t size = sizeof text - sizeof(char16_t);
    if (registry.QueryValue(key.Get(), name, nullptr, text, &size) != reg::kSuccess) {
        return u"<missing>";
    }
    return text;
}

std::uint32_t Number(MemoryRegistry& registry, std::u16string_view path, const char16_t* name) {
    platform::ScopedKey key(registry);
    registry.OpenKey(kUser, path, reg::kQueryValue, *key.Receive());
    std::uint32_t value = 0;
    std::uint32_t type = 0;
    std::uint32_t size = sizeof value;
    EXPECT_EQ(registry.QueryValue(key.Get(), name, &type, &value, &size), reg::kSuccess);
    EXPECT_EQ(type, reg::kTypeDword);
    return value;
}

constexpr std::u16string_view kAppIdScript =
    u"HKCR\r\n{\r\n\tNoRemove AppID\r\n\t{\r\n"
    u"\t\t'%APPID%' = s 'OmbrelDesktopTheBat'\r\n"
    u"\t\t'OmbrelDesktopTheBat.DLL'\r\n\t\t{\r\n\t\t\tval AppID = s '%APPID%'\r\n\t\t}\r\n"
    u"\t}\r\n}\r\n";
const RegistryScript::Replacements kAppId = {{u"APPID", u"{e6895e72-8741-44b3-900e-01ed98d1a6d3}"}};

TEST(RegistryScript, TheAppIdScriptWritesItsTwoKeysBelowAppId) {
    MemoryRegistry registry;
    EXPECT_EQ(Parsed(kAppIdScript, kAppId).Register(registry), hr::kOk);
    EXPECT_EQ(Text(registry, kClasses, u"AppID\\{e6895e72-8741-44b3-900e-01ed98d1a6d3}", nullptr),
              u"OmbrelDesktopTheBat");
    EXPECT_EQ(Text(registry, kClasses, u"AppID\\OmbrelDesktopTheBat.DLL", u"AppID"),
              u"{e6895e72-8741-44b3-900e-01ed98d1a6d3}");
    EXPECT_EQ(registry.OpenKeyCount(), 0U);
}

TEST(RegistryScript, RegisteringAgainOverwritesTheValues) {
    MemoryRegistry registry;
    registry.PutString(kClasses, u"AppID\\OmbrelDesktopTheBat.DLL", u"AppID", u"{old}");
    registry.PutString(kClasses, u"AppID\\OmbrelDesktopTheBat.DLL", u"Other", u"kept");
    const RegistryScript script = Parsed(kAppIdScript, kAppId);
    EXPECT_EQ(script.Register(registry), hr::kOk);
    EXPECT_EQ(script.Register(registry), hr::kOk);
    EXPECT_EQ(Text(registry, kClasses, u"AppID\\OmbrelDesktopTheBat.DLL", u"AppID"),
              u"{e6895e72-8741-44b3-900e-01ed98d1a6d3}");
    EXPECT_EQ(Text(registry, kClasses, u"AppID\\OmbrelDesktopTheBat.DLL", u"Other"), u"kept");
}

TEST(RegistryScript, UnregisteringRemovesTheRemovableKeysWholeAndKeepsNoRemoveOnes) {
    MemoryRegistry registry;
    registry.PutString(kClasses, u"AppID\\{someone-else}", u"", u"Other");
    const RegistryScript script = Parsed(kAppIdScript, kAppId);
    ASSERT_EQ(script.Register(registry), hr::kOk);
    registry.PutString(kClasses, u"AppID\\OmbrelDesktopTheBat.DLL\\Deeper\\Still", u"x", u"1");
    EXPECT_EQ(script.Unregister(registry), hr::kOk);
    EXPECT_TRUE(registry.HasKey(kClasses, u"AppID"));
    EXPECT_TRUE(registry.HasKey(kClasses, u"AppID\\{someone-else}"));
    EXPECT_FALSE(registry.HasKey(kClasses, u"AppID\\{e6895e72-8741-44b3-900e-01ed98d1a6d3}"));
    EXPECT_FALSE(registry.HasKey(kClasses, u"AppID\\OmbrelDesktopTheBat.DLL"));
    // What is gone already counts as removed.
    EXPECT_EQ(script.Unregister(registry), hr::kOk);
    EXPECT_EQ(Parsed(u"HKCR { NoRemove Missing { Gone } }").Unregister(registry), hr::kOk);
    EXPECT_EQ(registry.OpenKeyCount(), 0U);
}

TEST(RegistryScript, ValuesOfANoRemoveKeyAreRemovedWithoutTheKey) {
    MemoryRegistry registry;
    registry.PutString(kUser, u"Software\\Kept", u"Other", u"stays");
    const RegistryScript script =
        Parsed(u"HKCU { NoRemove Software { NoRemove Kept { val Ours = s 'x' } } }");
    ASSERT_EQ(script.Register(registry), hr::kOk);
    EXPECT_EQ(Text(registry, kUser, u"Software\\Kept", u"Ours"), u"x");
    EXPECT_EQ(script.Unregister(registry), hr::kOk);
    EXPECT_EQ(Text(registry, kUser, u"Software\\Kept", u"Ours"), u"<missing>");
    EXPECT_EQ(Text(registry, kUser, u"Software\\Kept", u"Other"), u"stays");
}

TEST(RegistryScript, AForceRemoveKeyStartsEmpty) {
    MemoryRegistry registry;
    registry.PutString(kUser, u"Fresh\\Old\\Older", u"x", u"1");
    registry.PutString(kUser, u"Fresh", u"Stale", u"1");
    ASSERT_EQ(Parsed(u"HKCU { ForceRemove Fresh = s 'new' }").Register(registry), hr::kOk);
    EXPECT_FALSE(registry.HasKey(kUser, u"Fresh\\Old"));
    EXPECT_EQ(Text(registry, kUser, u"Fresh", u"Stale"), u"<missing>");
    EXPECT_EQ(Text(registry, kUser, u"Fresh", u""), u"new");
}

TEST(RegistryScript, QuotesPercentSignsNumbersAndKeywordsInAnyCase) {
    MemoryRegistry registry;
    const RegistryScript script = Parsed(
        u"hkey_current_user { noremove 'It''s' { VAL 'Share' = S '100%% of %WHO%' "
        u"val Small = d '42' val Big = D '0xFFFFFFFF' } }",
        {{u"WHO", u"everyone"}});
    ASSERT_EQ(script.Register(registry), hr::kOk);
    EXPECT_EQ(Text(registry, kUser, u"It's", u"Share"), u"100% of everyone");
    EXPECT_EQ(Number(registry, u"It's", u"Small"), 42U);
    EXPECT_EQ(Number(registry, u"It's", u"Big"), 0xFFFFFFFFU);
}

TEST(RegistryScript, MalformedScriptsAreRefused) {
    for (const char16_t* text :
         {u"HKCR { 'unclosed = s 'x' }", u"HKCR { Key", u"HKCR Key }", u"HKLM { Key }",
          u"HKCR { Key = x 'text' }", u"HKCR { Key = s word }", u"HKCR { Key = d '12a' }",
          u"HKCR { Key = d '4294967296' }", u"HKCR { Key = s '%UNKNOWN%' }",
          u"HKCR { Key = s '%APPID' }", u"HKCR { = s 'x' }", u"HKCR { '' }",
          u"HKCR { Key { val = s 'x' } }", u"HKCR { } }"}) {
        EXPECT_FALSE(RegistryScript::Parse(text, kAppId).has_value())
            << std::string(text, text + std::char_traits<char16_t>::length(text));
    }
    EXPECT_TRUE(RegistryScript::Parse(u"  \r\n", {}).has_value());
}

TEST(RegistryScript, TheFirstRegistryFailureIsReturnedAsAnHResult) {
    MemoryRegistry memory;
    testing::ScriptedRegistry registry(memory);
    registry.Fail("SetValue", reg::kAccessDenied);
    EXPECT_EQ(Parsed(kAppIdScript, kAppId).Register(registry), MakeHResult(0x80070005));
    EXPECT_EQ(registry.Opened(),
              (std::vector<std::u16string>{u"Create AppID",
                                           u"Create {e6895e72-8741-44b3-900e-01ed98d1a6d3}"}));

    testing::ScriptedRegistry undeletable(memory);
    undeletable.Fail("DeleteKey", reg::kAccessDenied);
    EXPECT_EQ(Parsed(kAppIdScript, kAppId).Unregister(undeletable), MakeHResult(0x80070005));
}

}  // namespace
}  // namespace ombrel
