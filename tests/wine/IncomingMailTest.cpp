// Mail offered to TBP_GetSpamScore by a host whose data callback is a stdcall function of this
// program, with accounts of a small mail store written into the host's working directory.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "common/Base64.h"
#include "tests/support/ConcurrentMail.h"
#include "tests/support/SampleMail.h"
#include "tests/support/win32/HostAccounts.h"
#include "tests/support/win32/HostMessage.h"
#include "tests/wine/WineSuite.h"

namespace ombrel::wine {
namespace {

using Account = standin::HostAccount;
using standin::EventProperty;
using standin::HostMessage;
using standin::ObservedMapping;
using standin::PluginLibrary;
using standin::ReceivedEvent;

constexpr std::int32_t kMessageText = 100005;

std::string Message(const std::string& to, const std::string& body = "Hello.\r\n") {
    return "From: Anna <anna@example.org>\r\nTo: " + to +
           "\r\nSubject: Hi\r\nContent-Type: text/plain\r\n\r\n" + body;
}

std::wstring Wide(const std::string& ascii) {
    return {ascii.begin(), ascii.end()};
}

// The "Monitor" value of a state file as its record: marker, the SYSTEMTIME, marker.
std::wstring MonitorText(const SYSTEMTIME& time) {
    std::string record(24, '\0');
    const std::uint32_t marker = 0xBAADF00D;
    std::memcpy(record.data(), &marker, 4);
    std::memcpy(record.data() + 4, &time, 16);
    std::memcpy(record.data() + 20, &marker, 4);
    return Wide(EncodeBase64(record));
}

class IncomingMail : public LibraryTest {
  protected:
    // The library keeps the options between tests: they go back to those of a fresh load.
    ~IncomingMail() override {
        library.Finalize();
        const std::array<std::uint8_t, 12> initial = {0x0D, 0xF0, 0xAD, 0xBA, 0,  0,
                                                      0,    0,    0,    0,    12, 0};
        library.SetConfigData(initial.data(), 12);
        standin::DeleteTree(HKEY_CURRENT_USER, standin::kUsersDepot);
    }

    void InstallAccounts(const std::vector<Account>& accounts) {
        standin::InstallHostAccounts(workingDirectory, accounts);
    }

    std::wstring AccountDirectory(const Account& account) const {
        return workingDirectory + Wide(account.user) + L"\\";
    }
    std::wstring InboxStateFile(const Account& account) const {
        return AccountDirectory(account) + Wide(account.inboxName) + L"\\kvrdirinfo.cookie";
    }

    std::wstring StoredMonitor(const Account& account) const {
        wchar_t text[256] = {};
        GetPrivateProfileStringW(L"KVR Directory Information", L"Monitor", L"", text, 256,
                                 InboxStateFile(account).c_str());
        return text;
    }

    // Starts the library with indexing on receipt (and HTML preferred when asked).
    void Start(bool preferHtml = false) {
        std::array<std::uint8_t, 12> record = {0x0D, 0xF0, 0xAD, 0xBA, 1, 0, 0, 0, 0, 0, 12, 0};
        record[6] = preferHtml ? 1 : 0;
        ASSERT_EQ(library.SetConfigData(record.data(), 12), 0);
        library.Initialize();
        ASSERT_EQ(library.GetStatus(), 0);
        journal.Clear();
        PluginLibrary::TakeMappings();
    }

    std::int32_t Receive(HostMessage& message) {
        return library.GetSpamScore(&message, &standin::HostMessageCallback);
    }
    std::int32_t Receive(const std::string& text) {
        HostMessage message(text);
        return Receive(message);
    }

    // The folder of each event, "(none)" without one.
    std::vector<std::u16string> Folders() const {
        std::vector<std::u16string> folders;
        for (const ReceivedEvent& event : journal.Events()) {
            folders.push_back(TextOf(event, u"folder_name"));
        }
        return folders;
    }

    static std::u16string TextOf(const ReceivedEvent& event, const std::u16string& name) {
        for (const EventProperty& property : event.properties) {
            if (property.name == name) return std::get<std::u16string>(property.value);
        }
        return u"(none)";
    }

