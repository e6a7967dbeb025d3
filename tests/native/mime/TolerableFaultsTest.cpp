// Faults that real mail carries and that mature readers tolerate: each message keeps its text.
#include <gtest/gtest.h>

#include <string>

#include "tests/native/mime/ParserTest.h"

namespace ombrel {
namespace {

using TolerableFaultsTest = testing::ParserTest;

TEST_F(TolerableFaultsTest, EightBitHeadersWithoutACharsetAreReadAsUtf8WhereTheyAreUtf8) {
    const char* const kParts =
        "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
        "--b\r\nContent-Type: application/msword\r\n"
        "Content-Disposition: attachment; filename=\"\xe7\xae\xa1\xe7\x90\x86.doc\"\r\n\r\nx\r\n"
        "--b\r\nContent-Type: application/pdf\r\n"
        "Content-Disposition: attachment; filename=\"R\xe9sum\xe9.pdf\"\r\n\r\nx\r\n"
        "--b--\r\n";
    for (const std::string charset : {"", "; charset=us-ascii", "; charset=utf-16"}) {
        const ParsedMessage& m =
            Parse("Subject: S\xc3\xa4ying Hello\r\nFrom: J\xf6rg <j@example.org>\r\n" +
                  std::string("Content-Type: text/plain") + charset + "\r\n\r\nBody\r\n");
        EXPECT_EQ(m.subject.Std(), u"S\u00e4ying Hello") << charset;
        EXPECT_EQ(m.from.Std(), u"J\u00f6rg <j@example.org>") << charset;  // not UTF-8: ANSI
    }
    // A declared charset holds, even where the bytes would read as UTF-8.
    EXPECT_EQ(
        Parse("Subject: S\xc3\xa4ying\r\nContent-Type: text/plain; charset=iso-8859-1\r\n\r\n")
            .subject.Std(),
        u"S\u00c3\u00a4ying");
    EXPECT_EQ(Names(Parse(kParts), PartKind::Attachment),
              (std::vector<std::u16string>{u"\u7ba1\u7406.doc", u"R\u00e9sum\u00e9.pdf"}));
}

TEST_F(TolerableFaultsTest, OnlyAMultipartPartSplitsItsBodyOnABoundary) {
    const std::string kBody = "first\r\n--b\r\nsecond\r\n--b--\r\nthird\r\n";
    const ParsedMessage& single = Parse("Content-Type: text/plain; boundary=b\r\n\r\n" + kBody);
    EXPECT_EQ(single.kind, PartKind::PlainText);
    EXPECT_EQ(Text(single), u"first\r\n--b\r\nsecond\r\n--b--\r\nthird\r\n");

    // Of two "Content-Type" headers the last is in force; its type decides, whatever boundary
    // the first one gave.
    const ParsedMessage& twice = Parse(
        "Content-Type: multipart/mixed; boundary=b\r\nContent-Type: text/plain\r\n\r\n" + kBody);
    EXPECT_TRUE(twice.children.empty());
    EXPECT_EQ(Text(twice), u"first\r\n--b\r\nsecond\r\n--b--\r\nthird\r\n");

    // A text part with a boundary parameter of its own runs to its parent's delimiter.
    const ParsedMessage& nested = Parse(
        "Content-Type: multipart/mixed; boundary=outer\r\n\r\n--outer\r\n"
        "Content-Type: text/plain; boundary=b\r\n\r\n" +
        kBody + "--outer--\r\n");
    ASSERT_EQ(nested.children.size(), 1U);
    EXPECT_EQ(Text(Child(nested, 0)), u"first\r\n--b\r\nsecond\r\n--b--\r\nthird\r\n");
    EXPECT_TRUE(Child(nested, 0).terminator.IsEmpty());
}

TEST_F(TolerableFaultsTest, TheHeaderBlockEndsAtTheFirstLineThatIsNoHeader) {
    const ParsedMessage& bare = Parse("Hello there,\r\nsee you: soon\r\n");
    EXPECT_EQ(bare.kind, PartKind::PlainText);
    EXPECT_EQ(Text(bare), u"Hello there,\r\nsee you: soon\r\n");

    const ParsedMessage& noBlank = Parse(
        "Subject: Hi\r\nFrom bob Mon Jan  1 00:00:00 2024\r\n"
        "To: a@example.org\r\nThe text.\r\nTo: b@example.org\r\n");
    EXPECT_EQ(noBlank.subject.Std(), u"Hi");
    EXPECT_EQ(noBlank.to.Std(), u"a@example.org");
    EXPECT_EQ(Text(noBlank), u"The text.\r\nTo: b@example.org\r\n");

    // A line of blanks ends the block, unless a continuation line follows it.
    const ParsedMessage& blanks = Parse("Subject: Hi\r\n \t \r\nBody\r\n");
    EXPECT_EQ(blanks.subject.Std(), u"Hi");
    EXPECT_EQ(Text(blanks), u"Body\r\n");
    const ParsedMessage& folded = Parse("Subject: Re:\r\n \r\n\tTEST\r\n\r\nBody\r\n");
    EXPECT_EQ(folded.subject.Std(), u"Re: \tTEST");
    EXPECT_EQ(Text(folded), u"Body\r\n");
    const ParsedMessage& more = Parse("Subject: Hi\r\n \r\nTo: a@example.org\r\n\r\nBody\r\n");
    EXPECT_EQ(more.to.Std(), u"a@example.org");
    EXPECT_EQ(Text(more), u"Body\r\n");

    // The message's header block and a part's both miss their empty line before a delimiter.
    const ParsedMessage& parts = Parse(
        "Subject: Parts\r\nContent-Type: multipart/mixed; boundary=b\r\n"
        "--b\r\nContent-Type: text/plain\r\n"
        "--b\r\nContent-Type: text/html\r\n\r\n<p>text</p>\r\n--b--\r\n");
    EXPECT_EQ(parts.content.type.Std(), u"multipart");
    ASSERT_EQ(parts.children.size(), 2U);
    EXPECT_EQ(Child(parts, 0).kind, PartKind::PlainText);
    EXPECT_EQ(Text(Child(parts, 0)), u"");
    EXPECT_EQ(Text(Child(parts, 1)), u"<p>text</p>\r\n");
}

TEST_F(TolerableFaultsTest, DelimitersWithTransportPaddingAreDelimiters) {
    const ParsedMessage& m = Parse(
        "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
        "--b \t\r\nContent-Type: text/plain\r\n\r\ntext\r\n"
        "--b\t\r\nContent-Type: image/png\r\n\r\nPNG\r\n"
        "--b--  \r\n");
    ASSERT_EQ(m.children.size(), 2U);
    EXPECT_EQ(Text(Child(m, 0)), u"text\r\n");
    EXPECT_EQ(Child(m, 1).kind, PartKind::Binary);
    EXPECT_EQ(Body(Child(m, 1)), "PNG\r\n");
    EXPECT_TRUE(Child(m, 1).terminator.IsEmpty());
}

TEST_F(TolerableFaultsTest, ACloseDelimiterOnTheLastLineClosesTheMultipart) {
    const std::string kMessage =
        "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
        "--b\r\nContent-Type: text/plain\r\nContent-Transfer-Encoding: base64\r\n\r\n"
        "SGVsbG8=\r\n--b--";
    for (const std::string& ending : {std::string(), std::string(" "), std::string(1, '\0')}) {
        const ParsedMessage& m = Parse(kMessage + ending);
        ASSERT_EQ(m.children.size(), 1U);
        EXPECT_EQ(Body(Child(m, 0)), "SGVsbG8=\r\n");
        EXPECT_EQ(Text(Child(m, 0)), u"Hello");
        EXPECT_TRUE(Child(m, 0).terminator.IsEmpty());
    }
    // A last line that is no delimiter stays text.
    const ParsedMessage& open =
        Parse("Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n\r\ntext\r\n--c--");
    ASSERT_EQ(open.children.size(), 1U);
    EXPECT_EQ(Text(Child(open, 0)), u"text\r\n--c--");
}

TEST_F(TolerableFaultsTest, AHeaderWithoutABlankAfterItsColonIsRead) {
    const ParsedMessage& m = Parse(
        "To:x@example.org\r\nSubject:  two blanks\r\nCC:\r\n"
        "Content-Type:multipart/mixed;boundary=b\r\n\r\n"
        "--b\r\nContent-Type:image/jpeg\r\nContent-Disposition:attachment;filename=a.jpg\r\n\r\n"
        "JPEG\r\n--b--\r\n");
    EXPECT_EQ(m.to.Std(), u"x@example.org");
    EXPECT_EQ(m.subject.Std(), u" two blanks");
    EXPECT_EQ(m.cc.Std(), u"");
    EXPECT_EQ(Names(m, PartKind::Binary), std::vector<std::u16string>{u"a.jpg"});
}

TEST_F(TolerableFaultsTest, ATypeWithoutItsSemicolonIsStillTheType) {
    const ParsedMessage& m = Parse(
        "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
        "--b\r\nContent-Type: application/pdf name=\"x.pdf\"\r\n\r\n%PDF\r\n"
        "--b\r\nContent-Type: application/zip\r\n"
        "Content-Disposition: attachment filename=\"a b.zip\"\r\n\r\nPK\r\n"
        "--b\r\nContent-Type: text/plain charset=koi8-r\r\n\r\n\xf4\xc5\xcb\xd3\xd4\r\n--b--\r\n",
        1251);
    ASSERT_EQ(m.children.size(), 3U);
    EXPECT_EQ(Child(m, 0).content.type.Std(), u"application");
    EXPECT_EQ(Child(m, 0).content.subtype.Std(), u"pdf");
    EXPECT_EQ(Names(m, PartKind::Attachment), (std::vector<std::u16string>{u"x.pdf", u"a b.zip"}));
    EXPECT_EQ(Text(Child(m, 2)), u"\u0422\u0435\u043a\u0441\u0442\r\n");
    // The blank may be a TAB of a folded line.
    const ParsedMessage& folded = Parse(
        "Content-Type: multipart/mixed\r\n\tboundary=\"b\"\r\n\r\n--b\r\n\r\ntext\r\n--b--\r\n");
    ASSERT_EQ(folded.children.size(), 1U);
    EXPECT_EQ(Text(Child(folded, 0)), u"text\r\n");
    // A value that begins with a parameter has no type.
    EXPECT_EQ(Parse("Content-Type: name = x\r\n\r\n").content.subtype.Std(), u"plain");
}

}  // namespace
}  // namespace ombrel
