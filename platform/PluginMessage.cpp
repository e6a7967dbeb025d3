#include "platform/PluginMessage.h"

#include "platform/MessageBoxes.h"
#include "platform/Ports.h"
#include "platform/ResourceStrings.h"

namespace ombrel {

int ShowPluginMessage(std::uint32_t textId, std::uint32_t style) {
    return ShowPluginMessage(nullptr, textId, style);
}

int ShowPluginMessage(platform::WindowHandle owner, std::uint32_t textId, std::uint32_t style) {
    return platform::CurrentPorts().messageBoxes->Show(
        owner, LoadResourceString(textId), LoadResourceString(strings::kPluginName), style);
}

}  // namespace ombrel
