#pragma once

namespace ombrel {

// Sets the library up for the host: checks the environment, creates the indexer's event factory,
// loads the accounts and the charset tables, and marks the library initialised. Leaves the library
// uninitialised when the environment check or the factory fails.
void InitializePlugin();

// Runs the exit-time pass when it is switched on, then frees the accounts, releases the event
// factory and the charset tables, and marks the library uninitialised.
void FinalizePlugin();

}  // namespace ombrel
