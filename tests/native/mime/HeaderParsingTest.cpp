#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <thread>

#include "common/Exceptions.h"
#include "indexing/StopCheck.h"
#include "platform/Threads.h"
#include "tests/native/mime/ParserTest.h"

namespace ombrel {
namespace {

using HeaderParsingTest = testing::ParserTest;

TEST_F(HeaderParsingTest, OneBlankAfterTheColonIsNoPartOfTheValue) {
    EXPECT_EQ(Parse("Subject:no blank\r\n\r\n").subject.Std(), u"no blank");
    EXPECT_EQ(Parse("Subject: one blank\r\n\r\n").subject.Std(), u"one blank");
    EXPECT_EQ(Parse("Subject:  two blanks\r\n\r\n").subject.Std(), u" two blanks");
    EXPECT_EQ(Parse("Subject:\ttab\r\n\r\n").subject.Std(), u"tab");
    EXPECT_EQ(Parse("From me: value\r\n\r\n").from.Std(), u"");
    EXPECT_EQ(Parse("Subject\r\n\r\n").subject.Std(), u"");
    EXPECT_EQ(Parse("Subject:\r\n\r\n").subject.Std(), u"");
}

TEST_F(HeaderParsingTest, NamesMatchWholeWithoutRegardToCase) {
    for (const char* name : {"Subject", "subject", "SUBJECT"}) {
        EXPECT_EQ(Parse(std::string(name) + ": s\r\n\r\n").subject.Std(), u"s") << name;
    }
    EXPECT_EQ(Parse("Subjects: s\r\nX-Subject: t\r\n\r\n").subject.Std(), u"");
    const ParsedMessage& m = Parse(
        "from: f\r\nTO: t\r\nreply-to: r\r\ncc: c\r\nBcc: b\r\nCONTENT-ID: <i>\r\n"
        "content-location: l\r\ncontent-transfer-encoding: 8bit\r\n\r\n");
    EXPECT_EQ(m.from.Std(), u"f");
    EXPECT_EQ(m.to.Std(), u"t");
    EXPECT_EQ(m.replyTo.Std(), u"r");
    EXPECT_EQ(m.cc.Std(), u"c");
    EXPECT_EQ(m.bcc.Std(), u"b");
    EXPECT_EQ(m.content.contentId.Std(), u"<i>");
    EXPECT_EQ(m.content.contentLocation.Std(), u"l");
    EXPECT_EQ(m.content.transferEncoding.Std(), u"8bit");
}

TEST_F(HeaderParsingTest, TheLastOccurrenceWins) {
    const ParsedMessage& m =
        Parse("To: first\r\nTo: second\r\nContent-Id: a\r\nContent-Id: b\r\n\r\n");
    EXPECT_EQ(m.to.Std(), u"second");
    EXPECT_EQ(m.content.contentId.Std(), u"b");
}

TEST_F(HeaderParsingTest, FoldedHeadersAreUnfoldedKeepingTheBlank) {
    EXPECT_EQ(Parse("Subject: first\r\n second\r\n\tthird\r\n\r\n").subject.Std(),
              u"first second\tthird");
}

TEST_F(HeaderParsingTest, ValuesAreKeptAsWrittenBeyondTheOneBlank) {
    const ParsedMessage& m = Parse("Content-Transfer-Encoding: base64 \r\nSubject: x  \r\n\r\n");
    EXPECT_EQ(m.content.transferEncoding.Std(), u"base64 ");
    EXPECT_EQ(m.subject.Std(), u"x  ");
}

TEST_F(HeaderParsingTest, BareLfAndBareCrEndLinesWithoutLosingAByte) {
    const ParsedMessage& lf = Parse("Subject: hello\nTo: you\n\nbody\n");
    EXPECT_EQ(lf.subject.Std(), u"hello");
    EXPECT_EQ(lf.to.Std(), u"you");
    EXPECT_EQ(Body(lf), "body\n");
    const ParsedMessage& cr = Parse("Subject: hello\rTo: you\r\rbody");
    EXPECT_EQ(cr.subject.Std(), u"hello");
    EXPECT_EQ(cr.to.Std(), u"you");
    EXPECT_EQ(Body(cr), "body");
    EXPECT_EQ(Parse("Subject: a\n b\n\n").subject.Std(), u"a b");
}

TEST_F(HeaderParsingTest, AnUnterminatedLastHeaderIsNotReadAndStartsTheBody) {
    const ParsedMessage& m = Parse("Subject: a\r\nTo: b");
    EXPECT_EQ(m.subject.Std(), u"a");
    EXPECT_EQ(m.to.Std(), u"");
    EXPECT_EQ(Body(m), "To: b");
    const ParsedMessage& folded = Parse("Subject: a\r\n continued");
    EXPECT_EQ(folded.subject.Std(), u"");
    EXPECT_EQ(Body(folded), "Subject: a\r\n continued");
}

TEST_F(HeaderParsingTest, ALineOfDashesOrOfTextEndsTheHeaderBlock) {
    const ParsedMessage& dashes =
        Parse("Subject: kept\r\n: empty name\r\n--To: dashes\r\nTo: body\r\n\r\nbody");
    EXPECT_EQ(dashes.subject.Std(), u"kept");
    EXPECT_EQ(dashes.to.Std(), u"");
    EXPECT_EQ(Body(dashes), "--To: dashes\r\nTo: body\r\n\r\nbody");
    const ParsedMessage& text = Parse("Subject: kept\r\nnot a header\r\nTo: body\r\n\r\nbody");
    EXPECT_EQ(text.subject.Std(), u"kept");
    EXPECT_EQ(text.to.Std(), u"");
    EXPECT_EQ(Body(text), "not a header\r\nTo: body\r\n\r\nbody");
}

TEST_F(HeaderParsingTest, UnencodedHeadersAreTranslatedByThePartsOwnCharset) {
    // "Privet" in KOI8-R bytes.
    const ParsedMessage& m = Parse(
        "Subject: \xF0\xD2\xC9\xD7\xC5\xD4\r\nContent-Type: text/plain; charset=koi8-r\r\n\r\n",
        1251);
    EXPECT_EQ(m.subject.Std(), u"\u041F\u0440\u0438\u0432\u0435\u0442");
    const ParsedMessage& untranslated =
        Parse("Subject: \xF0\xD2\r\nContent-Type: text/plain\r\n\r\n", 1251);
    EXPECT_EQ(untranslated.subject.Std(), u"\u0440\u0422");
}

TEST_F(HeaderParsingTest, AChildTranslatesByItsOwnCharsetOnly) {
    const ParsedMessage& m = Parse(
        "Content-Type: multipart/mixed; charset=koi8-r; boundary=b\r\n\r\n"
        "--b\r\nSubject: \xC1\r\n\r\none\r\n"
        "--b\r\nContent-Type: text/plain; charset=koi8-r\r\nSubject: \xC1\r\n\r\ntwo\r\n--b--\r\n",
        1251);
    ASSERT_EQ(m.children.size(), 2U);
    EXPECT_EQ(Child(m, 0).subject.Std(), u"\u0411");  // 0xC1 read in Windows-1251
    EXPECT_EQ(Child(m, 1).subject.Std(), u"\u0430");  // KOI8-R small a
}

TEST_F(HeaderParsingTest, AZeroByteEndsADecodedValue) {
    const ParsedMessage& m = Parse(std::string("Subject: ab\0cd\r\nTo: t\r\n\r\n", 25));
    EXPECT_EQ(m.subject.Std(), u"ab");
    EXPECT_EQ(m.to.Std(), u"t");
}

TEST_F(HeaderParsingTest, ANullTextLeavesTheMessageUntouched) {
    message.subject = u"kept";
    message.parse(nullptr, 10);
    EXPECT_EQ(message.subject.Std(), u"kept");
}

TEST_F(HeaderParsingTest, ResetEmptiesEverythingButTheFlagAndTheKind) {
    Parse(
        "Subject: s\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n\r\nx\r\n--b--\r\n");
    message.statusFlag = true;
    ASSERT_EQ(message.children.size(), 1U);
    message.reset();
    EXPECT_TRUE(message.subject.IsEmpty());
    EXPECT_TRUE(message.content.type.IsEmpty());
    EXPECT_TRUE(message.content.boundary.IsEmpty());
    EXPECT_TRUE(message.terminator.IsEmpty());
    EXPECT_TRUE(message.children.empty());
    EXPECT_EQ(message.content.bodyBegin, nullptr);
    EXPECT_TRUE(message.statusFlag);
    EXPECT_EQ(message.kind, PartKind::Other);
}

// The fields of a parse tree, part by part, as one text.
void AppendTree(const ParsedMessage& part, std::u16string& text) {
    const ContentInfo& c = part.content;
    for (const WideString* field :
         {&part.subject, &part.to, &part.terminator, &c.type, &c.subtype, &c.charset,
          &c.transferEncoding, &c.boundary, &c.filename, &c.contentId, &c.contentLocation}) {
        text.append(field->View()).append(u"|");
    }
    text.append(c.Body().begin(), c.Body().end());
    text.append(1, static_cast<char16_t>(u'0' + static_cast<int>(part.kind)));
    for (const auto& child : part.children) {
        text.append(u"{");
        AppendTree(*child, text);
        text.append(u"}");
    }
}

std::u16string Tree(const ParsedMessage& part) {
    std::u16string text;
    AppendTree(part, text);
    return text;
}

TEST_F(HeaderParsingTest, AResetMessageReadsTheNextOneAsAFreshOneDoes) {
    // The parts of the first message are reused for the second, which lacks most of their fields.
    Parse(
        "Subject: first\r\nContent-Type: multipart/mixed; boundary=outer\r\n\r\n"
        "--outer\r\nContent-Type: text/plain; charset=koi8-r\r\n"
        "Content-Transfer-Encoding: base64\r\nContent-Id: <i>\r\n\r\nwg==\r\n"
        "--outer\r\nContent-Type: message/rfc822\r\n\r\nSubject: held\r\n\r\nheld body\r\n"
        "--outer\r\nContent-Type: application/pdf; name=a.pdf\r\n"
        "Content-Location: x\r\n\r\n%PDF\r\n--outer--\r\n");
    const std::string second =
        "To: t\r\nContent-Type: multipart/alternative; boundary=b\r\n\r\n--b\r\n\r\nplain\r\n"
        "--b\r\nContent-Type: text/html\r\n\r\n<p>x</p>\r\n--b\r\n\r\nthird\r\n--b--\r\n";
    ParsedMessage fresh;
    fresh.parse(second.data(), second.size());
    EXPECT_EQ(Tree(Parse(second)), Tree(fresh));
}

// The posix threads, with a callback at each check point of the running work: where the stop
// request is checked.
class CheckPoints final : public platform::Threads {
  public:
    CheckPoints(platform::Threads& threads, std::function<void()> atCheck)
        : threads_(threads), atCheck_(std::move(atCheck)) {
        platform::Ports ports = platform::CurrentPorts();
        ports.threads = this;
        scoped_.emplace(ports);
    }
    std::unique_ptr<platform::Event> CreateManualResetEvent() override {
        return threads_.CreateManualResetEvent();
    }
    std::unique_ptr<platform::Thread> StartThread(std::function<void()> body) override {
        return threads_.StartThread(std::move(body));
    }
    void PausePoint() override { atCheck_(); }

