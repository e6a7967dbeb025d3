#include "platform/posix/RegFile.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/posix/PosixCodePages.h"

namespace ombrel::platform::posix {
namespace {

constexpr auto kUser = Registry::kCurrentUser;
constexpr auto kClasses = Registry::kClassesRoot;

struct Read {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
};

class RegFileTest : public ::testing::Test {
  protected:
    RegFileLoad Load(std::string_view bytes) { return LoadRegFile(registry, bytes, codePages); }

    std::optional<Read> Value(Registry::Key root, std::u16string_view path, const char16_t* name) {
        ScopedKey key(registry);
        if (registry.OpenKey(root, path, reg::kQueryValue, *key.Receive()) != reg::kSuccess) {
            return std::nullopt;
        }
        Read read;
        std::uint32_t size = 0;
        if (registry.QueryValue(key.Get(), name, &read.type, nullptr, &size) != reg::kSuccess) {
            return std::nullopt;
        }
        read.bytes.resize(size);
        registry.QueryValue(key.Get(), name, nullptr, read.bytes.data(), &size);
        return read;
    }

    std::u16string Text(Registry::Key root, std::u16string_view path, const char16_t* name) {
        const std::optional<Read> read = Value(root, path, name);
        if (!read || read->bytes.size() < 2) return u"<missing>";
        return {reinterpret_cast<const char16_t*>(read->bytes.data()), read->bytes.size() / 2 - 1};
    }

    static std::string Utf16File(std::u16string_view text) {
        std::string bytes = "\xFF\xFE";
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
        return bytes;
    }

    PosixCodePages codePages;
    MemoryRegistry registry;
};

TEST_F(RegFileTest, ARegedit5FileSetsTextsNumbersAndBytes) {
    const RegFileLoad load =
        Load(Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n"
                       u"[HKEY_CURRENT_USER\\Software\\RIT\\The Bat!]\r\n"
                       u"\"Version\"=\"2.0.4.8\"\r\n"
                       u"\"Working Directory\"=\"%APPDATA%\\\\The Bat!\\\\\"\r\n"
                       u"@=\"quote \\\" inside\"\r\n"
                       u"\"Flags\"=dword:0000002a\r\n"
                       u"\"Blob\"=hex:01,ff,\\\r\n  10\r\n"
                       u"\"Path\"=hex(2):43,00,3a,00,00,00\r\n"
                       u"; a comment\r\n"
                       u"[HKCR\\AppID\\Empty]\r\n"));
    EXPECT_TRUE(load.recognised);
    EXPECT_TRUE(load.skippedLines.empty());
    const std::u16string host = u"Software\\RIT\\The Bat!";
    EXPECT_EQ(Text(kUser, host, u"Version"), u"2.0.4.8");
    EXPECT_EQ(Text(kUser, host, u"Working Directory"), u"%APPDATA%\\The Bat!\\");
    EXPECT_EQ(Text(kUser, host, u""), u"quote \" inside");
    EXPECT_EQ(Value(kUser, host, u"Flags")->type, reg::kTypeDword);
    EXPECT_EQ(Value(kUser, host, u"Flags")->bytes, (std::vector<std::uint8_t>{42, 0, 0, 0}));
    EXPECT_EQ(Value(kUser, host, u"Blob")->bytes, (std::vector<std::uint8_t>{1, 0xFF, 0x10}));
    EXPECT_EQ(Value(kUser, host, u"Path")->type, reg::kTypeExpandString);
    EXPECT_EQ(Text(kUser, host, u"Path"), u"C:");
    EXPECT_TRUE(registry.HasKey(kClasses, u"AppID\\Empty"));
}

TEST_F(RegFileTest, ARegedit4FileIsAnsiTextAndItsExpandableBytesBecomeUtf16) {
    const RegFileLoad load = Load(
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Caf\xE9]\n\"Name\"=\"na\xEFve\"\n"
        "\"Expand\"=hex(2):25,41,25,00\n\"Nothing\"=hex(7):\n");
    EXPECT_TRUE(load.recognised);
    EXPECT_EQ(Text(kUser, u"Software\\Caf\u00E9", u"Name"), u"na\u00EFve");
    EXPECT_EQ(Text(kUser, u"Software\\Caf\u00E9", u"Expand"), u"%A%");
    EXPECT_EQ(Value(kUser, u"Software\\Caf\u00E9", u"Nothing")->type, reg::kTypeMultiString);
    EXPECT_TRUE(Value(kUser, u"Software\\Caf\u00E9", u"Nothing")->bytes.empty());
}

TEST_F(RegFileTest, DeletionsRemoveKeysWithTheirSubkeysAndSingleValues) {
    registry.PutString(kUser, u"Software\\Old\\Deeper", u"x", u"1");
    registry.PutString(kUser, u"Software\\Keep", u"Gone", u"1");
    registry.PutString(kUser, u"Software\\Keep", u"Stays", u"1");
    const RegFileLoad load = Load(
        "REGEDIT4\r\n[-HKEY_CURRENT_USER\\Software\\Old]\r\n[-HKCU\\Software\\NeverWas]\r\n"
        "[HKEY_CURRENT_USER\\Software\\Keep]\r\n\"Gone\"=-\r\n\"NeverWas\"=-\r\n");
    EXPECT_TRUE(load.skippedLines.empty());
    EXPECT_FALSE(registry.HasKey(kUser, u"Software\\Old"));
    EXPECT_EQ(Text(kUser, u"Software\\Keep", u"Gone"), u"<missing>");
    EXPECT_EQ(Text(kUser, u"Software\\Keep", u"Stays"), u"1");
}

TEST_F(RegFileTest, LinesThatCannotBeAppliedAreNamedAndTheRestIsLoaded) {
    const RegFileLoad load = Load(
        "REGEDIT4\n"
        "\"Orphan\"=\"before any key\"\n"      // 2
        "[HKEY_LOCAL_MACHINE\\Software\\X]\n"  // 3
        "\"Under\"=\"an unknown root\"\n"      // 4
        "[HKEY_CURRENT_USER\\Software\\Y]\n"
        "\"Bad\"=dword:123456789\n"          // 6
        "\"Odd\"=hex:1,zz\n"                 // 7
        "\"Open\"=\"unclosed\n"              // 8
        "NoQuotes=\"x\"\n"                   // 9
        "\"Kind\"=hex(zz):00\n"              // 10
        "[HKEY_CURRENT_USER\\Software\\Y\n"  // 11
        "\"Good\"=\"kept\"\n");              // 12, below a skipped key line
    EXPECT_TRUE(load.recognised);
    EXPECT_EQ(load.skippedLines, (std::vector<int>{2, 3, 4, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_TRUE(registry.HasKey(kUser, u"Software\\Y"));
}

TEST_F(RegFileTest, AFileWithoutTheHeaderLoadsNothing) {
    for (const std::string_view text :
         {std::string_view("[HKEY_CURRENT_USER\\Software\\X]\n\"a\"=\"b\"\n"), std::string_view(""),
          std::string_view("REGEDIT3\n[HKCU\\Software\\X]\n")}) {
        const RegFileLoad load = Load(text);
        EXPECT_FALSE(load.recognised);
        EXPECT_FALSE(registry.HasKey(kUser, u"Software"));
    }
}

}  // namespace
}  // namespace ombrel::platform::posix
