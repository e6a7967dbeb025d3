#include "host/Lifecycle.h"

#include "charsets/CharsetTables.h"
#include "host/Environment.h"
#include "host/ExitPass.h"
#include "host/PluginState.h"
#include "mailstore/Accounts.h"
#include "platform/Indexer.h"
#include "platform/Ports.h"

namespace ombrel {
namespace {

// Any failure, re-reading the host's folders included, ends the exit-time pass only; teardown
// goes on.
void RunExitPassOverAccounts(PluginState& state) {
    try {
        LoadAccounts();
        for (const auto& account : *state.accounts) {
            RunExitPass(account->rootFolder, account->name);
        }
    } catch (...) {
    }
}

}  // namespace

void InitializePlugin() {
    PluginState& state = State();
    state.accounts.reset();
    if (PrepareEnvironment() < 0) return;

    platform::IndexerConnector* indexer = platform::CurrentPorts().indexer;
    std::unique_ptr<platform::EventFactory> factory;
    if (Failed(indexer->CreateEventFactory(factory)) || !factory) return;
    state.eventFactory = std::move(factory);

    state.accounts = std::make_unique<AccountList>();
    LoadAccounts();
    LoadCharsetTables();
    state.initialized = true;
}

void FinalizePlugin() {
    PluginState& state = State();
    if (state.initialized) {
        if (state.accounts) {
            if (state.storedConfig.monitorOnExit != 0) RunExitPassOverAccounts(state);
            state.accounts.reset();
        }
        // The field is emptied before the factory is released.
        std::unique_ptr<platform::EventFactory> factory = std::move(state.eventFactory);
        factory.reset();
    }
    FreeCharsetTables();
    state.initialized = false;
}

}  // namespace ombrel
