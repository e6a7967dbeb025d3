#include "platform/ResourceStrings.h"

#include "platform/Ports.h"
#include "platform/StringTable.h"

namespace ombrel {

WideString LoadResourceString(std::uint32_t id) {
    std::optional<std::u16string> text = platform::CurrentPorts().strings->Load(id);
    return text ? WideString(std::move(*text)) : WideString();
}

// The string type's constructor from a table entry lives here, beside the port it reads.
WideString::WideString(StringId id) : WideString(LoadResourceString(id.value)) {}

}  // namespace ombrel
