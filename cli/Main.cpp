// ombrel: indexes a copy of The Bat!'s mail directory into a full-text database and searches it.
//
//   ombrel index DATA_DIR --db FILE [--registry FILE.reg] [--map-drive X:=/path]...
//                [--code-page N] [--enabled-only] [--verbose]
//   ombrel search --db FILE QUERY [--limit N] [--json]
//   ombrel import --db FILE EVENTS.jsonl
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Sqlite.h"

namespace {

constexpr const char* kUsage =
    "usage: ombrel index DATA_DIR --db FILE [--registry FILE.reg] [--map-drive X:=/path]...\n"
    "                    [--code-page N] [--enabled-only] [--verbose]\n"
    "       ombrel search --db FILE QUERY [--limit N] [--json]\n"
    "       ombrel import --db FILE EVENTS.jsonl\n";

int Run(const std::string& command, const std::vector<std::string>& arguments) {
    using namespace ombrel::cli;
    if (command == "index") return IndexCommand(arguments);
    if (command == "search") return SearchCommand(arguments);
    if (command == "import") return ImportCommand(arguments);
    if (command == "--help" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    throw UsageError("unknown command " + command);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        return Run(argv[1], std::vector<std::string>(argv + 2, argv + argc));
    } catch (const ombrel::cli::UsageError& error) {
        std::fprintf(stderr, "ombrel: %s\n%s", error.what(), kUsage);
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ombrel: %s\n", error.what());
        return 1;
    } catch (...) {
        std::fputs("ombrel: unexpected failure\n", stderr);
        return 1;
    }
}
