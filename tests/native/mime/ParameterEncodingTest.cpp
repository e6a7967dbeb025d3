// Parameters written in the extended forms (charset, language and percent-encoded bytes;
// numbered sections) and in encoded words, as mail programs name attachments and boundaries.
#include <gtest/gtest.h>

#include <string>

#include "tests/native/mime/ParserTest.h"

namespace ombrel {
namespace {

using ParameterEncodingTest = testing::ParserTest;

const std::u16string kReport = u"\u043E\u0442\u0447\u0435\u0442.pdf";  // "report" in Russian

class AttachmentNameTest : public testing::ParserTest {
  protected:
    // The name of a PDF part whose "Content-Type" ends with `typeParameters` and whose headers
    // go on with `more`.
    std::u16string Name(const std::string& typeParameters, const std::string& more = "",
                        std::uint32_t ansiCodePage = 1252) {
        const ParsedMessage& part =
            Parse("Content-Type: application/pdf" + typeParameters + "\r\n" + more + "\r\n%PDF",
                  ansiCodePage);
        EXPECT_EQ(part.kind,
                  part.content.filename.IsEmpty() ? PartKind::Other : PartKind::Attachment);
        return part.content.filename.Std();
    }

    std::u16string Filename(const std::string& disposition, std::uint32_t ansiCodePage = 1252) {
        return Name("", "Content-Disposition: attachment; " + disposition + "\r\n", ansiCodePage);
    }
};

TEST_F(AttachmentNameTest, ACharsetTaggedNameIsDecodedInItsCharset) {
    EXPECT_EQ(Filename("filename*=UTF-8''%D0%BE%D1%82%D1%87%D0%B5%D1%82.pdf"), kReport);
    EXPECT_EQ(Filename("filename*=\"utf-8'en'%D0%BE%D1%82%D1%87%D0%B5%D1%82.pdf\""), kReport);
    // A charset without a code page of its own goes through its table, as a body in it does.
    EXPECT_EQ(Filename("filename*=koi8-r''%CF%D4%DE%C5%D4.pdf", 1251), kReport);
    // Bytes without a charset, or in one that nothing knows, are read in the ANSI code page.
    EXPECT_EQ(Filename("filename*=x-unknown''caf%E9.txt"), u"caf\u00E9.txt");
    EXPECT_EQ(Filename("filename*=caf%E9.txt"), u"caf\u00E9.txt");
}

TEST_F(AttachmentNameTest, SectionsAreJoinedInTheOrderOfTheirNumbers) {
    // A character split between two sections comes out whole; plain sections stay as written.
    EXPECT_EQ(Filename("filename*2=\".pdf\"; filename*1*=%A9t%C3%A9; filename*0*=utf-8''%C3"),
              u"\u00E9t\u00E9.pdf");
    EXPECT_EQ(Filename("FILENAME*1=\"b c\"; filename*0=\"a \"; filename*1=d"), u"a d");
    EXPECT_EQ(Filename("filename*10=k; filename*9=j; filename*0=a"), u"ajk");
    // The extended form wins over the plain one that older programs read.
    EXPECT_EQ(
        Filename("filename=\"report.pdf\"; filename*=utf-8''%D0%BE%D1%82%D1%87%D0%B5%D1%82.pdf"),
        kReport);
    EXPECT_EQ(Filename("filename*0=a; FILENAME=b.txt"), u"a");
}

TEST_F(AttachmentNameTest, MalformedPercentSignsStayAsTheyAre) {
    EXPECT_EQ(Filename("filename*=utf-8''100%"), u"100%");
    EXPECT_EQ(Filename("filename*=utf-8''a%4"), u"a%4");
    EXPECT_EQ(Filename("filename*=utf-8''%zz%2"), u"%zz%2");
    EXPECT_EQ(Filename("filename*=utf-8''%00cut"), u"");
    EXPECT_EQ(Filename("filename*=utf-8'only-one-quote%41"), u"utf-8'only-one-quoteA");
}

TEST_F(AttachmentNameTest, EncodedWordsInAQuotedNameAreDecoded) {
    EXPECT_EQ(Filename("filename=\"=?UTF-8?B?0L7RgtGH0LXRgi5wZGY=?=\""), kReport);
    EXPECT_EQ(Name("; name=\"=?utf-8?Q?caf=C3=A9;_menu.pdf?=\""), u"caf\u00E9; menu.pdf");
}

TEST_F(AttachmentNameTest, TheContentTypeNameNamesAPartWithoutAFilename) {
    EXPECT_EQ(Name("; name=\"a b.pdf\""), u"a b.pdf");
    EXPECT_EQ(Name("; name*=utf-8''%D0%BE%D1%82%D1%87%D0%B5%D1%82.pdf"), kReport);
    EXPECT_EQ(Name("; name=a.pdf", "Content-Disposition: attachment; filename=b.pdf\r\n"),
              u"b.pdf");
    EXPECT_EQ(Name("; name=a.pdf", "Content-Disposition: attachment; filename=\"\"\r\n"), u"a.pdf");
    EXPECT_EQ(Name("", "Content-Disposition: attachment; name=a.pdf\r\n"), u"");
    EXPECT_EQ(Name("; NAME = a.pdf"), u"a.pdf");
    EXPECT_TRUE(Parse("Content-Type: text/plain; name=a.txt\r\n\r\nx").content.filename.IsEmpty());
}

TEST_F(ParameterEncodingTest, ACharsetTaggedBoundarySplitsTheMessage) {
    const ParsedMessage& m = Parse(
        "Content-Type: multipart/signed; protocol=\"application/pkcs7-signature\";\r\n"
        " boundary*=\"us-ascii''XYZ\"\r\n\r\n"
        "--XYZ\r\nContent-Type: text/plain\r\n\r\nSigned text\r\n"
        "--XYZ\r\nContent-Type: application/pkcs7-signature; name*0=smime; name*1=.p7s\r\n\r\n"
        "MIAG\r\n--XYZ--\r\n");
    ASSERT_EQ(m.children.size(), 2U);
    EXPECT_EQ(Text(Child(m, 0)), u"Signed text\r\n");
    EXPECT_EQ(Child(m, 1).content.filename.Std(), u"smime.p7s");
    EXPECT_EQ(Child(m, 1).kind, PartKind::Attachment);
}

TEST_F(ParameterEncodingTest, ABoundaryInSectionsSplitsTheMessage) {
    const ParsedMessage& m = Parse(
        "Content-Type: multipart/mixed; boundary*0=ab; boundary*1=\"c d\"\r\n\r\n"
        "--abc d\r\n\r\nfirst\r\n--abc d\r\n\r\nsecond\r\n--abc d--\r\n");
    EXPECT_EQ(m.content.boundary.Std(), u"--abc d");
    ASSERT_EQ(m.children.size(), 2U);
    EXPECT_EQ(Text(Child(m, 1)), u"second\r\n");
}

TEST_F(ParameterEncodingTest, AFoldedBoundaryAfterItsEqualsSignSplitsTheMessage) {
    const ParsedMessage& m = Parse(
        "Content-Type: multipart/signed; protocol=\"application/x-pkcs7-signature\";"
        " micalg=sha-256; boundary=\r\n\t\"----ABC\"\r\n\r\n"
        "------ABC\r\nContent-Type: text/plain; charset = \"utf-8\"\r\n\r\nS\xC3\xA9\r\n"
        "------ABC--\r\n");
    ASSERT_EQ(m.children.size(), 1U);
    EXPECT_EQ(Child(m, 0).kind, PartKind::PlainText);
    EXPECT_EQ(Text(Child(m, 0)), u"S\u00E9\r\n");
}

TEST_F(ParameterEncodingTest, AnEncodedCharsetParameterDecidesTheBodysCharset) {
    const ParsedMessage& m = Parse("Content-Type: text/plain; charset*=''utf-8\r\n\r\nS\xC3\xA9");
    EXPECT_EQ(m.content.charset.Std(), u"utf-8");
    EXPECT_EQ(Text(m), u"S\u00E9");
}

}  // namespace
}  // namespace ombrel
