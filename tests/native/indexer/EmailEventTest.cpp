#include "indexer/EmailEvent.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/Exceptions.h"
#include "host/PluginState.h"
#include "indexing/StopCheck.h"
#include "platform/IndexerIds.h"
#include "tests/support/NativeTestPlatform.h"

namespace ombrel {
namespace {

using standin::EventProperty;
using standin::ReceivedEvent;
using Names = std::vector<std::u16string>;
using ombrel::indexer::kComponentDisabled;
using ombrel::indexer::kIndexingPaused;
using ombrel::indexer::kServiceNotRunning;

constexpr SystemTime kReceived = {2024, 3, 2, 5, 14, 30, 15, 250};
constexpr const char16_t* kFolder = u"Anna\\Inbox";

class EmailEventTest : public testing::PluginTest {
  protected:
    EmailEventTest() {
        indexer.CreateEventFactory(State().eventFactory);
        journal.Clear();
        liveBefore_ = journal.LiveObjects();
    }
    ~EmailEventTest() override {
        EXPECT_EQ(journal.LiveObjects(), liveBefore_) << "an indexer object was not released";
        CloseStopEvent();
    }

    // The message of the text, which lives as long as the test.
    const ParsedMessage& Parse(std::string text) {
        texts_.push_back(std::make_unique<std::string>(std::move(text)));
        message.parse(texts_.back()->data(), texts_.back()->size());
        return message;
    }

    // A part of the given kind below `parent`, with a text body.
    ParsedMessage& AddPart(ParsedMessage& parent, PartKind kind, const char16_t* type,
                           std::string body = {}, const char16_t* filename = u"") {
        auto& part = *parent.children.emplace_back(std::make_unique<ParsedMessage>());
        part.kind = kind;
        part.content.type = type;
        part.content.charset = u"us-ascii";
        part.content.filename = filename;
        texts_.push_back(std::make_unique<std::string>(std::move(body)));
        part.content.bodyBegin = texts_.back()->data();
        part.content.bodyEnd = texts_.back()->data() + texts_.back()->size();
        return part;
    }

    HResult Submit(const WideString& folder = kFolder) {
        return SubmitEmailEvent(message, kReceived, folder);
    }

    // The one event the indexer received.
    ReceivedEvent Event() const {
        const std::vector<ReceivedEvent> events = journal.Events();
        EXPECT_EQ(events.size(), 1U);
        return events.empty() ? ReceivedEvent() : events.front();
    }

    Names PropertyNames() const {
        Names names;
        for (const EventProperty& property : Event().properties) names.push_back(property.name);
        return names;
    }

    // The text of the named property; "(absent)" without one.
    std::u16string TextOf(const std::u16string& name) const {
        for (const EventProperty& property : Event().properties) {
            if (property.name == name) return std::get<std::u16string>(property.value);
        }
        return u"(absent)";
    }

    std::uint32_t MailFlags() const {
        for (const EventProperty& property : Event().properties) {
            if (property.name == u"mail_flags") return std::get<std::uint32_t>(property.value);
        }
        ADD_FAILURE() << "no mail_flags";
        return 0xFFFFFFFF;
    }

    // The stop code of what the submission threw, or -1 when it returned.
    std::int32_t StopCodeOfSubmit() {
        try {
            Submit();
        } catch (const CKVRFailException& e) {
            return e.Code();
        }
        return -1;
    }

    ParsedMessage message;

