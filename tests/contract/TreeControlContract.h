#pragma once

#include "platform/TreeControl.h"
#include "tests/contract/PortContract.h"

namespace ombrel::contract {

// Every case gets a fresh, empty tree with check boxes.
using TreeControlContract = PortContract<platform::TreeControl>;

}  // namespace ombrel::contract
