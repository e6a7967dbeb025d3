#pragma once

#include <string>
#include <vector>

namespace ombrel::cli {

// The exit statuses besides 0 (done; for search and count, messages matched) and 1 (a failure
// that ends the command).
inline constexpr int kExitUsage = 2;    // a command line or query that does not parse
inline constexpr int kExitNoMatch = 3;  // a search or count that matched no message
inline constexpr int kSomeNotRead = 4;  // an index run that went on past parts of the store
                                        // that it could not read

// The commands of `ombrel`, each given the arguments after its name; each returns the exit
// status and throws UsageError, DatabaseError or std::runtime_error for the caller to report.
int IndexCommand(const std::vector<std::string>& arguments);
int SearchCommand(const std::vector<std::string>& arguments);
int CountCommand(const std::vector<std::string>& arguments);
int ShowCommand(const std::vector<std::string>& arguments);
int ImportCommand(const std::vector<std::string>& arguments);

}  // namespace ombrel::cli
