#include "tests/contract/ThreadLocaleContract.h"

#include <thread>

namespace ombrel::contract {

constexpr std::uint32_t kSwedish = 0x041D;

void ThreadLocaleContract::SetUp() {
    PortContract::SetUp();
    initial = port->Get();
}

void ThreadLocaleContract::TearDown() {
    port->Set(initial);
}

TEST_P(ThreadLocaleContract, TheSystemDefaultIsSetAsTheLocaleItStandsFor) {
    ASSERT_TRUE(port->Set(platform::locale::kSystemDefault));
    const std::uint32_t concrete = port->Get();
    EXPECT_NE(concrete, platform::locale::kSystemDefault);
    EXPECT_NE(concrete, 0U);
    EXPECT_TRUE(port->Set(initial));
    EXPECT_EQ(port->Get(), initial);
}

TEST_P(ThreadLocaleContract, ALocaleSetOnOneThreadStaysOnIt) {
    ASSERT_TRUE(port->Set(kSwedish));
    EXPECT_EQ(port->Get(), kSwedish);
    std::uint32_t other = 0;
    std::thread([&] { other = port->Get(); }).join();
    EXPECT_NE(other, kSwedish);
}

}  // namespace ombrel::contract
