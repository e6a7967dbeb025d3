#include "tests/contract/PageFileMemoryContract.h"

#include <algorithm>
#include <cstring>

namespace ombrel::contract {
namespace {

TEST_P(PageFileMemoryContract, ABlockIsZeroedAndWritableToItsLastByte) {
    for (const std::uint32_t size : {1U, 4095U, 4096U, 4097U, 102401U}) {
        std::unique_ptr<platform::PageFileBlock> block = port->Map(size);
        ASSERT_NE(block, nullptr) << size;
        char* data = block->Data();
        ASSERT_NE(data, nullptr);
        EXPECT_TRUE(std::all_of(data, data + size, [](char byte) { return byte == 0; })) << size;
        std::memset(data, 'x', size);
        EXPECT_EQ(data[size - 1], 'x');
    }
}

TEST_P(PageFileMemoryContract, BlocksAreSeparate) {
    std::unique_ptr<platform::PageFileBlock> first = port->Map(200000);
    std::unique_ptr<platform::PageFileBlock> second = port->Map(200000);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    std::memset(first->Data(), 1, 200000);
    std::memset(second->Data(), 2, 200000);
    EXPECT_EQ(first->Data()[199999], 1);
    EXPECT_EQ(second->Data()[0], 2);
}

TEST_P(PageFileMemoryContract, NothingCanBeMappedOfSizeZero) {
    EXPECT_EQ(port->Map(0), nullptr);
}

}  // namespace
}  // namespace ombrel::contract
