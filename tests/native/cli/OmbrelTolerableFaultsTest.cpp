// Mail with the faults that real mail carries keeps its text in `ombrel`'s database too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/cli/OmbrelRun.h"

namespace ombrel::testing {
namespace {

TEST(OmbrelTolerableFaults, TheDatabaseHoldsTheTextOfMailWithTolerableFaults) {
    // Each message is written over several literals.
    // NOLINTBEGIN(bugprone-suspicious-missing-comma)
    const std::vector<std::string> texts = {
        "Subject: S\xC3\xA4ying Hello\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n"
        "--b\r\n\r\ntext\r\n--b\r\nContent-Type: application/msword\r\n"
        "Content-Disposition: attachment; filename=\"\xE7\xAE\xA1\xE7\x90\x86.doc\"\r\n\r\nx\r\n"
        "--b--\r\n",
        "Hello there,\r\nno headers at all.\r\n",
        "Subject: Hi\r\nThe text right after.\r\n",
        "Subject: =?ISO-2022-JP?B?GyRCJDkkXyReJDskcyEjGyhC?=\r\n"
        "Content-Type: text/plain; charset=iso-2022-jp\r\n\r\n\x1B$B$9$_$^$;$s!#\x1B(B\r\n",
        "Subject: Sixteen\r\nContent-Type: text/plain; charset=utf-16\r\n"
        "Content-Transfer-Encoding: base64\r\n\r\n//5IAGkAIQAKAA==\r\n",
        "Subject: Last line\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n"
        "Content-Transfer-Encoding: base64\r\n\r\nSGVsbG8=\r\n--b--",
        "Subject: Empty plain\r\nContent-Type: multipart/alternative; boundary=b\r\n\r\n"
        "--b\r\n\r\n \r\n--b\r\nContent-Type: text/html\r\n\r\n<p>The HTML text</p>\r\n--b--\r\n",
    };
    // NOLINTEND(bugprone-suspicious-missing-comma)
    SampleStore store;
    SampleFolder inbox{"Inbox", u"Inbox", u"", true, {}, {}, {}};
    std::int32_t time = 1700000000;
    for (const std::string& text : texts) inbox.messages.push_back({text, ++time, 0});
    store.accounts.push_back({u"Real", u"Real\\", false, "real@example.org", true, {inbox}});
    store.registrySlots = 2;
    const WrittenStore written(store);
    const CommandRun run = RunOmbrel({"index", written.root, "--db", written.database});
    ASSERT_EQ(run.status, 0) << run.err;

    const std::vector<IndexedMessage> messages = IndexedMessages(written.database);
    ASSERT_EQ(messages.size(), texts.size());
    const struct {
        std::string subject;
        std::string body;
        std::string attachments;
    } expected[] = {
        {"S\xC3\xA4ying Hello", "text\r\n", "[\xE7\xAE\xA1\xE7\x90\x86.doc]"},
        {"", "Hello there,\r\nno headers at all.\r\n", ""},
        {"Hi", "The text right after.\r\n", ""},
        {"\xE3\x81\x99\xE3\x81\xBF\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93\xE3\x80\x82",
         "\xE3\x81\x99\xE3\x81\xBF\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93\xE3\x80\x82\r\n", ""},
        {"Sixteen", "Hi!\n", ""},
        {"Last line", "Hello", ""},
        {"Empty plain", "The HTML text", ""},
    };
    for (std::size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].subject, expected[i].subject) << "message " << i;
        EXPECT_EQ(messages[i].body, expected[i].body) << "message " << i;
        EXPECT_EQ(messages[i].attachments, expected[i].attachments) << "message " << i;
    }
    EXPECT_EQ(SearchIds(written.database, "S\xC3\xA4ying").size(), 1U);
}

}  // namespace
}  // namespace ombrel::testing
