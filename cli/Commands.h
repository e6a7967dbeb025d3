#pragma once

#include <string>
#include <vector>

namespace ombrel::cli {

// The commands of `ombrel`, each given the arguments after its name; each returns the exit
// status and throws UsageError, DatabaseError or std::runtime_error for the caller to report.
int IndexCommand(const std::vector<std::string>& arguments);
int SearchCommand(const std::vector<std::string>& arguments);
int CountCommand(const std::vector<std::string>& arguments);
int ShowCommand(const std::vector<std::string>& arguments);
int ImportCommand(const std::vector<std::string>& arguments);

}  // namespace ombrel::cli
