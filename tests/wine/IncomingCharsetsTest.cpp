// Mail in every charset that Windows reads in a code page of its own, offered to TBP_GetSpamScore:
// its subject and its text reach the indexer right whatever the ANSI code page of the machine.
#include <windows.h>

#include <array>
#include <string>

#include "tests/support/CharsetMail.h"
#include "tests/support/win32/HostMessage.h"
#include "tests/support/win32/HostRegistry.h"
#include "tests/wine/WineSuite.h"

namespace ombrel::wine {
namespace {

class IncomingCharsets : public LibraryTest {
  protected:
    IncomingCharsets() {
        const std::array<std::uint8_t, 12> indexOnReceive = {0x0D, 0xF0, 0xAD, 0xBA, 1,  0,
                                                             0,    0,    0,    0,    12, 0};
        library.SetConfigData(indexOnReceive.data(), 12);
        library.Initialize();
    }
    ~IncomingCharsets() override {
        library.Finalize();
        const std::array<std::uint8_t, 12> initial = {0x0D, 0xF0, 0xAD, 0xBA, 0,  0,
                                                      0,    0,    0,    0,    12, 0};
        library.SetConfigData(initial.data(), 12);
    }

    static std::u16string TextOf(const standin::ReceivedEvent& event, std::u16string_view name) {
        for (const standin::EventProperty& property : event.properties) {
            if (property.name == name) return std::get<std::u16string>(property.value);
        }
        return u"(none)";
    }
};

TEST_F(IncomingCharsets, SubjectsAndTextsReadRightInEveryAnsiCodePage) {
    ASSERT_EQ(library.GetStatus(), 0);
    SCOPED_TRACE(GetACP());
    for (const testing::CharsetSample& sample : testing::CharsetSamples()) {
        for (const std::string& mail : testing::CharsetMessages(sample)) {
            SCOPED_TRACE(mail);
            journal.Clear();
            standin::HostMessage message(mail);
            library.GetSpamScore(&message, &standin::HostMessageCallback);
            const auto events = journal.Events();
            ASSERT_EQ(events.size(), 1U);
            EXPECT_EQ(TextOf(events[0], u"subject"), sample.text);
            const std::u16string content = TextOf(events[0], u"content");
            EXPECT_EQ(content.substr(0, content.find(u'\n') + 1),
                      std::u16string(sample.text) + u"\r\n");
        }
    }
}

TEST_F(IncomingCharsets, AHostTableNamedLikeTheCharsetStillDecides) {
    library.Finalize();
    std::array<BYTE, 256> table{};
    for (std::size_t b = 0; b < table.size(); ++b) table.at(b) = static_cast<BYTE>(b);
    table[0xC1] = 0xE9;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\RIT\\The Bat!\\XLT\\KOI8-R", 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"Table", 0, REG_BINARY, table.data(), static_cast<DWORD>(table.size()));
    RegCloseKey(key);
    library.Initialize();
    standin::HostMessage message(
        "Subject: =?koi8-r?B?wQ==?=\r\nContent-Type: text/plain; charset=koi8-r\r\n\r\n\xC1");
    library.GetSpamScore(&message, &standin::HostMessageCallback);
    // The table's byte, read in the ANSI code page.
    wchar_t translated = 0;
    MultiByteToWideChar(CP_ACP, 0, "\xE9", 1, &translated, 1);
    const auto events = journal.Events();
    ASSERT_EQ(events.size(), 1U);
    EXPECT_EQ(TextOf(events[0], u"subject"), std::u16string(1, static_cast<char16_t>(translated)));
    EXPECT_EQ(TextOf(events[0], u"content"),
              std::u16string(1, static_cast<char16_t>(translated)) + u"\n");
}

}  // namespace
}  // namespace ombrel::wine
