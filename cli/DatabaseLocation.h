#pragma once

#include <string>

#include "cli/CommandLine.h"
#include "cli/MailIndex.h"

namespace ombrel::cli {

// The database that a command works on: --db, else "ombrel/mail.db" in the user's data directory
// ($XDG_DATA_HOME, else ~/.local/share), whose folder is made when `creating`.
std::string DatabaseFile(const CommandLine& line, bool creating);

// Says on standard error when opening the database upgraded it from an earlier schema.
void ReportUpgrade(const MailIndex& index, const std::string& file);

// Says on standard error when a database that reading would write (one left in write-ahead-log
// mode where it cannot be written) was read as an unchanging file instead.
void ReportImmutable(MailIndex& index);

}  // namespace ombrel::cli
