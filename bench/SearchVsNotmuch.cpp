// `ombrel search` beside `notmuch search` on the same generated store: the store is written once
// (the host's bases for ombrel, the same messages as a Maildir for notmuch), each indexes it, and
// each query runs as the user would run it, as a process, five times; the median is printed.
//
//   search_vs_notmuch OMBREL [--messages-per-folder N]
//
// notmuch is installed by bench/setup-notmuch (never by the project's set-up or CI).
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/SampleStore.h"
#include "tests/support/TempDirectory.h"

namespace {

namespace fs = std::filesystem;
using namespace ombrel::testing;

// The same question in both query languages.
struct Query {
    const char* what;
    const char* ombrel;
    const char* notmuch;
};

constexpr Query kQueries[] = {
    {"common word, first 20", "figures", "figures"},
    {"common word, ombrel by relevance (notmuch has no such order)", "--sort relevance figures",
     "figures"},
    {"rare word", "4711", "4711"},
    {"phrase", "'\"figures for round 4711\"'", "'\"figures for round 4711\"'"},
    {"word without another", "'budget -cafe'", "'budget -cafe'"},
    {"sender and date range", "'from:anna date:2006-01..2006-06'",
     "'from:anna date:2006-01..2006-06'"},
    {"prefix", "'quart*'", "'quart*'"},
};

// The median wall time of five runs of the shell command, in milliseconds.
double MedianMilliseconds(const std::string& command) {
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system((command + " >/dev/null 2>&1").c_str());
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        if (!WIFEXITED(status)) return -1;
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Every message of the folder and its subfolders, one file each in the Maildir's "cur".
int ExportMaildir(const SampleFolder& folder, const fs::path& cur, int serial) {
    for (const StoredMessage& message : folder.messages) {
        std::ofstream(cur / (std::to_string(++serial) + ".bench:2,S"), std::ios::binary)
            << message.text;
    }
    for (const SampleFolder& child : folder.children) serial = ExportMaildir(child, cur, serial);
    return serial;
}

double Seconds(const std::string& command) {
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--messages-per-folder")) {
        std::fprintf(stderr, "usage: search_vs_notmuch OMBREL [--messages-per-folder N]\n");
        return 2;
    }
    const std::string ombrel = fs::absolute(argv[1]).string();
    const int perFolder = argc == 4 ? std::atoi(argv[3]) : 1000;
    if (std::system("command -v notmuch >/dev/null") != 0) {
        std::fprintf(stderr, "notmuch is not installed: run bench/setup-notmuch\n");
        return 1;
    }

    const TempDirectory disk;
    const SampleStore store = MakeSampleStore(perFolder);
    WriteSampleStore(store, disk.Local(u"store"), disk.Directory(u"store").Std());
    disk.Write(u"registry.reg",
               RegFileBytes(SampleRegistry(store, disk.Directory(u"store").Std())));
    const fs::path maildir = disk.Local(u"maildir");
    for (const char* sub : {"cur", "new", "tmp"}) fs::create_directories(maildir / sub);
    int messages = 0;
    for (const SampleAccount& account : store.accounts) {
        for (const SampleFolder& folder : account.folders) {
            messages = ExportMaildir(folder, maildir / "cur", messages);
        }
    }
    const std::string database = disk.Local(u"mail.db").string();
    const std::string config = disk.Local(u"notmuch-config").string();
    std::ofstream(config) << "[database]\npath=" << maildir.string()
                          << "\n[new]\ntags=inbox;\n[search]\nexclude_tags=\n";
    const std::string notmuch = "NOTMUCH_CONFIG='" + config + "' notmuch";

    std::printf("%d messages\n", messages);
    std::printf("%-62s %12s %12s\n", "index", "ombrel", "notmuch");
    const double ombrelIndex =
        Seconds("'" + ombrel + "' index '" + disk.Local(u"store").string() + "' --db '" + database +
                "' --registry '" + disk.Local(u"registry.reg").string() + "' >/dev/null");
    const double notmuchIndex = Seconds(notmuch + " new --quiet >/dev/null");
    std::printf("%-62s %10.2f s %10.2f s\n", "whole store", ombrelIndex, notmuchIndex);

    std::printf("%-62s %12s %12s\n", "search (median of 5)", "ombrel", "notmuch");
    for (const Query& query : kQueries) {
        std::string mine = "'" + ombrel;
        mine += "' search --db '" + database;
        mine += "' --limit 20 ";
        mine += query.ombrel;
        const double theirs = MedianMilliseconds(notmuch + " search --limit=20 " + query.notmuch);
        std::printf("%-62s %9.1f ms %9.1f ms\n", query.what, MedianMilliseconds(mine), theirs);
    }
    return 0;
}
