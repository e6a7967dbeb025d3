// Replays every saved fuzzer input through its fuzz target, so that what the fuzzers once found
// stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzTarget.h"

namespace ombrel::fuzz {
namespace {

std::map<std::string, TargetFunction>& Targets() {
    static std::map<std::string, TargetFunction> targets;
    return targets;
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FuzzCorpusReplay, EverySavedInputRunsThroughItsTarget) {
    const std::filesystem::path corpus =
        std::filesystem::path(OMBREL_SOURCE_DIR) / "tests/fuzz/corpus";
    std::size_t replayed = 0;
    for (const auto& [name, target] : Targets()) {
        const auto directory = corpus / name;
        if (!std::filesystem::is_directory(directory)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(directory)) {
            if (!entry.is_regular_file()) continue;
            const std::vector<std::uint8_t> input = ReadFile(entry.path());
            SCOPED_TRACE(entry.path().string());
            EXPECT_EQ(target(input.data(), input.size()), 0);
            ++replayed;
        }
    }
    RecordProperty("replayed", static_cast<int>(replayed));
}

}  // namespace

Registration::Registration(const char* name, TargetFunction function) {
    Targets()[name] = function;
}

}  // namespace ombrel::fuzz
