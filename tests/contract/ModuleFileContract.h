#pragma once

#include "platform/ModuleFile.h"
#include "tests/contract/PortContract.h"

namespace ombrel::contract {

// Every implementation stands for a module built with the library's resources, at a path that a
// drive letter begins.
using ModuleFileContract = PortContract<platform::ModuleFile>;

}  // namespace ombrel::contract
