#pragma once

#include <cstdint>

#include "platform/Handles.h"

namespace ombrel {

// Shows a message box without owner: the text of string textId, string 100 as caption, and the
// given style. Returns the button id the box answered.
int ShowPluginMessage(std::uint32_t textId, std::uint32_t style = 0);
// The same box owned by the window.
int ShowPluginMessage(platform::WindowHandle owner, std::uint32_t textId, std::uint32_t style);

}  // namespace ombrel
