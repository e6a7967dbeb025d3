#include "common/TextCompare.h"

#include <gtest/gtest.h>

namespace ombrel {
namespace {

TEST(TextCompare, OnlyAsciiLettersCompareWithoutRegardToCase) {
    EXPECT_TRUE(EqualsIgnoringCase(u"Content-Type", u"CONTENT-type"));
    EXPECT_TRUE(EqualsIgnoringCase(std::string_view("Koi8-R"), std::string_view("koi8-r")));
    EXPECT_FALSE(EqualsIgnoringCase(std::string_view("koi8"), std::string_view("koi8-r")));
    EXPECT_FALSE(EqualsIgnoringCase(u"\u00C9", u"\u00E9"));
    EXPECT_FALSE(EqualsIgnoringCase(std::string_view("\xC9"), std::string_view("\xE9")));
    EXPECT_FALSE(EqualsIgnoringCase(std::string_view("@"), std::string_view("`")));
}

TEST(TextCompare, PrefixesCoverExactlyTheirLength) {
    EXPECT_TRUE(StartsWithIgnoringCase("UTF-8?B?x?=", "utf-8"));
    EXPECT_TRUE(StartsWithIgnoringCase("utf-8", "UTF-8"));
    EXPECT_TRUE(StartsWithIgnoringCase("anything", ""));
    EXPECT_FALSE(StartsWithIgnoringCase("utf", "utf-8"));
    EXPECT_FALSE(StartsWithIgnoringCase("utf8", "utf-8"));
}

}  // namespace
}  // namespace ombrel
