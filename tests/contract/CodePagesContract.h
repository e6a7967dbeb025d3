#pragma once

#include "platform/CodePages.h"
#include "tests/contract/PortContract.h"

namespace ombrel::contract {

// Every case names its code page: the ANSI code page of the two sides may differ.
class CodePagesContract : public PortContract<platform::CodePages> {};

}  // namespace ombrel::contract
