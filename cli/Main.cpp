// ombrel: indexes a copy of The Bat!'s mail directory into a full-text database and searches it
// (`ombrel help` lists the commands, `man ombrel` explains them).
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Help.h"
#include "cli/Query.h"
#include "cli/Sqlite.h"

namespace {

using namespace ombrel::cli;

int Help(const std::vector<std::string>& arguments) {
    const char* help = CommandHelp(arguments.empty() ? "help" : arguments.front());
    if (help == nullptr) throw UsageError("no command is called " + arguments.front());
    std::fputs(help, stdout);
    return 0;
}

int Run(const std::string& command, const std::vector<std::string>& arguments) {
    if (command == "help" || command == "--help" || command == "-h") return Help(arguments);
    if (CommandHelp(command) == nullptr) throw UsageError("unknown command " + command);
    if (std::ranges::any_of(arguments,
                            [](const std::string& a) { return a == "--help" || a == "-h"; })) {
        return Help({command});
    }
    if (command == "index") return IndexCommand(arguments);
    if (command == "search") return SearchCommand(arguments);
    if (command == "count") return CountCommand(arguments);
    if (command == "show") return ShowCommand(arguments);
    return ImportCommand(arguments);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    try {
        return Run(argv[1], std::vector<std::string>(argv + 2, argv + argc));
    } catch (const UsageError& error) {
        std::fprintf(stderr, "ombrel: %s\n%s", error.what(), kUsage);
        return kExitUsage;
    } catch (const QueryError& error) {
        std::fprintf(stderr, "ombrel: query: %s\n", error.what());
        return kExitUsage;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ombrel: %s\n", error.what());
        return 1;
    } catch (...) {
        std::fputs("ombrel: unexpected failure\n", stderr);
        return 1;
    }
}