    // The page-file mappings made since the last look.
    static std::vector<ObservedMapping> PageFileMappings() {
        std::vector<ObservedMapping> mappings = PluginLibrary::TakeMappings();
        std::erase_if(mappings, [](const ObservedMapping& mapping) {
            return mapping.file != INVALID_HANDLE_VALUE;
        });
        return mappings;
    }
};

TEST_F(IncomingMail, APlainMessageReachesTheIndexerInItsAccountsInbox) {
    InstallAccounts({{"Anna", "anna@example.net"}});
    Start();
    const std::string text = Message("Anna <anna@example.net>", "Hello Anna,\r\nthe figures.\r\n");
    HostMessage message(text);
    EXPECT_EQ(Receive(message), -1);
    ASSERT_EQ(message.calls.size(), 2U);
    EXPECT_EQ(message.calls[0].kind, kMessageText);
    EXPECT_FALSE(message.calls[0].withBuffer);
    EXPECT_EQ(message.calls[0].size, -1);
    EXPECT_EQ(message.calls[1].kind, kMessageText);
    EXPECT_TRUE(message.calls[1].withBuffer);
    EXPECT_EQ(message.calls[1].size, static_cast<std::int32_t>(text.size()));

    const std::vector<ReceivedEvent> events = journal.Events();
    ASSERT_EQ(events.size(), 1U);
    EXPECT_EQ(events[0].componentId, u"{E6895E72-8741-44B3-900E-01ED98D1A6D3}");
    EXPECT_EQ(events[0].schema, u"Ombrel.Desktop.Email");
    EXPECT_EQ(events[0].submitFlags, 0x2001U);
    std::vector<std::u16string> names;
    std::vector<std::uint16_t> types;
    for (const EventProperty& property : events[0].properties) {
        names.push_back(property.name);
        types.push_back(property.variantType);
    }
    EXPECT_EQ(names,
              (std::vector<std::u16string>{u"received", u"subject", u"from", u"to", u"mail_flags",
                                           u"format", u"content", u"folder_name"}));
    EXPECT_EQ(types, (std::vector<std::uint16_t>{7, 8, 8, 8, 19, 8, 8, 8}));
    EXPECT_EQ(TextOf(events[0], u"content"), u"Hello Anna,\r\nthe figures.\r\n\n");
    EXPECT_EQ(TextOf(events[0], u"folder_name"), u"Anna\\Inbox");
    EXPECT_EQ(events[0].properties[4].value, standin::StoredValue(std::uint32_t{0}));

    // The received time is now, in UTC, as a variant date.
    SYSTEMTIME now;
    GetSystemTime(&now);
    double today = 0;
    SystemTimeToVariantTime(&now, &today);
    const double received = std::get<platform::VariantDate>(events[0].properties[0].value).days;
    EXPECT_NEAR(received, today, 10.0 / 86400);
    EXPECT_EQ(journal.LiveObjects(), 1);  // only the factory
    EXPECT_FALSE(StoredMonitor({"Anna", ""}).empty());
}

// Forms that mail programs write: extended, folded and quoted parameters, names in "Content-Type",
// forwarded messages and digests. Each gives its text and its attachment names.
TEST_F(IncomingMail, ExtendedParametersAndForwardedMessagesGiveTheirTextAndNames) {
    Start();
    const std::string held = "Content-Type: message/rfc822\r\n\r\n";
    std::string tooDeep;
    for (int level = 0; level < 20; ++level) tooDeep += held;
    const struct {
        std::string text;
        std::u16string content;
    } cases[] = {
        {"Content-Type: multipart/signed; protocol=\"application/pkcs7-signature\";\r\n"
         " boundary*=\"us-ascii''XYZ\"\r\n\r\n--XYZ\r\nContent-Type: text/plain\r\n\r\nSigned\r\n"
         "--XYZ\r\nContent-Type: application/pkcs7-signature; name*0=smime; name*1=.p7s\r\n\r\n"
         "MIAG\r\n--XYZ--\r\n",
         u"Signed\r\n\n[smime.p7s]"},
        {"Content-Type: multipart/signed; micalg=sha-256; boundary=\r\n\t\"----ABC\"\r\n\r\n"
         "------ABC\r\nContent-Type: text/plain; charset = \"utf-8\"\r\n\r\nS\xC3\xA9\r\n"
         "------ABC\r\nContent-Type: application/pdf\r\nContent-Disposition: attachment;\r\n"
         " filename*=UTF-8''%D0%BE%D1%82%D1%87%D0%B5%D1%82.pdf\r\n\r\n%PDF\r\n------ABC--\r\n",
         u"S\u00E9\r\n\n[\u043E\u0442\u0447\u0435\u0442.pdf]"},
        {"Content-Type: multipart/mixed; boundary=\"a;b\"\r\n\r\n--a;b\r\n\r\nText\r\n"
         "--a;b\r\nContent-Type: application/pdf; name=\"=?UTF-8?B?0L7RgtGH0LXRgi5wZGY=?=\"\r\n\r\n"
         "%PDF\r\n--a;b\r\nContent-Type: image/png; name=\"a b.png\"\r\n\r\nPNG\r\n--a;b--\r\n",
         u"Text\r\n\n[a b.png][\u043E\u0442\u0447\u0435\u0442.pdf]"},
        {"Subject: Fwd: Fwd\r\n" + held + "Subject: Fwd\r\n" + held +
             "Subject: Plan\r\nContent-Type: text/plain; charset=utf-8\r\n\r\nThe pl\xC3\xA0n",
         u"The pl\u00E0n\n"},
        {"Content-Type: multipart/digest; boundary=d\r\n\r\n--d\r\n\r\nSubject: "
         "One\r\n\r\nFirst\r\n"
         "--d\r\n\r\nSubject: Two\r\n\r\nSecond\r\n--d\r\n\r\nSubject: "
         "Three\r\n\r\nThird\r\n--d--\r\n",
         u"First\r\n\n"},
        {tooDeep + "Subject: deep\r\n\r\ndeep text", u"\n"},
    };
    for (const auto& each : cases) Receive(each.text);
    const std::vector<ReceivedEvent> events = journal.Events();
    ASSERT_EQ(events.size(), std::size(cases));
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(TextOf(events[i], u"content"), cases[i].content) << "message " << i;
    }
}

// Faults that real mail carries: 8-bit UTF-8 headers without a charset, text without headers or
// without the empty line after them, Japanese and UTF-16 text on any Windows, and a close
// delimiter on the last line, which the host's buffer ends with a zero after.
TEST_F(IncomingMail, MailWithTolerableFaultsKeepsItsText) {
    Start();
    const struct {
        std::string text;
        std::u16string subject;
        std::u16string content;
    } cases[] = {
        {"Subject: S\xC3\xA4ying Hello\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n"
         "--b\r\n\r\ntext\r\n--b\r\nContent-Type: application/msword\r\n"
         "Content-Disposition: attachment; filename=\"\xE7\xAE\xA1\xE7\x90\x86.doc\"\r\n\r\nx\r\n"
         "--b--\r\n",
         u"S\u00E4ying Hello", u"text\r\n\n[\u7BA1\u7406.doc]"},
        {"Hello there,\r\nno headers at all.\r\n", u"(none)",
         u"Hello there,\r\nno headers at all.\r\n\n"},
        {"Subject: Hi\r\nThe text right after.\r\n", u"Hi", u"The text right after.\r\n\n"},
        {"Subject: =?ISO-2022-JP?B?GyRCJDkkXyReJDskcyEjGyhC?=\r\n"
         "Content-Type: text/plain; charset=iso-2022-jp\r\n\r\n\x1B$B$9$_$^$;$s!#\x1B(B\r\n",
         u"\u3059\u307F\u307E\u305B\u3093\u3002", u"\u3059\u307F\u307E\u305B\u3093\u3002\r\n\n"},
        {"Content-Type: text/plain; charset=utf-16\r\nContent-Transfer-Encoding: base64\r\n\r\n"
         "//5IAGkAIQAKAA==\r\n",
         u"(none)", u"Hi!\n\n"},
        {"Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n"
         "Content-Transfer-Encoding: base64\r\n\r\nSGVsbG8=\r\n--b--",
         u"(none)", u"Hello\n"},
    };
    for (const auto& each : cases) Receive(each.text);
    const std::vector<ReceivedEvent> events = journal.Events();
    ASSERT_EQ(events.size(), std::size(cases));
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(TextOf(events[i], u"subject"), cases[i].subject) << "message " << i;
        EXPECT_EQ(TextOf(events[i], u"content"), cases[i].content) << "message " << i;
    }
}

