#pragma once

#include <string>
#include <vector>

namespace ombrel::cli {

// The exit status of an index run that went on past parts of the mail store that it could not
// read (1 is a failure that ends a run, 2 a usage error).
constexpr int kSomeNotRead = 3;

// The commands of `ombrel`, each given the arguments after its name; each returns the exit
// status and throws UsageError, DatabaseError or std::runtime_error for the caller to report.
int IndexCommand(const std::vector<std::string>& arguments);
int SearchCommand(const std::vector<std::string>& arguments);
int ImportCommand(const std::vector<std::string>& arguments);

}  // namespace ombrel::cli
