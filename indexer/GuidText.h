#pragma once

#include "common/WideString.h"
#include "platform/IndexerIds.h"

namespace ombrel {

enum class HexDigits { Upper, Lower };

// A GUID as its braced 38-character text, {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}: with upper-case
// digits as the system's GUID-to-string conversion writes it, or with lower-case ones.
WideString GuidText(const Guid& guid, HexDigits digits = HexDigits::Upper);

}  // namespace ombrel
