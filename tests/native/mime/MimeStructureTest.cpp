#include <gtest/gtest.h>

#include <string>

#include "tests/native/mime/ParserTest.h"

namespace ombrel {
namespace {

using MimeStructureTest = testing::ParserTest;

std::string Multipart(const std::string& subtype, const std::string& parts,
                      const std::string& boundary = "b") {
    return "Content-Type: multipart/" + subtype + "; boundary=\"" + boundary + "\"\r\n\r\n" + parts;
}

std::vector<const ParsedMessage*> Collect(const ParsedMessage& root, PartKind kind) {
    std::vector<const ParsedMessage*> list;
    collectParts(root, kind, list);
    return list;
}

TEST_F(MimeStructureTest, AMessageWithoutContentTypeIsPlainTextToTheEnd) {
    const ParsedMessage& m = Parse("Subject: s\r\n\r\nline one\r\nline two");
    EXPECT_EQ(m.content.type.Std(), u"text");
    EXPECT_EQ(m.content.subtype.Std(), u"plain");
    EXPECT_EQ(m.kind, PartKind::PlainText);
    EXPECT_EQ(Body(m), "line one\r\nline two");
    EXPECT_TRUE(m.terminator.IsEmpty());
    EXPECT_EQ(Collect(m, PartKind::PlainText), std::vector<const ParsedMessage*>{&m});
    // A root whose type token has no slash gets the default type as well.
    EXPECT_EQ(Parse("Content-Type: text\r\n\r\nx").kind, PartKind::PlainText);
    EXPECT_EQ(Parse("Content-Type: application/pdf\r\n\r\nx").kind, PartKind::Other);
}

TEST_F(MimeStructureTest, AlternativePartsBecomeChildrenOfTheirKinds) {
    const ParsedMessage& m = Parse(Multipart("alternative",
                                             "preamble\r\n--b\r\nContent-Type: text/plain\r\n\r\n"
                                             "plain\r\n--b\r\nContent-Type: text/html\r\n\r\n"
                                             "<p>html</p>\r\n--b--\r\nepilogue\r\n"));
    ASSERT_EQ(m.children.size(), 2U);
    EXPECT_EQ(m.kind, PartKind::Other);
    EXPECT_EQ(Child(m, 0).kind, PartKind::PlainText);
    EXPECT_EQ(Child(m, 1).kind, PartKind::HtmlText);
    EXPECT_EQ(Body(Child(m, 0)), "plain\r\n");  // with the line break before the delimiter
    EXPECT_EQ(Body(Child(m, 1)), "<p>html</p>\r\n");
    EXPECT_TRUE(Child(m, 1).terminator.IsEmpty());
    EXPECT_EQ(Child(m, 0).terminator.Std(), u"--b--");
    EXPECT_EQ(Collect(m, PartKind::HtmlText), std::vector<const ParsedMessage*>{&Child(m, 1)});
}

TEST_F(MimeStructureTest, ANestedMultipartPartEndsAtItsParentsDelimiter) {
    const ParsedMessage& m =
        Parse(Multipart("mixed",
                        "--b\r\nContent-Type: multipart/alternative; boundary=i\r\n\r\n"
                        "--i\r\nContent-Type: text/plain\r\n\r\nplain\r\n"
                        "--i\r\nContent-Type: text/html\r\n\r\nhtml\r\n--i--\r\n"
                        "--b\r\nContent-Type: image/png\r\n\r\npng\r\n--b--\r\n"));
    ASSERT_EQ(m.children.size(), 2U);
    const ParsedMessage& nested = Child(m, 0);
    ASSERT_EQ(nested.children.size(), 2U);
    EXPECT_EQ(Body(Child(nested, 1)), "html\r\n");
    EXPECT_EQ(Child(m, 1).kind, PartKind::Binary);
    EXPECT_EQ(Body(Child(m, 1)), "png\r\n");
    const std::vector<const ParsedMessage*> plain = Collect(m, PartKind::PlainText);
    EXPECT_EQ(plain, std::vector<const ParsedMessage*>{&Child(nested, 0)});
    std::vector<const ParsedMessage*> everything;
    for (const PartKind kind : {PartKind::Other}) collectParts(m, kind, everything);
    EXPECT_EQ(everything, (std::vector<const ParsedMessage*>{&m, &nested}));
}

TEST_F(MimeStructureTest, PartsAreClassifiedByTheirOwnFields) {
    const ParsedMessage& m = Parse(Multipart(
        "mixed",
        "--b\r\nContent-Type: image/png\r\nContent-Id: <logo>\r\n\r\nx\r\n"
        "--b\r\nContent-Type: image/png\r\n\r\nx\r\n"
        "--b\r\nContent-Type: application/octet-stream\r\nContent-Location: x\r\n\r\nx\r\n"
        "--b\r\nContent-Type: application/pdf\r\nContent-Disposition: attachment; "
        "filename=a.pdf\r\n\r\nx\r\n"
        "--b\r\nContent-Type: application/pdf; name=a.pdf\r\n\r\nx\r\n"
        "--b\r\nContent-Type: text/plain\r\nContent-Disposition: attachment; filename=t.txt\r\n"
        "\r\nx\r\n"
        "--b\r\nContent-Type: text/enriched\r\n\r\nx\r\n"
        "--b\r\nContent-Type: text\r\n\r\nx\r\n"
        "--b\r\nContent-Type: multipart/mixed; name=x\r\nContent-Disposition: inline; "
        "filename=m\r\n\r\nx\r\n--b--\r\n"));
    std::vector<PartKind> kinds;
    for (const auto& child : m.children) kinds.push_back(child->kind);
    EXPECT_EQ(kinds, (std::vector<PartKind>{PartKind::EmbeddedBinary, PartKind::Binary,
                                            PartKind::EmbeddedBinary, PartKind::Attachment,
                                            PartKind::Attachment, PartKind::PlainText,
                                            PartKind::Other, PartKind::Other, PartKind::Other}));
    EXPECT_EQ(Child(m, 3).content.filename.Std(), u"a.pdf");
    EXPECT_EQ(Child(m, 4).content.filename.Std(), u"a.pdf");  // named by its "name" parameter
    EXPECT_EQ(Child(m, 7).content.subtype.Std(), u"text");
    EXPECT_TRUE(Child(m, 7).content.type.IsEmpty());
}

TEST_F(MimeStructureTest, PartsWithoutContentTypeArePlainTextOrInADigestMessages) {
    const ParsedMessage& mixed = Parse(Multipart("mixed", "--b\r\n\r\nno headers\r\n--b--\r\n"));
    ASSERT_EQ(mixed.children.size(), 1U);
    EXPECT_EQ(Child(mixed, 0).content.type.Std(), u"text");
    EXPECT_EQ(Child(mixed, 0).kind, PartKind::PlainText);
    EXPECT_EQ(Text(Child(mixed, 0)), u"no headers\r\n");
    const ParsedMessage& digest =
        Parse(Multipart("digest", "--b\r\nSubject: inner\r\n\r\nForwarded\r\n--b--\r\n"));
    ASSERT_EQ(digest.children.size(), 1U);
    EXPECT_EQ(Child(digest, 0).content.type.Std(), u"message");
    EXPECT_EQ(Child(digest, 0).content.subtype.Std(), u"rfc822");
    EXPECT_EQ(Child(digest, 0).kind, PartKind::Other);
    ASSERT_EQ(Child(digest, 0).children.size(), 1U);
    EXPECT_EQ(Text(Child(Child(digest, 0), 0)), u"Forwarded\r\n");
}

TEST_F(MimeStructureTest, ABoundaryWithBlanksAroundItsEqualsSignSplitsTheMessage) {
    const ParsedMessage& m =
        Parse("Content-Type: multipart/mixed; boundary = b\r\n\r\n--b\r\n\r\ntext\r\n--b--\r\n");
    ASSERT_EQ(m.children.size(), 1U);
    EXPECT_EQ(Child(m, 0).kind, PartKind::PlainText);
    EXPECT_EQ(Body(Child(m, 0)), "text\r\n");
}

TEST_F(MimeStructureTest, ATruncatedMultipartMessageKeepsItsLastPartsBody) {
    const ParsedMessage& m =
        Parse(Multipart("mixed",
                        "--b\r\nContent-Type: text/plain\r\n\r\nfirst\r\n--b\r\n"
                        "Content-Type: text/plain\r\n\r\ncut off here\r\nand here"));
    ASSERT_EQ(m.children.size(), 2U);
    EXPECT_EQ(Body(Child(m, 0)), "first\r\n");
    EXPECT_EQ(Body(Child(m, 1)), "cut off here\r\nand here");
    EXPECT_FALSE(Child(m, 1).terminator.IsEmpty());
    EXPECT_EQ(Text(Child(m, 1)), u"cut off here\r\nand here");
}

TEST_F(MimeStructureTest, AMultipartMessageEndingAfterItsFirstBoundaryStillParses) {
    const ParsedMessage& m = Parse(Multipart("mixed", "--b\r\n"));
    EXPECT_TRUE(m.children.empty());
    const ParsedMessage& unterminated = Parse(Multipart("mixed", "--b\r\nSubject: x"));
    ASSERT_EQ(unterminated.children.size(), 1U);
    EXPECT_EQ(Body(Child(unterminated, 0)), "Subject: x");
}

TEST_F(MimeStructureTest, ABoundaryLineInTheEpilogueBuildsFurtherChildren) {
    const ParsedMessage& m = Parse(
        Multipart("mixed", "--b\r\n\r\none\r\n--b--\r\nepilogue\r\n--b\r\n\r\ntwo\r\n--b--\r\n"));
    ASSERT_EQ(m.children.size(), 2U);
    EXPECT_EQ(Body(Child(m, 1)), "two\r\n");
}

TEST_F(MimeStructureTest, ASinglePartTextWithAStrayBoundaryKeepsItsText) {
    const ParsedMessage& m =
        Parse("Content-Type: text/plain; boundary=zz\r\n\r\nJust text.\r\n-- \r\nSignature\r\n");
    EXPECT_EQ(m.kind, PartKind::PlainText);
    EXPECT_EQ(Body(m), "Just text.\r\n-- \r\nSignature\r\n");
}

TEST_F(MimeStructureTest, DelimitersMatchWholeAndWithCase) {
    const ParsedMessage& m =
        Parse(Multipart("mixed", "--b\r\n\r\none\r\n--B\r\n-- b\r\n--bb\r\n--b--\r\n", "b"));
    ASSERT_EQ(m.children.size(), 1U);
    EXPECT_EQ(Body(Child(m, 0)), "one\r\n--B\r\n-- b\r\n--bb\r\n");
}

TEST_F(MimeStructureTest, BareLfMailParsesLikeCrLfMail) {
    const ParsedMessage& m = Parse(
        "Content-Type: multipart/alternative; boundary=b\n\n--b\nContent-Type: text/plain\n\n"
        "plain\n--b\nContent-Type: text/html\n\nhtml\n--b--\n");
    ASSERT_EQ(m.children.size(), 2U);
    EXPECT_EQ(Body(Child(m, 0)), "plain\n");
    EXPECT_EQ(Child(m, 1).kind, PartKind::HtmlText);
}

std::string Nested(int depth) {
    std::string text;
    for (int level = 0; level < depth; ++level) {
        text += "Content-Type: multipart/mixed; boundary=l" + std::to_string(level) +
                "\r\n\r\n--l" + std::to_string(level) + "\r\n";
    }
    text += "Content-Type: text/plain\r\n\r\ndeep\r\n";
    for (int level = depth - 1; level >= 0; --level)
        text += "--l" + std::to_string(level) + "--\r\n";
    return text;
}

int Depth(const ParsedMessage& part) {
    return part.children.empty() ? 0 : 1 + Depth(*part.children[0]);
}

TEST_F(MimeStructureTest, NestingStopsAtTheLimitAndTheDeepestPartIsOpaque) {
    const ParsedMessage& shallow = Parse(Nested(10));
    EXPECT_EQ(Depth(shallow), 10);
    EXPECT_EQ(Collect(shallow, PartKind::PlainText).size(), 1U);

    const ParsedMessage& deep = Parse(Nested(5000));
    EXPECT_EQ(Depth(deep), 65);  // the part at depth 65 builds no children
    const ParsedMessage* part = &deep;
    while (!part->children.empty()) part = part->children[0].get();
    EXPECT_EQ(part->kind, PartKind::Other);
    EXPECT_NE(Body(*part).find("deep"), std::string::npos);
    EXPECT_TRUE(Collect(deep, PartKind::PlainText).empty());
}

}  // namespace
}  // namespace ombrel
