#include "host/Lifecycle.h"

#include "charsets/CharsetTables.h"
#include "host/Environment.h"
#include "host/ExitPass.h"
#include "host/PluginState.h"
#include "indexing/IndexingJob.h"
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

// Ends a re-index that still runs (the host may finalise, or start again, with the settings
// dialog gone but its job not ended) before the state that its worker reads is replaced or freed,
// waiting a bounded time, off the loader lock. A worker that does not end in time keeps what it
// reads: the accounts and the event factory are let go of without being freed, and false tells
// the caller to leave the charset tables too.
bool EndRunningJob(PluginState& state) {
    if (StopJobWithin(kWorkerStopLimit)) return true;
    static_cast<void>(state.accounts.release());
    static_cast<void>(state.eventFactory.release());
    return false;
}

}  // namespace

void InitializePlugin() {
    PluginState& state = State();
    if (!EndRunningJob(state)) {
        state.initialized = false;
        return;
    }
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
    if (!EndRunningJob(state)) {
        state.initialized = false;
        return;
    }
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
