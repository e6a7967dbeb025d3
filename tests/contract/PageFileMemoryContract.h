#pragma once

#include "platform/PageFileMemory.h"
#include "tests/contract/PortContract.h"

namespace ombrel::contract {

class PageFileMemoryContract : public PortContract<platform::PageFileMemory> {};

}  // namespace ombrel::contract
