#pragma once

#include "platform/SystemVersion.h"
#include "tests/contract/PortContract.h"

namespace ombrel::contract {

// Every implementation runs on (or stands for) a Windows newer than 2000 with service pack 3.
using SystemVersionContract = PortContract<platform::SystemVersion>;

}  // namespace ombrel::contract
