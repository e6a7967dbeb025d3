#pragma once

#include "common/WideString.h"

namespace ombrel {

// Reads the address (property 0x8159) and the second value (0x818E) from "Account.CFN" in the
// account directory. False when the file does not open or an entry does not read whole; a value
// that is missing, reaches outside the file or is longer than 260 bytes stays empty.
bool ReadAccountConfig(const WideString& directory, WideString& address, WideString& secondValue);

}  // namespace ombrel
