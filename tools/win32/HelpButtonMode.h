#pragma once

#include "tests/support/win32/PluginLibrary.h"

namespace ombrel::standin {

// Starts the library and, as a user would, opens the settings dialog through TBP_Setup, presses
// Help and closes the dialog; the shell opens the help file with the program associated with it.
// Returns 0 when the dialog appeared and closed with Cancel.
int PressHelpButton(PluginLibrary& library);

}  // namespace ombrel::standin
