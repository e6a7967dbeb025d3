#include "cli/HtmlText.h"

#include <gtest/gtest.h>

namespace ombrel::cli {
namespace {

TEST(HtmlText, KeepsOnlyTheTextThatTheDocumentShows) {
    EXPECT_EQ(HtmlText("<html><head><title>News</title><style>p { color: red }</style>"
                       "<script type=\"x\">var hidden = 1 < 2;</script></head>"
                       "<body><!-- a <b>comment</b> --><p>Caf&eacute; &amp; <i>more</i></p>\r\n"
                       "<p>Read&nbsp;on &#1087;&#x440;&#1080;</p></body></html>"),
              "News Café & more Read on при");
}

TEST(HtmlText, EndsCleanlyOnMarkupCutShort) {
    EXPECT_EQ(HtmlText("text <p unterminated"), "text");
    EXPECT_EQ(HtmlText("text <!-- open comment"), "text");
    EXPECT_EQ(HtmlText("a <SCRIPT>never closed"), "a");
    EXPECT_EQ(HtmlText("<scripted>kept</scripted>"), "kept");
    EXPECT_EQ(HtmlText("&#x110000; &#0; &#; &amp &lt; &unknown;"),
              "\xEF\xBF\xBD \xEF\xBF\xBD &#; &amp < &unknown;");
    EXPECT_EQ(HtmlText(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace ombrel::cli
