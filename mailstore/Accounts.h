#pragma once

namespace ombrel {

// Rebuilds the account list of the plug-in state from the host's registry and mail folders; does
// nothing when the list does not exist. Always reports success.
bool LoadAccounts();

}  // namespace ombrel