  private:
    platform::Threads& threads_;
    std::function<void()> atCheck_;
    std::optional<platform::ScopedPorts> scoped_;
};

TEST_F(HeaderParsingTest, AStopRequestAbandonsTheParseKeepingWhatWasRead) {
    const std::string text = "Subject: s\r\nTo: t\r\n\r\nbody\r\n";
    ASSERT_TRUE(CreateStopEvent());
    int checks = 0;
    const CheckPoints stopAtSecondHeader(posix.threads, [&] {
        if (++checks == 2) SignalStop();
    });
    ParsedMessage m;
    try {
        m.parse(text.data(), text.size());
        ADD_FAILURE() << "the parse went on";
    } catch (const CKVRFailException& stopped) {
        EXPECT_EQ(stopped.Code(), 0);
    }
    CloseStopEvent();
    EXPECT_EQ(checks, 2);
    EXPECT_TRUE(m.subject.IsEmpty());  // the headers are decoded after the header block
}

TEST_F(HeaderParsingTest, TheStopRequestIsCheckedAfterEveryLineAndPart) {
    int checks = 0;
    const CheckPoints counting(posix.threads, [&] { ++checks; });
    Parse("Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n\r\nx\r\n--b--\r\n");
    EXPECT_EQ(checks, 1 + 1 + 2 + 1 + 1);  // header, boundary line, two child lines, two ends
}

TEST_F(HeaderParsingTest, EachParseHasItsOwnCursor) {
    posix.codePages.SetAnsiCodePage(1252);
    const std::string outer = "Subject: outer\r\nTo: o\r\n\r\nouter body";
    const std::string inner =
        "Content-Type: multipart/alternative; boundary=i\r\n\r\n--i\r\nSubject: in\r\n\r\n"
        "inner\r\n--i--\r\n";
    ParsedMessage innerMessage;
    bool started = false;
    // After the outer parse's first header, another parse runs to its end.
    const CheckPoints interleaved(posix.threads, [&] {
        if (started) return;
        started = true;
        innerMessage.parse(inner.data(), inner.size());
    });
    ParsedMessage outerMessage;
    outerMessage.parse(outer.data(), outer.size());
    EXPECT_EQ(outerMessage.subject.Std(), u"outer");
    EXPECT_EQ(outerMessage.to.Std(), u"o");
    EXPECT_EQ(outerMessage.content.Body(), "outer body");
    ASSERT_EQ(innerMessage.children.size(), 1U);
    EXPECT_EQ(innerMessage.children[0]->subject.Std(), u"in");
    EXPECT_EQ(innerMessage.children[0]->content.Body(), "inner\r\n");
}

TEST_F(HeaderParsingTest, ParsesOnTwoThreadsDoNotMeet) {
    posix.codePages.SetAnsiCodePage(1252);
    const auto parseMany = [](const std::string& text, const std::u16string& subject) {
        for (int i = 0; i < 200; ++i) {
            ParsedMessage m;
            m.parse(text.data(), text.size());
            if (m.subject.Std() != subject || m.content.Body() != "body\r\n") return false;
        }
        return true;
    };
    bool first = false;
    bool second = false;
    std::thread one([&] { first = parseMany("Subject: one\r\n\r\nbody\r\n", u"one"); });
    std::thread two([&] { second = parseMany("X: y\r\nSubject: two\r\n\r\nbody\r\n", u"two"); });
    one.join();
    two.join();
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
}

}  // namespace
}  // namespace ombrel