TEST_F(IncomingMail, NothingIsAskedWithIndexingOnReceiptOffOrBeforeInitialisation) {
    InstallAccounts({{"Anna", ""}});
    HostMessage early(Message("x@y"));
    EXPECT_EQ(Receive(early), -1);
    EXPECT_TRUE(early.calls.empty());

    std::array<std::uint8_t, 12> off = {0x0D, 0xF0, 0xAD, 0xBA, 0, 0, 0, 0, 0, 0, 12, 0};
    library.SetConfigData(off.data(), 12);
    library.Initialize();
    journal.Clear();
    HostMessage ignored(Message("x@y"));
    EXPECT_EQ(Receive(ignored), -1);
    EXPECT_TRUE(ignored.calls.empty());
    EXPECT_TRUE(journal.Calls().empty());
}

TEST_F(IncomingMail, AHostWithoutTextEndsTheCall) {
    InstallAccounts({{"Anna", ""}});
    Start();
    for (const std::int32_t size : {0, -1}) {
        HostMessage message(Message("x@y"));
        message.reportedSize = size;
        EXPECT_EQ(Receive(message), -1);
        EXPECT_EQ(message.calls.size(), 1U);
    }
    HostMessage noCallback(Message("x@y"));
    EXPECT_EQ(library.GetSpamScore(&noCallback, nullptr), -1);
    EXPECT_TRUE(journal.Calls().empty());
}

