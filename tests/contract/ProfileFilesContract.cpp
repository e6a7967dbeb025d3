#include "tests/contract/ProfileFilesContract.h"

#include <vector>

namespace ombrel::contract {
namespace {

constexpr const char* kSample =
    "; kept comment\r\n"
    "[Plugins]\r\n"
    "Count = 2\r\n"
    "Plugin #1=  C:\\A.dll  \r\n"
    "Plugin #2=\"C:\\B.dll\"\r\n"
    "Empty=\r\n"
    "\r\n"
    "[Plugin Data]\r\n"
    "Plugin #1=data one\r\n"
    "Plugin #1=shadowed\r\n"
    "[Other]\r\n"
    "Number=-5\r\n"
    "Mixed= 12x\r\n"
    "Word=abc\r\n";

}  // namespace

std::u16string ProfileFilesContract::Get(const char16_t* section, const char16_t* key,
                                         const char16_t* defaultValue, std::uint32_t size,
                                         std::uint32_t* count) const {
    std::vector<char16_t> buffer(size + 1, u'#');
    const std::uint32_t copied =
        port->GetString(section, key, defaultValue, buffer.data(), size, file.c_str());
    if (count != nullptr) *count = copied;
    return std::u16string(buffer.data(), copied);
}

TEST_P(ProfileFilesContract, AMissingFileGivesTheDefaultWithoutTrailingBlanks) {
    EXPECT_EQ(Get(u"KVR Directory Information", u"Monitor", u""), u"");
    EXPECT_EQ(Get(u"KVR Directory Information", u"Monitor", u"none  "), u"none");
    EXPECT_EQ(Get(u"KVR Directory Information", u"Monitor", nullptr), u"");
    EXPECT_EQ(port->GetInt(u"KVR Directory Information", u"Enabled", 7, file.c_str()), 7U);
}

TEST_P(ProfileFilesContract, ValuesAreTrimmedUnquotedAndFoundWithoutRegardToCase) {
    scratch.Write(u"state.ini", kSample);
    EXPECT_EQ(Get(u"plugins", u"PLUGIN #1", u"-"), u"C:\\A.dll");
    EXPECT_EQ(Get(u"Plugins", u"Plugin #2", u"-"), u"C:\\B.dll");
    EXPECT_EQ(Get(u"Plugins", u"Count", u"-"), u"2");
    EXPECT_EQ(Get(u"Plugins", u"Empty", u"-"), u"");
    EXPECT_EQ(Get(u"Plugins", u"Missing", u"-"), u"-");
    EXPECT_EQ(Get(u"Plugin Data", u"Plugin #1", u"-"), u"data one");  // the first one counts
    EXPECT_EQ(Get(u"Nowhere", u"Plugin #1", u"-"), u"-");
}

TEST_P(ProfileFilesContract, LongValuesAreCutToTheBufferAndAlwaysTerminated) {
    scratch.Write(u"state.ini", kSample);
    std::uint32_t count = 0;
    EXPECT_EQ(Get(u"Plugins", u"Plugin #1", u"", 5, &count), u"C:\\A");
    EXPECT_EQ(count, 4U);
    EXPECT_EQ(Get(u"Plugins", u"Plugin #1", u"", 1, &count), u"");
    EXPECT_EQ(count, 0U);
    EXPECT_EQ(Get(u"Plugins", u"Plugin #1", u"", 9, &count), u"C:\\A.dll");
    EXPECT_EQ(count, 8U);
}

TEST_P(ProfileFilesContract, IntegersReadAsTheirLeadingDecimalNumber) {
    scratch.Write(u"state.ini", kSample);
    const char16_t* path = file.c_str();
    EXPECT_EQ(port->GetInt(u"Plugins", u"Count", 0, path), 2U);
    EXPECT_EQ(port->GetInt(u"Other", u"Number", 0, path), static_cast<std::uint32_t>(-5));
    EXPECT_EQ(port->GetInt(u"Other", u"Mixed", 0, path), 12U);
    EXPECT_EQ(port->GetInt(u"Other", u"Word", 9, path), 0U);
    EXPECT_EQ(port->GetInt(u"Plugins", u"Empty", 9, path), 9U);
    EXPECT_EQ(port->GetInt(u"Plugins", u"Missing", 9, path), 9U);
}

TEST_P(ProfileFilesContract, WritingCreatesTheFileAndSectionAndReplacesValues) {
    const char16_t* path = file.c_str();
    ASSERT_TRUE(port->WriteString(u"KVR Directory Information", u"Enabled", u"1", path));
    EXPECT_EQ(port->GetInt(u"KVR Directory Information", u"Enabled", 0, path), 1U);
    ASSERT_TRUE(port->WriteString(u"kvr directory information", u"ENABLED", u"0", path));
    ASSERT_TRUE(port->WriteString(u"KVR Directory Information", u"Monitor", u"DQ", path));
    EXPECT_EQ(port->GetInt(u"KVR Directory Information", u"Enabled", 5, path), 0U);
    EXPECT_EQ(Get(u"KVR Directory Information", u"Monitor", u""), u"DQ");
    const std::string text = scratch.Read(u"state.ini");
    EXPECT_EQ(text.find("nabled"), text.rfind("nabled"));  // one Enabled line, not two
}

TEST_P(ProfileFilesContract, WritingOneKeyKeepsEveryOtherSectionKeyAndComment) {
    scratch.Write(u"state.ini", kSample);
    const char16_t* path = file.c_str();
    ASSERT_TRUE(port->WriteString(u"Plugins", u"Count", u"3", path));
    ASSERT_TRUE(port->WriteString(u"Plugins", u"Plugin #3", u"C:\\C.dll", path));
    ASSERT_TRUE(port->WriteString(u"New", u"Key", u"value", path));

    EXPECT_EQ(Get(u"Plugins", u"Count", u"-"), u"3");
    EXPECT_EQ(Get(u"Plugins", u"Plugin #1", u"-"), u"C:\\A.dll");
    EXPECT_EQ(Get(u"Plugins", u"Plugin #2", u"-"), u"C:\\B.dll");
    EXPECT_EQ(Get(u"Plugins", u"Plugin #3", u"-"), u"C:\\C.dll");
    EXPECT_EQ(Get(u"Plugin Data", u"Plugin #1", u"-"), u"data one");
    EXPECT_EQ(Get(u"Other", u"Word", u"-"), u"abc");
    EXPECT_EQ(Get(u"New", u"Key", u"-"), u"value");

    const std::string text = scratch.Read(u"state.ini");
    EXPECT_NE(text.find("; kept comment"), std::string::npos);
    const auto plugins = text.find("[Plugins]");
    const auto data = text.find("[Plugin Data]");
    const auto added = text.find("Plugin #3");
    EXPECT_LT(plugins, added);
    EXPECT_LT(added, data);  // a new key joins its own section
    EXPECT_LT(data, text.find("[Other]"));
    EXPECT_LT(text.find("[Other]"), text.find("[New]"));
}

TEST_P(ProfileFilesContract, AWriteIntoAMissingDirectoryFails) {
    const std::u16string missing = scratch.File(u"no-such-dir\\state.ini").Std();
    EXPECT_FALSE(port->WriteString(u"S", u"K", u"V", missing.c_str()));
}

}  // namespace ombrel::contract