  private:
    std::vector<std::unique_ptr<std::string>> texts_;
    int liveBefore_ = 0;
};

TEST_F(EmailEventTest, APlainMessageGivesTheFullSequenceInOrder) {
    Parse(
        "From: Anna Berg <anna@example.org>\r\nTo: bob@example.net\r\nSubject: Figures\r\n"
        "Content-Type: text/plain; charset=us-ascii\r\n\r\nHello Bob,\r\nthe figures.\r\n");
    EXPECT_EQ(Submit(), hr::kOk);

    const ReceivedEvent event = Event();
    EXPECT_EQ(event.componentId, u"{E6895E72-8741-44B3-900E-01ED98D1A6D3}");
    EXPECT_EQ(event.schema, u"Ombrel.Desktop.Email");
    EXPECT_EQ(event.submitFlags, 0x2001U);
    double days = 0;
    ASSERT_TRUE(posix.clock.ToVariantTime(kReceived, days));
    const std::vector<EventProperty> expected = {
        {u"received", 7, platform::VariantDate{days}},
        {u"subject", 8, std::u16string(u"Figures")},
        {u"from", 8, std::u16string(u"Anna Berg <anna@example.org>")},
        {u"to", 8, std::u16string(u"bob@example.net")},
        {u"mail_flags", 19, std::uint32_t{0}},
        {u"format", 8, std::u16string(u"text/plain")},
        {u"content", 8, std::u16string(u"Hello Bob,\r\nthe figures.\r\n\n")},
        {u"folder_name", 8, std::u16string(kFolder)},
    };
    ASSERT_EQ(event.properties.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(event.properties[i].name, expected[i].name);
        EXPECT_EQ(event.properties[i].variantType, expected[i].variantType) << i;
        EXPECT_EQ(event.properties[i].value, expected[i].value) << i;
    }
    EXPECT_EQ(journal.Methods(),
              (std::vector<std::string>{"MakeEvent", "PutProperty", "PutProperty", "PutProperty",
                                        "PutProperty", "PutProperty", "PutProperty", "PutProperty",
                                        "PutProperty", "Submit"}));
}

TEST_F(EmailEventTest, EveryHeaderTextIsSentAndEmptyOnesAreLeftOut) {
    message.subject = u"S";
    message.from = u"f@x";
    message.to = u"t@x";
    message.cc = u"c@x";
    message.bcc = u"b@x";
    message.replyTo = u"r@x";
    Submit();
    EXPECT_EQ(PropertyNames(), (Names{u"received", u"subject", u"from", u"to", u"cc", u"bcc",
                                      u"replyto", u"mail_flags", u"content", u"folder_name"}));
}

TEST_F(EmailEventTest, AnEmptyMessageInNoFolderStillHasItsTimeFlagsAndContent) {
    Submit(u"");
    EXPECT_EQ(PropertyNames(), (Names{u"received", u"mail_flags", u"content"}));
    EXPECT_EQ(TextOf(u"content"), u"\n");  // neither a text part nor attachments
}

TEST_F(EmailEventTest, ReplyToIsLeftOutOnlyWhenTheFromTextHoldsItExactly) {
    message.from = u"Anna Berg <anna@example.org>";
    const struct {
        const char16_t* replyTo;
        bool sent;
    } cases[] = {
        {u"anna@example.org", false},
        {u"Anna Berg <anna@example.org>", false},
        {u"desk@example.org", true},
        {u"Anna@Example.org", true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        journal.Clear();
        message.replyTo = cases[i].replyTo;
        Submit();
        EXPECT_EQ(TextOf(u"replyto") != u"(absent)", cases[i].sent) << "case " << i;
    }
}

// A multipart/alternative message: a plain and an HTML text.
class AlternativeTest : public EmailEventTest {
  protected:
    AlternativeTest() {
        message.kind = PartKind::Other;
        message.content.type = u"multipart";
        AddPart(message, PartKind::PlainText, u"text", "plain body");
        AddPart(message, PartKind::HtmlText, u"text", "<p>html body</p>");
    }
};

TEST_F(AlternativeTest, ThePlainTextIsIndexedUnlessHtmlIsPreferred) {
    Submit();
    EXPECT_EQ(TextOf(u"format"), u"text/plain");
    EXPECT_EQ(TextOf(u"content"), u"plain body\n");
    journal.Clear();

    State().activeConfig.preferHtml = 1;
    Submit();
    EXPECT_EQ(TextOf(u"format"), u"text/html");
    EXPECT_EQ(TextOf(u"content"), u"<p>html body</p>\n");
}

TEST_F(AlternativeTest, APartWithoutTextGivesWayToTheOtherKind) {
    State().activeConfig.preferHtml = 1;
    ParsedMessage& html = *message.children.back();
    html.content.transferEncoding = u"quoted-printable";
    html.content.bodyBegin = html.content.bodyEnd = nullptr;  // no body range: does not decode
    Submit();
    EXPECT_EQ(TextOf(u"format"), u"text/plain");
    EXPECT_EQ(TextOf(u"content"), u"plain body\n");
    journal.Clear();

    // An empty or blank plain part, headers or none, hides no HTML text.
    State().activeConfig.preferHtml = 0;
    for (const char* plain : {"Content-Type: text/plain\r\n\r\n \r\n\t\r\n", "\r\n"}) {
        journal.Clear();
        message.reset();
        Parse(std::string("Content-Type: multipart/alternative; boundary=b\r\n\r\n--b\r\n") +
              plain + "--b\r\nContent-Type: text/html\r\n\r\n<p>text</p>\r\n--b--\r\n");
        Submit();
        EXPECT_EQ(TextOf(u"format"), u"text/html") << plain;
        EXPECT_EQ(TextOf(u"content"), u"<p>text</p>\r\n\n") << plain;
    }
}

TEST_F(AlternativeTest, WithoutTextAnywhereTheFirstCandidateThatDecodesIsTaken) {
    for (auto& part : message.children) part->content.bodyEnd = part->content.bodyBegin;
    Submit();
    EXPECT_EQ(TextOf(u"format"), u"text/plain");
    EXPECT_EQ(TextOf(u"content"), u"\n");
}

TEST_F(EmailEventTest, TheFirstHtmlPartThatDecodesIsTaken) {
    State().activeConfig.preferHtml = 1;
    ParsedMessage& broken = AddPart(message, PartKind::HtmlText, u"text", "x");
    broken.content.transferEncoding = u"quoted-printable";
    broken.content.bodyBegin = broken.content.bodyEnd = nullptr;
    AddPart(message, PartKind::HtmlText, u"text", "<b>second</b>");
    Submit();
    EXPECT_EQ(TextOf(u"format"), u"text/html");
    EXPECT_EQ(TextOf(u"content"), u"<b>second</b>\n");
}

TEST_F(EmailEventTest, AnHtmlOnlyMessageIsHtmlWhetherPreferredOrNot) {
    Parse("Subject: News\r\nContent-Type: text/html; charset=utf-8\r\n\r\n<h1>News</h1>");
    for (const std::uint8_t preferHtml : {0, 1}) {
        journal.Clear();
        State().activeConfig.preferHtml = preferHtml;
        Submit();
        EXPECT_EQ(TextOf(u"format"), u"text/html");
        EXPECT_EQ(TextOf(u"content"), u"<h1>News</h1>\n");
    }
}

TEST_F(EmailEventTest, AMessageWhoseOnlyTextIsForwardedGetsThatTextAndItsAttachments) {
    Parse(
        "Subject: Fwd: Report\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n"
        "--b\r\nContent-Type: message/rfc822\r\n\r\n"
        "Subject: Report\r\nContent-Type: multipart/mixed; boundary=c\r\n\r\n"
        "--c\r\nContent-Type: text/html\r\n\r\n<p>Figures</p>\r\n"
        "--c\r\nContent-Type: application/pdf; name*=utf-8''r%C3%A9sum%C3%A9.pdf\r\n\r\nx\r\n"
        "--c--\r\n--b--\r\n");
    Submit();
    EXPECT_EQ(TextOf(u"subject"), u"Fwd: Report");
    EXPECT_EQ(TextOf(u"format"), u"text/html");
    EXPECT_EQ(TextOf(u"content"), u"<p>Figures</p>\r\n\n[r\u00E9sum\u00E9.pdf]");
    EXPECT_EQ(MailFlags(), 2U);
}

TEST_F(EmailEventTest, BinaryPartsAreNamedBeforeAttachmentsAndEmbeddedOnesNotAtAll) {
    AddPart(message, PartKind::PlainText, u"text", "Hello");
    AddPart(message, PartKind::Attachment, u"application", "%PDF", u"a.pdf");
    AddPart(message, PartKind::EmbeddedBinary, u"image", "GIF89a", u"logo.gif").content.contentId =
        u"<logo>";
    AddPart(message, PartKind::Binary, u"image", "PNG");
    Submit();
    EXPECT_EQ(MailFlags(), 2U);
    EXPECT_EQ(TextOf(u"content"), u"Hello\n[][a.pdf]");
}

TEST_F(EmailEventTest, AnEmbeddedImageAloneSetsNoAttachmentFlag) {
    AddPart(message, PartKind::PlainText, u"text", "See the logo");
    AddPart(message, PartKind::EmbeddedBinary, u"image", "GIF89a", u"logo.gif");
    Submit();
    EXPECT_EQ(MailFlags(), 0U);
    EXPECT_EQ(TextOf(u"content"), u"See the logo\n");
}

TEST_F(EmailEventTest, TheIndexStatusSetsTheLowFlag) {
    message.statusFlag = true;
    Submit();
    EXPECT_EQ(MailFlags(), 1U);
    journal.Clear();
    AddPart(message, PartKind::Attachment, u"application", "", u"x.zip");
    Submit();
    EXPECT_EQ(MailFlags(), 3U);
}

TEST_F(EmailEventTest, AnInvalidReceivedTimeIsSentAsZero) {
    SubmitEmailEvent(message, SystemTime{}, kFolder);
    const EventProperty received = Event().properties.at(0);
    EXPECT_EQ(received.name, u"received");
    EXPECT_EQ(received.variantType, 7);
    EXPECT_EQ(received.value, standin::StoredValue(platform::VariantDate{0.0}));
}

TEST_F(EmailEventTest, TheThreeRefusalsOfSubmitAreThrownAndOtherResultsReturned) {
    for (const HResult refusal : {kComponentDisabled, kServiceNotRunning, kIndexingPaused}) {
        journal.Script("Submit", refusal, 1);
        EXPECT_EQ(StopCodeOfSubmit(), refusal);
    }
    journal.Script("Submit", hr::kFail, 1);
    EXPECT_EQ(Submit(), hr::kFail);
    journal.Script("Submit", hr::kFalse, 1);
    EXPECT_EQ(Submit(), hr::kFalse);
    EXPECT_EQ(journal.Events().size(), 5U);  // every one was sent
}

TEST_F(EmailEventTest, AFailedMakeEventSendsNothing) {
    journal.Script("MakeEvent", hr::kOutOfMemory, 1);
    EXPECT_EQ(Submit(), hr::kOutOfMemory);
    journal.Script("MakeEvent", kServiceNotRunning, 1);
    EXPECT_EQ(StopCodeOfSubmit(), kServiceNotRunning);
    journal.Script("MakeEvent", kComponentDisabled, 1);
    EXPECT_EQ(StopCodeOfSubmit(), kComponentDisabled);
    EXPECT_EQ(journal.Methods(), (std::vector<std::string>{"MakeEvent", "MakeEvent", "MakeEvent"}));
}

// "Paused" is a success code: an event made with it is still sent, and the result of sending
// decides.
TEST_F(EmailEventTest, AnEventMadeWhilePausedIsSent) {
    journal.Script("MakeEvent", kIndexingPaused, 1);
    EXPECT_EQ(Submit(), hr::kOk);
    EXPECT_EQ(Event().submitFlags, 0x2001U);
}

TEST_F(EmailEventTest, PausedWithoutAnEventInterfaceIsThrown) {
    journal.SetOfferEventInterface(false);
    journal.Script("MakeEvent", kIndexingPaused, 1);
    EXPECT_EQ(StopCodeOfSubmit(), kIndexingPaused);
    EXPECT_EQ(journal.Methods(), (std::vector<std::string>{"MakeEvent"}));
}

TEST_F(EmailEventTest, AnObjectWithoutTheEventInterfaceIsNotSent) {
    journal.SetOfferEventInterface(false);
    journal.Script("MakeEvent", hr::kFalse, 1);
    EXPECT_EQ(Submit(), hr::kFalse);
    EXPECT_EQ(journal.Methods(), (std::vector<std::string>{"MakeEvent"}));
}

TEST_F(EmailEventTest, FailedPropertiesStillLetTheEventBeSent) {
    journal.Script("PutProperty", hr::kInvalidArg);
    message.subject = u"S";
    EXPECT_EQ(Submit(), hr::kOk);
    EXPECT_EQ(Event().submitFlags, 0x2001U);
}

TEST_F(EmailEventTest, AStopBeforehandMakesNothing) {
    ASSERT_TRUE(CreateStopEvent());
    SignalStop();
    EXPECT_EQ(StopCodeOfSubmit(), 0);
    EXPECT_TRUE(journal.Calls().empty());
}

TEST_F(EmailEventTest, AStopWhileBuildingSendsTheEventThenThrows) {
    ASSERT_TRUE(CreateStopEvent());
    journal.OnEnter("PutProperty", [] { SignalStop(); });
    EXPECT_EQ(StopCodeOfSubmit(), 0);
    EXPECT_EQ(Event().submitFlags, 0x2001U);
}

TEST_F(EmailEventTest, ARefusalWinsOverAStopWhileBuilding) {
    ASSERT_TRUE(CreateStopEvent());
    journal.OnEnter("PutProperty", [] { SignalStop(); });
    journal.Script("Submit", kComponentDisabled, 1);
    EXPECT_EQ(StopCodeOfSubmit(), kComponentDisabled);
}

TEST_F(EmailEventTest, WithoutAnEventFactoryNothingIsMade) {
    State().eventFactory.reset();
    EXPECT_TRUE(Failed(Submit()));
    EXPECT_TRUE(journal.Calls().empty());
    indexer.CreateEventFactory(State().eventFactory);  // the count the fixture expects at its end
    journal.Clear();
}

}  // namespace
}  // namespace ombrel
