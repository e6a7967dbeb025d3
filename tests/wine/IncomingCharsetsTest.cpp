// Mail in every charset that Windows reads in a code page of its own, offered to TBP_GetSpamScore:
// its subject and its text reach the indexer right whatever the ANSI code page of the machine.
#include <array>
#include <string>

#include "tests/support/CharsetMail.h"
#include "tests/support/win32/HostMessage.h"
#include "tests/wine/WineSuite.h"

namespace ombrel::wine {
namespace {

class IncomingCharsets : public LibraryTest {
  protected:
    IncomingCharsets() {
        const std::array<std::uint8_t, 12> indexOnReceive = {0x0D, 0xF0, 0xAD, 0xBA, 1, 0,
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

}  // namespace
}  // namespace ombrel::wine
