// Messages as mail clients and list servers write them, each parsed to its fields and content.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <thread>

#include "tests/native/mime/ParserTest.h"

namespace ombrel {
namespace {

using RealWorldMessagesTest = testing::ParserTest;

// The lines of a message, each ended by `lineEnd`.
std::string Lines(std::initializer_list<std::string_view> lines,
                  std::string_view lineEnd = "\r\n") {
    std::string text;
    for (const std::string_view line : lines) (text += line) += lineEnd;
    return text;
}

std::vector<const ParsedMessage*> Collect(const ParsedMessage& root, PartKind kind) {
    std::vector<const ParsedMessage*> list;
    collectParts(root, kind, list);
    return list;
}

const std::u16string kIvan = u"\u0418\u0432\u0430\u043D";  // "Ivan" in Cyrillic

// A Russian newsletter in KOI8-R: encoded headers, a quoted-printable plain part and a base64
// HTML part, read on a machine whose ANSI code page is Windows-1251.
std::string Koi8Newsletter() {
    return Lines({"Return-Path: <news@example.ru>",
                  "From: =?koi8-r?B?6dfBziDwxdTSz9c=?= <ivan@example.ru>",
                  "To: reader@example.com",
                  "Subject: =?KOI8-R?B?7s/Xz9PUySDOxcTFzMk=?=",
                  "Date: Mon, 1 Mar 2004 10:00:00 +0300",
                  "MIME-Version: 1.0",
                  "Content-Type: multipart/alternative;",
                  "\tboundary=\"----=_NextPart_000_0012_01C3FF7E.5A9E2D40\"",
                  "",
                  "This is a multi-part message in MIME format.",
                  "",
                  "------=_NextPart_000_0012_01C3FF7E.5A9E2D40",
                  "Content-Type: text/plain;",
                  "\tcharset=\"koi8-r\"",
                  "Content-Transfer-Encoding: quoted-printable",
                  "",
                  "=FA=C4=D2=C1=D7=D3=D4=D7=D5=CA=D4=C5, =E9=D7=C1=CE!",
                  "=E3=C5=CE=C1: 100 =D2=D5=C2.",
                  "",
                  "------=_NextPart_000_0012_01C3FF7E.5A9E2D40",
                  "Content-Type: text/html; charset=koi8-r",
                  "Content-Transfer-Encoding: base64",
                  "",
                  "PHA++sTSwdfT1NfVytTFLCA8Yj7p18HOPC9iPiE8L3A+",
                  "",
                  "------=_NextPart_000_0012_01C3FF7E.5A9E2D40--",
                  ""});
}

TEST_F(RealWorldMessagesTest, AKoi8NewsletterReadsInWindows1251) {
    const ParsedMessage& m = Parse(Koi8Newsletter(), 1251);
    EXPECT_EQ(m.subject.Std(),
              u"\u041D\u043E\u0432\u043E\u0441\u0442\u0438 "
              u"\u043D\u0435\u0434\u0435\u043B\u0438");
    EXPECT_EQ(m.from.Std(), kIvan + u" \u041F\u0435\u0442\u0440\u043E\u0432 <ivan@example.ru>");
    EXPECT_EQ(m.to.Std(), u"reader@example.com");
    ASSERT_EQ(m.children.size(), 2U);
    const auto plain = Collect(m, PartKind::PlainText);
    const auto html = Collect(m, PartKind::HtmlText);
    ASSERT_EQ(plain.size(), 1U);
    ASSERT_EQ(html.size(), 1U);
    EXPECT_EQ(Text(*plain[0]),
              u"\u0417\u0434\u0440\u0430\u0432\u0441\u0442\u0432\u0443\u0439"
              u"\u0442\u0435, " +
                  kIvan + u"!\r\n\u0426\u0435\u043D\u0430: 100 \u0440\u0443\u0431.\r\n\r\n");
    EXPECT_EQ(Text(*html[0]),
              u"<p>\u0417\u0434\u0440\u0430\u0432\u0441\u0442\u0432\u0443\u0439"
              u"\u0442\u0435, <b>" +
                  kIvan + u"</b>!</p>");
}

// A German and Japanese subject in UTF-8, its "ü" split between two folded words, read on a
// Western machine: every character comes through.
TEST_F(RealWorldMessagesTest, AUtf8SubjectSplitBetweenFoldedWordsComesOutWhole) {
    const ParsedMessage& m = Parse(
        Lines({"From: =?utf-8?Q?J=C3=BCrgen_M=C3=BCller?= <jm@example.de>",
               "Subject: =?UTF-8?B?R3LD?=", " =?UTF-8?B?vMOfZSBhdXMgTcO8bmNoZW4g4oCTIOaXpeacrA==?=",
               "Content-Type: text/plain; charset=UTF-8", "Content-Transfer-Encoding: 8bit", "",
               "Sch\xC3\xB6ne Gr\xC3\xBC\xC3\x9F\x65"}),
        1252);
    EXPECT_EQ(m.subject.Std(), u"Gr\u00FC\u00DFe aus M\u00FCnchen \u2013 \u65E5\u672C");
    EXPECT_EQ(m.from.Std(), u"J\u00FCrgen M\u00FCller <jm@example.de>");
    EXPECT_EQ(m.kind, PartKind::PlainText);
    EXPECT_EQ(Text(m), u"Sch\u00F6ne Gr\u00FC\u00DFe\r\n");
}

// An office client's message: related HTML with an inline logo, an alternative plain part, a PDF
// with an encoded file name and a binary attachment.
std::string OfficeMessage() {
    return Lines({"From: \"Accounts\" <accounts@example.com>",
                  "To: \"Client\" <client@example.com>, other@example.com",
                  "CC: boss@example.com",
                  "Subject: =?iso-8859-15?Q?Facture_=A4_100?=",
                  "Content-Type: multipart/mixed; boundary=\"mixed\"",
                  "",
                  "--mixed",
                  R"(Content-Type: multipart/related; boundary="related"; type="text/html")",
                  "",
                  "--related",
                  "Content-Type: multipart/alternative; boundary=\"alt\"",
                  "",
                  "--alt",
                  "Content-Type: text/plain; charset=\"iso-8859-1\"",
                  "Content-Transfer-Encoding: quoted-printable",
                  "",
                  "See the file report_2004.pdf =E0 100% =3D done.=",
                  "",
                  "--alt",
                  "Content-Type: text/html; charset=\"iso-8859-1\"",
                  "Content-Transfer-Encoding: quoted-printable",
                  "",
                  "<img src=3D\"cid:logo@x\"> report_2004",
                  "--alt--",
                  "",
                  "--related",
                  "Content-Type: image/gif",
                  "Content-ID: <logo@x>",
                  "Content-Transfer-Encoding: base64",
                  "",
                  "R0lGODlhAQABAAAAACw=",
                  "--related--",
                  "",
                  "--mixed",
                  "Content-Type: application/pdf; name=\"invoice.pdf\"",
                  "Content-Disposition: attachment;",
                  " filename=\"=?UTF-8?B?0KHRh9GR0YIg4oSWMS5wZGY=?=\"",
                  "Content-Transfer-Encoding: base64",
                  "",
                  "JVBERi0xLjQK",
                  "--mixed",
                  "Content-Type: application/octet-stream; name=\"data.bin\"",
                  "Content-Disposition: attachment; filename=\"data.bin\"",
                  "",
                  "\x01\x02\x03",
                  "--mixed--"});
}

TEST_F(RealWorldMessagesTest, AnOfficeMessageSortsItsPartsByKind) {
    const ParsedMessage& m = Parse(OfficeMessage(), 1252);
    EXPECT_EQ(m.subject.Std(), u"Facture \u20AC 100");
    EXPECT_EQ(m.to.Std(), u"\"Client\" <client@example.com>, other@example.com");
    EXPECT_EQ(m.cc.Std(), u"boss@example.com");
    const auto plain = Collect(m, PartKind::PlainText);
    const auto html = Collect(m, PartKind::HtmlText);
    const auto embedded = Collect(m, PartKind::EmbeddedBinary);
    const auto attachments = Collect(m, PartKind::Attachment);
    const auto binaries = Collect(m, PartKind::Binary);
    ASSERT_EQ(plain.size(), 1U);
    ASSERT_EQ(html.size(), 1U);
    ASSERT_EQ(embedded.size(), 1U);
    ASSERT_EQ(attachments.size(), 1U);
    ASSERT_EQ(binaries.size(), 1U);
    EXPECT_EQ(Text(*plain[0]), u"See the file report_2004.pdf \u00E0 100% = done.\r\n");
    EXPECT_EQ(Text(*html[0]), u"<img src=\"cid:logo@x\"> report_2004\r\n");
    EXPECT_EQ(embedded[0]->content.contentId.Std(), u"<logo@x>");
    EXPECT_EQ(attachments[0]->content.filename.Std(), u"\u0421\u0447\u0451\u0442 \u21161.pdf");
    EXPECT_EQ(binaries[0]->content.filename.Std(), u"data.bin");
    EXPECT_EQ(Body(*binaries[0]), "\x01\x02\x03\r\n");
}

// A message exported by a Unix mail program: bare LF line ends throughout.
TEST_F(RealWorldMessagesTest, AnExportWithBareLfLineEndsParsesLikeCrLf) {
    const std::string crlf = Koi8Newsletter();
    std::string lf;
    for (const char c : crlf) {
        if (c != '\r') lf.push_back(c);
    }
    const ParsedMessage& m = Parse(lf, 1251);
    ASSERT_EQ(m.children.size(), 2U);
    EXPECT_EQ(m.subject.Std(),
              u"\u041D\u043E\u0432\u043E\u0441\u0442\u0438 "
              u"\u043D\u0435\u0434\u0435\u043B\u0438");
    EXPECT_EQ(Text(Child(m, 0)),
              u"\u0417\u0434\u0440\u0430\u0432\u0441\u0442\u0432\u0443\u0439"
              u"\u0442\u0435, " +
                  kIvan + u"!\n\u0426\u0435\u043D\u0430: 100 \u0440\u0443\u0431.\n\n");
    EXPECT_EQ(Child(m, 1).kind, PartKind::HtmlText);
}

// A download cut off in the middle of its last part.
TEST_F(RealWorldMessagesTest, ATruncatedDownloadStillGivesItsText) {
    const std::string whole = Lines(
        {"Subject: cut", "Content-Type: multipart/mixed; boundary=b", "", "--b",
         "Content-Type: text/plain; charset=utf-8", "Content-Transfer-Encoding: base64", "",
         "0JTQvtCx0YDRi9C5INC00LXQvdGMIQ0K0KHRh9GR0YIg0LLQviDQstC70L7QttC10L3QuNC4Lg0K", "--b--"});
    const ParsedMessage& m = Parse(whole.substr(0, whole.find("--b--")), 1252);
    const auto plain = Collect(m, PartKind::PlainText);
    ASSERT_EQ(plain.size(), 1U);
    EXPECT_EQ(Text(*plain[0]),
              u"\u0414\u043E\u0431\u0440\u044B\u0439 \u0434\u0435\u043D\u044C!"
              u"\r\n\u0421\u0447\u0451\u0442 \u0432\u043E "
              u"\u0432\u043B\u043E\u0436\u0435\u043D\u0438\u0438.\r\n");
}

// A list digest whose entries have no "Content-Type", and a list footer without one.
TEST_F(RealWorldMessagesTest, ADigestAndAListFooterGetTheirDefaultTypes) {
    const ParsedMessage& digest =
        Parse(Lines({"Subject: list Digest, Vol 1, Issue 2",
                     "Content-Type: multipart/digest; boundary=\"===d\"", "", "--===d",
                     "From: a@example.com", "Subject: one", "", "First entry.", "", "--===d",
                     "From: b@example.com", "Subject: two", "", "Second entry.", "", "--===d--"}));
    ASSERT_EQ(digest.children.size(), 2U);
    EXPECT_EQ(Child(digest, 1).subject.Std(), u"two");
    EXPECT_EQ(Child(digest, 1).content.type.Std(), u"message");
    // Their headers came before the blank line, so each entry holds a message of text alone.
    const auto entries = Collect(digest, PartKind::PlainText);
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_EQ(Text(*entries[1]), u"Second entry.\r\n\r\n");

    const ParsedMessage& footer =
        Parse(Lines({"Subject: post", "Content-Type: multipart/mixed; boundary=f", "", "--f",
                     "Content-Type: text/html", "", "<p>post</p>", "--f", "",
                     "To unsubscribe, reply.", "--f--"}));
    const auto plain = Collect(footer, PartKind::PlainText);
    ASSERT_EQ(plain.size(), 1U);
    EXPECT_EQ(Text(*plain[0]), u"To unsubscribe, reply.\r\n");
}

// A message built to nest without end: the parse stays shallow and loses nothing before it.
TEST_F(RealWorldMessagesTest, ANestingBombParsesWithinTheLimit) {
    std::string text = "Subject: bomb\r\n";
    for (int level = 0; level < 100000; ++level) {
        text += "Content-Type: multipart/mixed; boundary=x\r\n\r\n--x\r\n";
    }
    const ParsedMessage& m = Parse(text);
    EXPECT_EQ(m.subject.Std(), u"bomb");
    int depth = 0;
    for (const ParsedMessage* part = &m; !part->children.empty(); part = part->children[0].get())
        ++depth;
    EXPECT_EQ(depth, 65);
}

// The incoming-mail hook and the indexing job parse at the same time.
TEST_F(RealWorldMessagesTest, TwoThreadsParseDifferentMessagesAtOnce) {
    posix.codePages.SetAnsiCodePage(1251);
    const std::string newsletter = Koi8Newsletter();
    const std::string office = OfficeMessage();
    const auto parseMany = [](const std::string& text, std::size_t children) {
        for (int i = 0; i < 100; ++i) {
            ParsedMessage m;
            m.parse(text.data(), text.size());
            if (m.children.size() != children) return false;
        }
        return true;
    };
    bool first = false;
    bool second = false;
    std::thread hook([&] { first = parseMany(newsletter, 2); });
    std::thread job([&] { second = parseMany(office, 3); });
    hook.join();
    job.join();
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
}

}  // namespace
}  // namespace ombrel
