#pragma once

#include <cstdint>
#include <vector>

#include "common/HResult.h"
#include "common/WideString.h"
#include "platform/IndexerIds.h"

namespace ombrel {

// Registers the library with the indexer unless the indexer's key of the component exists: first
// the COM module's own registration, then the component. Shows message 132 or 133 when one of them
// fails. Returns 1 when the component is registered already, 0 when the indexer answers that it
// was, otherwise the result of the failing or last step.
std::int32_t EnsureRegistered(const WideString& title, const WideString& description);

// Describes the component to the indexer's registrar and commits it; a failure after the
// description has been accepted removes the component again. E_POINTER for a null title,
// description or icon.
HResult RegisterComponent(const Guid& componentGuid, const char16_t* title,
                          const char16_t* description, const char16_t* homePage,
                          const char16_t* icon, const std::vector<WideString>& extraEntries);

// Removes the component from the indexer.
HResult UnregisterComponent(const Guid& componentGuid);

}  // namespace ombrel
