#include <cstdio>
#include <cstdlib>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/MailIndex.h"

namespace ombrel::cli {
namespace {

constexpr int kDefaultLimit = 20;

int Limit(const CommandLine& line) {
    const std::string text = line.Value("--limit");
    if (text.empty()) return kDefaultLimit;
    char* end = nullptr;
    const long limit = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || limit < 1 || limit > 1000000) {
        throw UsageError("--limit takes a number from 1, not " + text);
    }
    return static_cast<int>(limit);
}

void PrintHit(const SearchHit& hit) {
    std::printf("%s  %s\n  From: %s\n  Subject: %s\n  %s\n\n", hit.received.c_str(),
                hit.folderPath.c_str(), hit.from.c_str(), hit.subject.c_str(), hit.snippet.c_str());
}

}  // namespace

int SearchCommand(const std::vector<std::string>& arguments) {
    const CommandLine line(arguments, {"--db", "--limit"}, {"--json"});
    if (line.operands.size() != 1) throw UsageError("search takes one QUERY (quote it)");
    const int limit = Limit(line);
    const bool json = line.Has("--json");
    MailIndex index(line.Value("--db", true), Sqlite::Mode::kReadOnly);
    if (index.Database().Immutable()) {
        std::fputs(
            "ombrel: the database needs writing to be read here (it is left in write-ahead-log "
            "mode); read as an unchanging file instead\n",
            stderr);
    }
    int hits = 0;
    index.Search(line.operands[0], limit, [&](const SearchHit& hit) {
        ++hits;
        if (json) {
            std::printf("%s\n", hit.json.c_str());
        } else {
            PrintHit(hit);
        }
    });
    if (!json) std::printf("%d %s\n", hits, hits == 1 ? "hit" : "hits");
    return 0;
}

}  // namespace ombrel::cli
