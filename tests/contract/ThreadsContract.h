#pragma once

#include "platform/Threads.h"
#include "tests/contract/PortContract.h"

namespace ombrel::contract {

class ThreadsContract : public PortContract<platform::Threads> {};

}  // namespace ombrel::contract
