#include "common/Base64.h"

#include <gtest/gtest.h>

#include <string>

namespace ombrel {
namespace {

// The decoded bytes, as far as a buffer of `capacity` holds them, and the full length.
std::pair<std::string, std::size_t> Decode(std::string_view text, std::size_t capacity = 64) {
    std::string out(capacity, '\0');
    const std::size_t length =
        DecodeBase64(text, reinterpret_cast<std::uint8_t*>(out.data()), capacity);
    out.resize(std::min(length, capacity));
    return {out, length};
}

TEST(Base64Test, EncodesWithoutPadding) {
    EXPECT_EQ(EncodeBase64("ABC"), "QUJD");
    EXPECT_EQ(EncodeBase64("AB"), "QUI");
    EXPECT_EQ(EncodeBase64("A"), "QQ");
    EXPECT_EQ(EncodeBase64(""), "");
    EXPECT_EQ(EncodeBase64("\xff\xfe\xfd"), "//79");
}

TEST(Base64Test, DecodesSkippingWhatIsNotInTheAlphabet) {
    EXPECT_EQ(Decode("QUJD").first, "ABC");
    EXPECT_EQ(Decode("QUI=").first, "AB");
    EXPECT_EQ(Decode("QQ").first, "A");
    EXPECT_EQ(Decode("Q").second, 0U);
    EXPECT_EQ(Decode("QU\r\nJ D").first, "ABC");
    // Padding in the middle does not end the data.
    EXPECT_EQ(Decode("QQ==QUJD").first, "A\x04\x14$");
    EXPECT_EQ(Decode("//79").first, "\xff\xfe\xfd");
}

TEST(Base64Test, CountsWhatDoesNotFit) {
    const auto [bytes, length] = Decode("QUJDREVG", 4);
    EXPECT_EQ(bytes, "ABCD");
    EXPECT_EQ(length, 6U);
    EXPECT_EQ(DecodeBase64("QUJD", nullptr, 0), 3U);
}

}  // namespace
}  // namespace ombrel
