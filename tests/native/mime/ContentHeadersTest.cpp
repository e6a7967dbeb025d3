#include "mime/ContentHeaders.h"

#include <gtest/gtest.h>

namespace ombrel {
namespace {

ContentInfo ContentType(const char16_t* value) {
    ContentInfo content;
    HeaderParameters parameters;
    parseContentType(content, value, parameters);
    return content;
}

TEST(ContentType, TheMediaTypeAndTheTwoParametersAreRead) {
    const ContentInfo c = ContentType(u"Text/HTML; Charset=\"UTF-8\"; boundary=\"=_b 1\"; name=x");
    EXPECT_EQ(c.type.Std(), u"Text");
    EXPECT_EQ(c.subtype.Std(), u"HTML");
    EXPECT_EQ(c.charset.Std(), u"UTF-8");
    EXPECT_EQ(c.boundary.Std(), u"--=_b 1");
}

TEST(ContentType, LineBreaksAndTabsVanishAndBlanksAroundTokensAreTrimmed) {
    const ContentInfo c =
        ContentType(u"multipart/mixed;\r\n\tboundary=\"abc\" ;;  charset=koi8-r  ");
    EXPECT_EQ(c.subtype.Std(), u"mixed");
    EXPECT_EQ(c.boundary.Std(), u"--abc");
    EXPECT_EQ(c.charset.Std(), u"koi8-r");
}

TEST(ContentType, BlanksAndFoldsAroundTheEqualsSignDoNotCount) {
    EXPECT_EQ(ContentType(u"multipart/mixed; boundary = \"b\"").boundary.Std(), u"--b");
    EXPECT_EQ(
        ContentType(u"multipart/signed; micalg=sha1; boundary=\r\n \"----=_a\"").boundary.Std(),
        u"------=_a");
    EXPECT_TRUE(ContentType(u"multipart/mixed; =b").boundary.IsEmpty());
    const ContentInfo slash = ContentType(u"text/plain; /odd");
    EXPECT_EQ(slash.type.Std(), u"text");
    EXPECT_EQ(slash.subtype.Std(), u"plain");
    EXPECT_EQ(ContentType(u"text/plain; boundary=").boundary.Std(), u"--");
}

TEST(ContentType, AQuotedValueKeepsItsSemicolonsBlanksAndEscapedCharacters) {
    const ContentInfo c = ContentType(u"multipart/mixed; boundary=\"a;b c\"; charset=x");
    EXPECT_EQ(c.type.Std(), u"multipart");
    EXPECT_EQ(c.boundary.Std(), u"--a;b c");
    EXPECT_EQ(c.charset.Std(), u"x");
    EXPECT_EQ(ContentType(u"text/plain; charset=\"a\\\"b\\\\c\\d\" junk").charset.Std(),
              u"a\"b\\c\\d");
    // Without its closing quote a value runs to the end, and loses its quote characters.
    EXPECT_EQ(ContentType(u"text/plain; charset=\"x; boundary=y").charset.Std(), u"x; boundary=y");
    EXPECT_EQ(ContentType(u"multipart/mixed; boundary=abc\"").boundary.Std(), u"--abc");
}

TEST(ContentType, EveryMediaTypeTokenAssignsBothFieldsAgain) {
    const ContentInfo bare = ContentType(u"text");
    EXPECT_EQ(bare.type.Std(), u"");
    EXPECT_EQ(bare.subtype.Std(), u"text");
    const ContentInfo last = ContentType(u"text/plain; image/png");
    EXPECT_EQ(last.type.Std(), u"image");
    EXPECT_EQ(last.subtype.Std(), u"png");
    const ContentInfo blank = ContentType(u"text/plain;   ; charset=x");
    EXPECT_EQ(blank.type.Std(), u"");
    EXPECT_EQ(blank.subtype.Std(), u"");
    EXPECT_EQ(blank.charset.Std(), u"x");
}

TEST(ContentType, ALaterValueKeepsWhatItDoesNotCarry) {
    ContentInfo content;
    HeaderParameters parameters;  // one for both: the second value is read afresh
    parseContentType(content, u"text/plain; charset=koi8-r", parameters);
    parseContentType(content, u"text/html", parameters);
    EXPECT_EQ(content.subtype.Std(), u"html");
    EXPECT_EQ(content.charset.Std(), u"koi8-r");
}

TEST(ContentDisposition, OnlyTheFilenameParameterIsRead) {
    HeaderParameters parameters;
    ContentInfo content;
    parseContentDisposition(content, u"attachment;\r\n filename=\"a.pdf\"; size=3", parameters);
    EXPECT_EQ(content.filename.Std(), u"a.pdf");
    ContentInfo spaced;
    parseContentDisposition(spaced, u"attachment; filename = a.pdf", parameters);
    EXPECT_EQ(spaced.filename.Std(), u"a.pdf");
    ContentInfo none;
    parseContentDisposition(none, u"attachment; name=a.pdf; filenames=b", parameters);
    EXPECT_TRUE(none.filename.IsEmpty());
}

}  // namespace
}  // namespace ombrel