// A message of exactly `size` bytes.
std::string MessageOfSize(std::size_t size) {
    std::string text = Message("x@y", "");
    text.append(size - text.size() - 2, 'a');
    return text + "\r\n";
}

TEST_F(IncomingMail, MessagesFromTheLimitOnAreHeldInPageFileMemory) {
    InstallAccounts({{"Anna", ""}});
    Start();
    Receive(MessageOfSize(102399));
    EXPECT_TRUE(PageFileMappings().empty());

    Receive(MessageOfSize(102400));
    Receive(MessageOfSize(3000000));
    const std::vector<ObservedMapping> mappings = PageFileMappings();
    ASSERT_EQ(mappings.size(), 2U);
    const std::uint64_t sizes[] = {102401, 3000001};
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(mappings[i].protection, 0x08000004U);
        EXPECT_EQ(mappings[i].maximumSize, sizes[i]);
        EXPECT_FALSE(mappings[i].named);
        EXPECT_EQ(mappings[i].viewAccess, 0xF001FU);
        EXPECT_EQ(mappings[i].viewOffset, 0U);
        EXPECT_NE(mappings[i].view, nullptr);
        EXPECT_TRUE(mappings[i].unmapped);
    }
    const std::vector<ReceivedEvent> events = journal.Events();
    ASSERT_EQ(events.size(), 3U);
    const std::size_t headers = Message("x@y", "").size();
    EXPECT_EQ(TextOf(events[0], u"content").size(), 102399 - headers + 1);
    EXPECT_EQ(TextOf(events[1], u"content").size(), 102400 - headers + 1);
    EXPECT_EQ(TextOf(events[2], u"content").size(), 3000000 - headers + 1);
}

TEST_F(IncomingMail, AShortCopyIsParsedOnlyAsFarAsTheHostCopied) {
    InstallAccounts({{"Anna", ""}});
    Start();
    // A message of b's first, so that the heap block of the next one likely holds its bytes.
    std::string earlier = Message("x@y", "");
    earlier.append(90000 - earlier.size(), 'b');
    Receive(earlier);
    for (const std::int32_t announced : {90000, 200000}) {  // on the heap, in page-file memory
        HostMessage message(MessageOfSize(300));
        message.reportedSize = announced;
        EXPECT_EQ(Receive(message), -1);
        ASSERT_EQ(message.calls.size(), 2U);
        EXPECT_EQ(message.calls[1].size, announced);
    }
    const std::vector<ReceivedEvent> events = journal.Events();
    ASSERT_EQ(events.size(), 3U);
    for (std::size_t i = 1; i < 3; ++i) {
        const std::u16string content = TextOf(events[i], u"content");
        EXPECT_EQ(content.size(), 300 - Message("x@y", "").size() + 1) << i;
        EXPECT_EQ(content.find(u'b'), std::u16string::npos) << i;
    }
}

