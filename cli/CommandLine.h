#pragma once

#include <initializer_list>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel::cli {

// A command line that does not fit the command's usage.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The arguments of one command: its operands, the options that take a value (each may be given
// more than once) and the flags given.
struct CommandLine {
    std::vector<std::string> operands;
    std::map<std::string, std::vector<std::string>, std::less<>> values;
    std::set<std::string, std::less<>> flags;

    // Parses the arguments; throws UsageError for an unknown option or one without its value.
    CommandLine(const std::vector<std::string>& arguments,
                std::initializer_list<std::string_view> valueOptions,
                std::initializer_list<std::string_view> flagOptions);

    bool Has(std::string_view flag) const { return flags.contains(flag); }
    // The option's last value; throws UsageError when it is missing and required.
    std::string Value(std::string_view option, bool required = false) const;
    std::vector<std::string> All(std::string_view option) const;
};

}  // namespace ombrel::cli
