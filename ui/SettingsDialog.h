#pragma once

namespace ombrel {

// Shows the modal settings and indexing dialog and returns the value it ended with (1 for OK, -1
// when it could not be shown).
int RunSettingsDialog();

}  // namespace ombrel