TEST_F(IncomingMail, TheFirstMatchingAccountTakesTheMessageAndADisabledOneStopsIt) {
    InstallAccounts({{"Work", "anna@work.example"},
                     {"Off", "anna@off.example", false},
                     {"Home", "anna@home.example"},
                     {"Any", ""},
                     {"Late", "anna@late.example"}});
    Start();
    Receive(Message("anna@home.example, anna@work.example"));
    Receive(Message("Anna <anna@home.example>"));
    Receive(Message("anna@off.example, anna@home.example"));  // stops at Off
    Receive(Message("Anna@Home.Example"));                    // case matters: Any takes it
    Receive(Message("anna@late.example"));                    // Any comes first
    Receive("From: anna@example.org\r\nSubject: no To\r\n\r\nText\r\n");
    EXPECT_EQ(Folders(), (std::vector<std::u16string>{u"Work\\Inbox", u"Home\\Inbox", u"Any\\Inbox",
                                                      u"Any\\Inbox", u"(none)"}));
}

TEST_F(IncomingMail, MailForNoAccountHasNoFolderAndMovesNoTime) {
    const Account work{"Work", "anna@work.example"};
    InstallAccounts({work, {"NoInbox", "anna@noinbox.example", true, ""}});
    Start();
    Receive(Message("bob@example.org"));
    Receive(Message("anna@noinbox.example"));
    EXPECT_EQ(Folders(), (std::vector<std::u16string>{u"(none)", u"NoInbox\\Inbox"}));
    EXPECT_TRUE(StoredMonitor(work).empty());
}

TEST_F(IncomingMail, TheInboxIsFoundWhateverTheCaseOfItsName) {
    const Account anna{"Anna", "anna@", true, "INBOX"};
    InstallAccounts({anna});
    Start();
    Receive(Message("anna@example.net"));
    EXPECT_EQ(Folders(), std::vector<std::u16string>{u"Anna\\Inbox"});
    EXPECT_FALSE(StoredMonitor(anna).empty());
}

TEST_F(IncomingMail, TheInboxTimeOnlyMovesForward) {
    const Account anna{"Anna", "anna@"};
    InstallAccounts({anna});
    Start();
    const SYSTEMTIME future = {2999, 12, 3, 31, 23, 59, 59, 999};
    WritePrivateProfileStringW(L"KVR Directory Information", L"Monitor",
                               MonitorText(future).c_str(), InboxStateFile(anna).c_str());
    Receive(Message("anna@example.net"));
    EXPECT_EQ(StoredMonitor(anna), MonitorText(future));

    const SYSTEMTIME past = {2001, 1, 1, 1, 0, 0, 0, 0};
    WritePrivateProfileStringW(L"KVR Directory Information", L"Monitor", MonitorText(past).c_str(),
                               InboxStateFile(anna).c_str());
    SYSTEMTIME before;
    GetSystemTime(&before);
    Receive(Message("anna@example.net"));
    SYSTEMTIME after;
    GetSystemTime(&after);
    const std::wstring stored = StoredMonitor(anna);
    EXPECT_TRUE(stored >= MonitorText(before).substr(0, 8));  // the marker and the year
    EXPECT_NE(stored, MonitorText(past));
    EXPECT_EQ(journal.Events().size(), 2U);
}

TEST_F(IncomingMail, RefusalsAreSwallowedAndLeaveTheInboxTime) {
    const Account anna{"Anna", "anna@"};
    InstallAccounts({anna});
    Start();
    journal.Script("Submit", MakeHResult(0x00040007), 1);
    EXPECT_EQ(Receive(Message("anna@example.net")), -1);
    journal.Script("Submit", MakeHResult(0x80040005), 1);
    EXPECT_EQ(Receive(Message("anna@example.net")), -1);
    journal.Script("MakeEvent", MakeHResult(0x80040009), 1);
    EXPECT_EQ(Receive(Message("anna@example.net")), -1);
    journal.Script("Submit", E_FAIL, 1);
    EXPECT_EQ(Receive(Message("anna@example.net")), -1);
    EXPECT_TRUE(StoredMonitor(anna).empty());
    EXPECT_EQ(journal.Events().size(), 3U);
    EXPECT_EQ(journal.LiveObjects(), 1);
}

