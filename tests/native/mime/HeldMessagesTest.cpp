// Messages held in message parts: forwarded messages and the messages of a digest, read as
// messages of their own whose parts become children of the part that holds them.
#include <gtest/gtest.h>

#include <string>

#include "mime/BodyPhase.h"
#include "tests/native/mime/ParserTest.h"

namespace ombrel {
namespace {

using HeldMessagesTest = testing::ParserTest;

std::vector<std::u16string> Texts(const std::vector<const ParsedMessage*>& parts) {
    std::vector<std::u16string> texts;
    texts.reserve(parts.size());
    for (const ParsedMessage* part : parts) {
        WideString text;
        decodeBody(*part, text);
        texts.push_back(text.Std());
    }
    return texts;
}

// The decoded texts of the content candidates of a message.
struct Candidates {
    std::vector<std::u16string> html;
    std::vector<std::u16string> plain;
};

Candidates TextCandidates(const ParsedMessage& message) {
    std::vector<const ParsedMessage*> html;
    std::vector<const ParsedMessage*> plain;
    collectTextParts(message, html, plain);
    return {Texts(html), Texts(plain)};
}

const char* const kForward =
    "Subject: Fwd: Minutes\r\n"
    "Content-Type: multipart/mixed; boundary=outer\r\n\r\n"
    "--outer\r\nContent-Type: text/plain\r\n\r\nSee below.\r\n"
    "--outer\r\nContent-Type: message/rfc822\r\n\r\n"
    "From: Bob <bob@example.org>\r\nSubject: Minutes\r\n"
    "Content-Type: multipart/mixed; boundary=inner\r\n\r\n"
    "--inner\r\nContent-Type: text/plain\r\n\r\nThe minutes.\r\n"
    "--inner\r\nContent-Type: application/pdf; name=inner.pdf\r\n\r\n%PDF\r\n"
    "--inner--\r\n"
    "--outer\r\nContent-Type: application/pdf; name=outer.pdf\r\n\r\n%PDF\r\n"
    "--outer--\r\n";

TEST_F(HeldMessagesTest, AForwardedMessageIsAChildOfItsPartAndEndsAtTheOuterDelimiter) {
    const ParsedMessage& m = Parse(kForward);
    ASSERT_EQ(m.children.size(), 3U);
    const ParsedMessage& holder = Child(m, 1);
    EXPECT_EQ(holder.kind, PartKind::Other);
    ASSERT_EQ(holder.children.size(), 1U);
    const ParsedMessage& held = Child(holder, 0);
    EXPECT_EQ(held.subject.Std(), u"Minutes");
    EXPECT_EQ(held.from.Std(), u"Bob <bob@example.org>");
    ASSERT_EQ(held.children.size(), 2U);
    EXPECT_EQ(Text(Child(held, 0)), u"The minutes.\r\n");
    EXPECT_EQ(Child(m, 2).content.filename.Std(), u"outer.pdf");
}

TEST_F(HeldMessagesTest, TheOuterMessagesPartsComeBeforeThoseOfTheMessagesItHolds) {
    const ParsedMessage& m = Parse(kForward);
    std::vector<const ParsedMessage*> plain;
    collectParts(m, PartKind::PlainText, plain);
    EXPECT_EQ(Texts(plain), (std::vector<std::u16string>{u"See below.\r\n", u"The minutes.\r\n"}));
    EXPECT_EQ(Names(m, PartKind::Attachment),
              (std::vector<std::u16string>{u"outer.pdf", u"inner.pdf"}));
}

TEST_F(HeldMessagesTest, AHeldMessageEndingAtTheCloseDelimiterEndsItsPart) {
    const ParsedMessage& m = Parse(
        "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
        "--b\r\nContent-Type: message/rfc822\r\n\r\nSubject: Inner\r\n\r\nForwarded text\r\n"
        "--b--\r\nEpilogue\r\n");
    ASSERT_EQ(m.children.size(), 1U);
    EXPECT_TRUE(Child(m, 0).terminator.IsEmpty());
    EXPECT_EQ(Body(Child(m, 0)), "Subject: Inner\r\n\r\nForwarded text\r\n");
    EXPECT_EQ(Text(Child(Child(m, 0), 0)), u"Forwarded text\r\n");
    EXPECT_EQ(Body(m),
              "--b\r\nContent-Type: message/rfc822\r\n\r\nSubject: Inner\r\n\r\n"
              "Forwarded text\r\n--b--\r\nEpilogue\r\n");
}

TEST_F(HeldMessagesTest, AForwardedMessageInsideAForwardedMessageGivesItsText) {
    const ParsedMessage& m = Parse(
        "Subject: Fwd: Fwd: Plan\r\nContent-Type: message/rfc822\r\n\r\n"
        "Subject: Fwd: Plan\r\nContent-Type: message/rfc822\r\n\r\n"
        "Subject: Plan\r\nContent-Type: text/plain; charset=utf-8\r\n\r\nThe pl\xC3\xA0n");
    const Candidates candidates = TextCandidates(m);
    EXPECT_TRUE(candidates.html.empty());
    EXPECT_EQ(candidates.plain, std::vector<std::u16string>{u"The pl\u00E0n"});
    EXPECT_EQ(Child(Child(m, 0), 0).subject.Std(), u"Plan");
}

TEST_F(HeldMessagesTest, TheThreeMessagesOfADigestAreReadInOrder) {
    const ParsedMessage& m = Parse(
        "Subject: Digest 12\r\nContent-Type: multipart/digest; boundary=d\r\n\r\n"
        "--d\r\n\r\nSubject: One\r\n\r\nFirst\r\n"
        "--d\r\n\r\nSubject: Two\r\nContent-Type: text/html\r\n\r\n<p>Second</p>\r\n"
        "--d\r\n\r\nSubject: Three\r\n\r\nThird\r\n"
        "--d--\r\n");
    ASSERT_EQ(m.children.size(), 3U);
    std::vector<std::u16string> subjects;
    for (const auto& part : m.children) {
        EXPECT_TRUE(IsMessagePart(part->content));
        ASSERT_EQ(part->children.size(), 1U);
        subjects.push_back(part->children[0]->subject.Std());
    }
    EXPECT_EQ(subjects, (std::vector<std::u16string>{u"One", u"Two", u"Three"}));
    // The content is chosen from the first message that has text.
    const Candidates candidates = TextCandidates(m);
    EXPECT_EQ(candidates.plain, std::vector<std::u16string>{u"First\r\n"});
    EXPECT_TRUE(candidates.html.empty());
    EXPECT_EQ(Names(m, PartKind::PlainText).size(), 2U);
}

TEST_F(HeldMessagesTest, AnOuterHtmlTextGoesBeforeAForwardedPlainText) {
    const ParsedMessage& m = Parse(
        "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
        "--b\r\nContent-Type: text/html\r\n\r\n<p>Mine</p>\r\n"
        "--b\r\nContent-Type: message/rfc822\r\n\r\nSubject: Theirs\r\n\r\nTheirs\r\n--b--\r\n");
    const Candidates candidates = TextCandidates(m);
    EXPECT_EQ(candidates.html, std::vector<std::u16string>{u"<p>Mine</p>\r\n"});
    EXPECT_TRUE(candidates.plain.empty());
}

int HeldDepth(const ParsedMessage& part) {
    return part.children.empty() ? 0 : 1 + HeldDepth(*part.children[0]);
}

TEST_F(HeldMessagesTest, HeldMessagesNestOnlyUpToTheLimit) {
    std::string text;
    for (int level = 0; level < kMaxHeldMessages + 4; ++level) {
        text += "Content-Type: message/rfc822\r\n\r\n";
    }
    text += "Subject: deep\r\n\r\ndeep text";
    const ParsedMessage& m = Parse(text);
    EXPECT_EQ(HeldDepth(m), kMaxHeldMessages);
    const ParsedMessage* part = &m;
    while (!part->children.empty()) part = part->children[0].get();
    EXPECT_EQ(part->kind, PartKind::Other);
    EXPECT_NE(Body(*part).find("deep text"), std::string::npos);
    EXPECT_TRUE(TextCandidates(m).plain.empty());
}

TEST_F(HeldMessagesTest, AnEncodedMessagePartIsNotReadAsAMessage) {
    const ParsedMessage& m = Parse(
        "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
        "--b\r\nContent-Type: message/rfc822\r\nContent-Transfer-Encoding: base64\r\n\r\n"
        "U3ViamVjdDogeA0KDQpib2R5\r\n--b\r\nContent-Type: text/plain\r\n\r\nAfter\r\n--b--\r\n");
    ASSERT_EQ(m.children.size(), 2U);
    EXPECT_TRUE(Child(m, 0).children.empty());
    EXPECT_EQ(Text(Child(m, 1)), u"After\r\n");
}

}  // namespace
}  // namespace ombrel
