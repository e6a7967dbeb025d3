// The library's speed beside GMime's and beside one scan of the bytes, over one generated store:
//
//   store_bench [--messages N] [--seed S] [--mix kind=weight,...] [--dump FILE]
//
// Writes a store of N messages (20,000 unless given) in the realistic mix (plain, western,
// alternative, base64text, cyrillic, attachments; each kind's weight can be changed), then prints
// the folder pass's messages/s and MB/s, GMime doing the same work, a memchr scan of the same
// bytes, the two ratios, the pass's allocations and peak heap, and mail arriving through the
// spam-score hook at 4 KiB, 100 KiB, 1 MiB and 10 MiB. With --dump, only the folder pass runs,
// and every event it sends is written to FILE, so that two builds can be compared byte for byte.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "bench/store/Runs.h"

namespace {

using namespace ombrel::bench;

struct Options {
    StoreOptions store;
    std::string dump;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--messages") {
            options.store.messages = std::atoi(value);
        } else if (name == "--seed") {
            options.store.seed = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
        } else if (name == "--mix") {
            if (!ParseWeights(value, options.store.weights)) return false;
        } else if (name == "--dump") {
            options.dump = value;
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && options.store.messages > 0;
}

void PrintRun(const char* what, const Run& run) {
    std::printf("%-28s %10.0f msgs/s %10.1f MB/s  (%llu messages, %.1f MB, %.3f s)\n", what,
                run.MessagesPerSecond(), run.MegabytesPerSecond(),
                static_cast<unsigned long long>(run.messages), static_cast<double>(run.bytes) / 1e6,
                run.seconds);
}

int Dump(BenchStore& store, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 1;
    PassFacts facts;
    RunFolderPass(store, file, facts);
    std::fclose(file);
    std::printf("events of %d indexed messages written to %s\n", facts.indexed, path.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: store_bench [--messages N] [--seed S] [--mix kind=weight,...] "
                     "[--dump FILE]\n");
        return 2;
    }
    BenchStore store(options.store);
    if (!options.dump.empty()) return Dump(store, options.dump);

    std::vector<std::unique_ptr<MappedBase>> mapped;
    std::vector<const MappedBase*> bases;
    for (const std::string& path : store.BasePaths()) {
        mapped.push_back(std::make_unique<MappedBase>(path));
        bases.push_back(mapped.back().get());
    }
    std::printf("store: %d messages, %.1f MB of message text, seed %u\n", store.Messages(),
                static_cast<double>(store.TextBytes()) / 1e6, options.store.seed);

    RunMemchr(bases);  // brings every page of the store into memory first
    const Run scan = RunMemchr(bases);
    PassFacts facts;
    Run pass = RunFolderPass(store, nullptr, facts);
    pass.messages = scan.messages;
    pass.bytes = scan.bytes;
    const Run gmime = RunGmime(bases);

    PrintRun("folder pass", pass);
    PrintRun("GMime", gmime);
    PrintRun("memchr scan", scan);
    std::printf("folder pass / GMime: %.2f (msgs/s)\n",
                pass.MessagesPerSecond() / gmime.MessagesPerSecond());
    std::printf("folder pass / memchr: %.1f%% (MB/s)\n",
                100.0 * pass.MegabytesPerSecond() / scan.MegabytesPerSecond());
    std::printf(
        "folder pass: %d indexed, %d skipped, %d bad; %.2f library allocations a message, peak "
        "heap %.1f KiB\n",
        facts.indexed, facts.skipped, facts.bad,
        static_cast<double>(facts.allocations.allocations) / static_cast<double>(pass.messages),
        static_cast<double>(facts.allocations.peakBytes) / 1024);
    std::printf("folder pass: at most %.1f MiB of the files mapped at once\n",
                static_cast<double>(facts.peakMappedBytes) / (1 << 20));
    for (const std::size_t size : {std::size_t{4} << 10, std::size_t{100} << 10,
                                   std::size_t{1} << 20, std::size_t{10} << 20}) {
        const std::string what = "incoming " + std::to_string(size >> 10) + " KiB";
        PrintRun(what.c_str(), RunIncoming(size));
    }
    return 0;
}