TEST_F(IncomingMail, HtmlIsIndexedWhenPreferred) {
    InstallAccounts({{"Anna", ""}});
    const std::string text = testing::SampleMail(testing::SampleMailKind::kAlternative, 1,
                                                 1700000000, "bob@example.org", "anna@x");
    Start(false);
    Receive(text);
    library.Finalize();
    Start(true);
    Receive(text);
    const std::vector<ReceivedEvent> events = journal.Events();
    ASSERT_EQ(events.size(), 1U);
    EXPECT_EQ(TextOf(events[0], u"format"), u"text/html");
    EXPECT_EQ(
        TextOf(events[0], u"content"),
        u"<p>Notes from the meeting: the caf\u00e9 budget was <i>approved</i>.</p>\r\n\r\n\n");
}

TEST_F(IncomingMail, AttachmentsAreNamedAndFlagged) {
    InstallAccounts({{"Anna", ""}});
    Start();
    Receive(testing::SampleMail(testing::SampleMailKind::kAttachments, 2, 1700000000,
                                "bob@example.org", "anna@x"));
    const std::vector<ReceivedEvent> events = journal.Events();
    ASSERT_EQ(events.size(), 1U);
    EXPECT_EQ(events[0].properties.at(4).name, u"mail_flags");
    EXPECT_EQ(events[0].properties.at(4).value, standin::StoredValue(std::uint32_t{2}));
    const std::u16string content = TextOf(events[0], u"content");
    // The embedded chart is not named.
    EXPECT_EQ(content, u"The report and the chart are attached.\r\n\r\n\n[report.pdf]");
}

// Receives each of its messages on a thread of its own, in the apartment given.
struct ReceivingThread {
    PluginLibrary::SpamScoreExport export_;
    const std::vector<std::string>* messages;
    DWORD apartment;

    static DWORD WINAPI Run(void* self) {
        auto& thread = *static_cast<ReceivingThread*>(self);
        CoInitializeEx(nullptr, thread.apartment);
        for (const std::string& text : *thread.messages) {
            HostMessage message(text);
            thread.export_(&message, &standin::HostMessageCallback);
        }
        CoUninitialize();
        return 0;
    }
};

// Receives each thread's mail on a host thread of its own, half of them in the multithreaded
// apartment and half in single-threaded ones, all at once.
void ReceiveOnThreads(PluginLibrary::SpamScoreExport receive,
                      const std::vector<std::vector<std::string>>& mail) {
    std::vector<ReceivingThread> bodies;
    bodies.reserve(mail.size());
    for (std::size_t t = 0; t < mail.size(); ++t) {
        bodies.push_back(
            {receive, &mail[t],
             t % 2 == 0 ? DWORD{COINIT_MULTITHREADED} : DWORD{COINIT_APARTMENTTHREADED}});
    }
    std::vector<HANDLE> threads;
    threads.reserve(bodies.size());
    for (ReceivingThread& body : bodies) {
        threads.push_back(CreateThread(nullptr, 0, &ReceivingThread::Run, &body, 0, nullptr));
    }
    WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, 120000);
    for (HANDLE thread : threads) CloseHandle(thread);
}

TEST_F(IncomingMail, ThreadsReceivingAtOnceGiveTheEventsOfOneAtATime) {
    InstallAccounts({{"Work", "anna@work.example"}, {"Home", "anna@home.example"}});
    Start();
    constexpr int kThreads = 4;
    const auto mail = testing::MailPerThread(kThreads, 10);
    for (const auto& messages : mail) {
        for (const std::string& text : messages) Receive(text);
    }
    const auto oneAtATime = testing::EventsWithoutTimes(journal.Events());
    journal.Clear();

    // Host threads in either kind of apartment, each reaching the factory made on this one.
    ReceiveOnThreads(library.GetSpamScore, mail);
    EXPECT_EQ(journal.Events().size(), 40U);
    EXPECT_EQ(testing::EventsWithoutTimes(journal.Events()), oneAtATime);
    EXPECT_EQ(journal.LiveObjects(), 1);
}

TEST_F(IncomingMail, AFactoryThatCannotBeMarshaledServesEveryThread) {
    InstallAccounts({{"Work", "anna@work.example"}, {"Home", "anna@home.example"}});
    indexer.MakeMarshalable(false);
    Start();
    const auto mail = testing::MailPerThread(4, 5);
    for (const std::string& text : mail[0]) Receive(text);
    ReceiveOnThreads(library.GetSpamScore, mail);
    EXPECT_EQ(journal.Events().size(), 25U);
    library.Finalize();
    EXPECT_EQ(journal.LiveObjects(), 0);
}

}  // namespace
}  // namespace ombrel::wine
