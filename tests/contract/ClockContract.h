#pragma once

#include "platform/Clock.h"
#include "tests/contract/PortContract.h"

namespace ombrel::contract {

class ClockContract : public PortContract<platform::Clock> {};

}  // namespace ombrel::contract
