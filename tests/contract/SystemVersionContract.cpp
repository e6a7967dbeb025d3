#include "tests/contract/SystemVersionContract.h"

namespace ombrel::contract {

TEST_P(SystemVersionContract, Windows2000WithServicePack3AndOlderOnesPass) {
    EXPECT_TRUE(port->IsAtLeast(5, 0, 3));
    EXPECT_TRUE(port->IsAtLeast(5, 0, 0));
    EXPECT_TRUE(port->IsAtLeast(4, 99, 99));
}

TEST_P(SystemVersionContract, AGreaterMajorVersionDecidesBeforeMinorAndServicePack) {
    EXPECT_TRUE(port->IsAtLeast(5, 99, 99));
    EXPECT_FALSE(port->IsAtLeast(99, 0, 0));
}

}  // namespace ombrel::contract
