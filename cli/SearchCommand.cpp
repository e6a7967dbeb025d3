#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/DatabaseLocation.h"
#include "cli/MailIndex.h"
#include "cli/MailSearch.h"
#include "cli/TerminalText.h"

namespace ombrel::cli {
namespace {

constexpr std::int64_t kDefaultLimit = 20;

std::int64_t Number(const CommandLine& line, std::string_view option, std::int64_t otherwise,
                    std::int64_t least) {
    const std::string text = line.Value(option);
    if (text.empty()) return otherwise;
    char* end = nullptr;
    const long long number = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || number < least || number > 1000000000) {
        throw UsageError(std::string(option) + " takes a number from " + std::to_string(least) +
                         ", not " + text);
    }
    return number;
}

SortOrder Order(const CommandLine& line) {
    const std::string text = line.Value("--sort");
    if (text.empty() || text == "newest") return SortOrder::kNewest;
    if (text == "oldest") return SortOrder::kOldest;
    if (text == "relevance") return SortOrder::kRelevance;
    throw UsageError("--sort takes newest, oldest or relevance, not " + text);
}

// The time now, "YYYY-MM-DD HH:MM:SS" (UTC, as the index keeps times).
std::string Now() {
    const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    const auto day = std::chrono::floor<std::chrono::days>(now);
    const std::chrono::year_month_day date(day);
    const std::chrono::hh_mm_ss time(now - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text;
}

// The query: the operands as one text, so that `ombrel search water -budget` needs no quotes.
std::string QueryText(const CommandLine& line) {
    if (line.operands.empty()) throw UsageError("a QUERY is needed");
    std::string query;
    for (const std::string& operand : line.operands) {
        if (!query.empty()) query += ' ';
        query += operand;
    }
    return query;
}

void PrintHit(const SearchHit& hit) {
    std::printf("%lld  %s  %s\n  From: %s\n  Subject: %s\n", static_cast<long long>(hit.id),
                hit.received.c_str(), TerminalText(hit.folderPath).c_str(),
                TerminalText(hit.from).c_str(), TerminalText(hit.subject).c_str());
    if (!hit.messageId.empty()) {
        std::printf("  Message-ID: %s\n", TerminalText(hit.messageId).c_str());
    }
    std::printf("  Stored: %s\n  %s\n\n", TerminalText(hit.store).c_str(),
                TerminalText(hit.snippet).c_str());
}

// The hits with those of one conversation together, in the order of each conversation's first.
std::vector<SearchHit> ByConversation(std::vector<SearchHit> hits) {
    std::map<std::string, std::size_t> firstPlace;
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const std::string key =
            hits[i].thread.empty() ? "#" + std::to_string(hits[i].id) : hits[i].thread;
        firstPlace.try_emplace(key, i);
    }
    std::stable_sort(hits.begin(), hits.end(), [&](const SearchHit& a, const SearchHit& b) {
        const auto place = [&](const SearchHit& hit) {
            return firstPlace.at(hit.thread.empty() ? "#" + std::to_string(hit.id) : hit.thread);
        };
        return place(a) < place(b);
    });
    return hits;
}

}  // namespace

int SearchCommand(const std::vector<std::string>& arguments) {
    const CommandLine line(arguments, {"--db", "--limit", "--offset", "--sort"},
                           {"--json", "--threads", "--stem"});
    const std::string text = QueryText(line);
    const std::int64_t limit = Number(line, "--limit", kDefaultLimit, 1);
    const std::int64_t offset = Number(line, "--offset", 0, 0);
    const SortOrder order = Order(line);
    const bool json = line.Has("--json");
    const std::unique_ptr<QueryNode> parsed = ParseQuery(text, Now());

    MailIndex index(DatabaseFile(line, false), Sqlite::Mode::kReadOnly);
    ReportImmutable(index);
    MailSearch search(index.Database(), line.Has("--stem"));
    const CompiledQuery query = search.Compile(*parsed);
    const std::int64_t matched = search.Count(query);
    std::vector<SearchHit> hits;
    for (const std::int64_t id : search.Ids(query, order, limit, offset)) {
        hits.push_back(search.Hit(id, query));
    }
    const bool threads = line.Has("--threads");
    if (threads) hits = ByConversation(std::move(hits));
    const std::string* conversation = nullptr;
    for (const SearchHit& hit : hits) {
        if (json) {
            std::printf("%s\n", hit.json.c_str());
            continue;
        }
        if (threads && !hit.thread.empty() &&
            (conversation == nullptr || *conversation != hit.thread)) {
            std::printf("Conversation %s\n\n", TerminalText(hit.thread).c_str());
        }
        conversation = &hit.thread;
        PrintHit(hit);
    }
    const auto shown = static_cast<long long>(hits.size());
    if (json) {
        std::printf("{\"matched\":%lld,\"shown\":%lld,\"offset\":%lld}\n",
                    static_cast<long long>(matched), shown, static_cast<long long>(offset));
    } else if (shown > 0) {
        std::printf("%lld matched, %lld shown (%lld to %lld)\n", static_cast<long long>(matched),
                    shown, static_cast<long long>(offset) + 1,
                    static_cast<long long>(offset) + shown);
    } else {
        std::printf("%lld matched, none shown\n", static_cast<long long>(matched));
    }
    return matched == 0 ? kExitNoMatch : 0;
}

int CountCommand(const std::vector<std::string>& arguments) {
    const CommandLine line(arguments, {"--db"}, {"--stem"});
    const std::unique_ptr<QueryNode> parsed = ParseQuery(QueryText(line), Now());
    MailIndex index(DatabaseFile(line, false), Sqlite::Mode::kReadOnly);
    ReportImmutable(index);
    MailSearch search(index.Database(), line.Has("--stem"));
    const std::int64_t matched = search.Count(search.Compile(*parsed));
    std::printf("%lld\n", static_cast<long long>(matched));
    return matched == 0 ? kExitNoMatch : 0;
}

}  // namespace ombrel::cli
