#pragma once

#include <cstdint>

#include "platform/ThreadLocale.h"
#include "tests/contract/PortContract.h"

namespace ombrel::contract {

// Each case puts the calling thread's locale back as it found it.
class ThreadLocaleContract : public PortContract<platform::ThreadLocale> {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::uint32_t initial = 0;
};

}  // namespace ombrel::contract
