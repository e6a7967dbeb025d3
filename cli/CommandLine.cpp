#include "cli/CommandLine.h"

#include <algorithm>

namespace ombrel::cli {

CommandLine::CommandLine(const std::vector<std::string>& arguments,
                         std::initializer_list<std::string_view> valueOptions,
                         std::initializer_list<std::string_view> flagOptions) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!argument.starts_with("--")) {
            operands.push_back(argument);
        } else if (std::ranges::find(valueOptions, argument) != valueOptions.end()) {
            if (i + 1 == arguments.size()) throw UsageError(argument + " needs a value");
            values[argument].push_back(arguments[++i]);
        } else if (std::ranges::find(flagOptions, argument) != flagOptions.end()) {
            flags.insert(argument);
        } else {
            throw UsageError("unknown option " + argument);
        }
    }
}

std::string CommandLine::Value(std::string_view option, bool required) const {
    const auto found = values.find(option);
    if (found != values.end()) return found->second.back();
    if (required) throw UsageError(std::string(option) + " is required");
    return {};
}

std::vector<std::string> CommandLine::All(std::string_view option) const {
    const auto found = values.find(option);
    return found != values.end() ? found->second : std::vector<std::string>();
}

}  // namespace ombrel::cli
