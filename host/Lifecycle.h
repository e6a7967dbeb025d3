#pragma once

namespace ombrel {

// Sets the library up for the host: ends a re-index that still runs, checks the environment,
// creates the indexer's event factory, loads the accounts and the charset tables, and marks the
// library initialised. Leaves the library uninitialised when the job's worker does not end in
// time, or the environment check or the factory fails.
void InitializePlugin();

// Ends a re-index that still runs, runs the exit-time pass when it is switched on, then frees the
// accounts, releases the event factory and the charset tables, and marks the library
// uninitialised. When the job's worker does not end in time, it keeps the accounts, the factory
// and the tables, and only the mark changes.
void FinalizePlugin();

}  // namespace ombrel
