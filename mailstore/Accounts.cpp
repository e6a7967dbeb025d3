#include "mailstore/Accounts.h"

#include "host/PluginState.h"

namespace ombrel {

bool LoadAccounts() {
    PluginState& state = State();
    if (!state.accounts) return true;
    state.accounts->clear();
    return true;
}

}  // namespace ombrel
