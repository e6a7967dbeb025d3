#include "cli/DatabaseLocation.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace ombrel::cli {

std::string DatabaseFile(const CommandLine& line, bool creating) {
    std::string given = line.Value("--db");
    if (!given.empty()) return given;
    namespace fs = std::filesystem;
    fs::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/') {
        data = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        data = fs::path(home) / ".local" / "share";
    } else {
        throw UsageError("--db is needed: neither XDG_DATA_HOME nor HOME names a data folder");
    }
    const fs::path folder = data / "ombrel";
    if (creating) fs::create_directories(folder);
    return (folder / "mail.db").string();
}

void ReportUpgrade(const MailIndex& index, const std::string& file) {
    if (index.UpgradedFrom() == 0) return;
    std::fprintf(stderr,
                 "ombrel: %s was written by an earlier ombrel (schema %d): upgraded in place to "
                 "schema %d; the imported events were kept, and the folders' messages are indexed "
                 "again from the store\n",
                 file.c_str(), index.UpgradedFrom(), MailIndex::kSchemaVersion);
}

void ReportImmutable(MailIndex& index) {
    if (!index.Database().Immutable()) return;
    std::fputs(
        "ombrel: the database needs writing to be read here (it is left in write-ahead-log mode); "
        "read as an unchanging file instead\n",
        stderr);
}

}  // namespace ombrel::cli
