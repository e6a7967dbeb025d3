// write_fuzz_seeds CORPUS_DIR MESSAGE_FILE...: seeds for the mailbox readers' fuzz targets, built
// from real messages (each file one message): message bases and indexes holding them,
// folder lists whose folders are named after their subjects, and account settings holding their
// addresses. Each seed goes to CORPUS_DIR/<Target>/real-mail-<n>.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/MailboxWriters.h"

namespace {

namespace fs = std::filesystem;
using ombrel::testing::Bytes;
using ombrel::testing::StoredMessage;

// Messages per base seed: small enough that the fuzzer mutates them quickly.
constexpr std::size_t kMessagesPerBase = 4;
// The fuzz target reads the index's length from two bytes.
constexpr std::size_t kLargestIndex = 0xFFFF;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The value of the message's first header field of that name (without folding), or empty.
std::string HeaderField(const std::string& message, const std::string& name) {
    std::size_t at = 0;
    while (at < message.size()) {
        const std::size_t end = message.find('\n', at);
        const std::string line = message.substr(at, end == std::string::npos ? end : end - at);
        if (line.empty() || line == "\r") break;
        if (line.size() > name.size() && line[name.size()] == ':' &&
            std::equal(name.begin(), name.end(), line.begin(),
                       [](char a, char b) { return std::tolower(a) == std::tolower(b); })) {
            std::string value = line.substr(name.size() + 1);
            while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) {
                value.erase(0, 1);
            }
            while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) {
                value.pop_back();
            }
            return value;
        }
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return {};
}

void Write(const fs::path& file, const Bytes& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string SeedName(std::size_t number) {
    return "real-mail-" + std::to_string(number);
}

// A base seed: the index's length in two bytes, the index, the base.
Bytes BaseSeed(const ombrel::testing::MessageBaseFiles& files) {
    Bytes seed{static_cast<char>(files.index.size() & 0xFF),
               static_cast<char>((files.index.size() >> 8) & 0xFF)};
    return seed + files.index + files.base;
}

// A folder list: a root whose children are folders named after the messages' subjects.
Bytes FolderListSeed(const std::vector<StoredMessage>& messages) {
    std::vector<ombrel::testing::FolderRecord> records;
    std::vector<std::uint32_t> children;
    for (std::uint32_t i = 0; i < messages.size(); ++i) {
        std::string name = HeaderField(messages[i].text, "Subject");
        if (name.empty()) name = "Folder " + std::to_string(i);
        children.push_back(i + 2);
        records.push_back(ombrel::testing::Folder(i + 2, name, "", i % 2 == 0 ? "" : name));
    }
    records.insert(records.begin(),
                   ombrel::testing::Folder(1, "", ombrel::testing::ChildIds(children)));
    return ombrel::testing::WriteFolderList(records).bytes;
}

Bytes AccountConfigSeed(const StoredMessage& message) {
    return ombrel::testing::WriteAccountConfig(
        {{ombrel::testing::kAccountAddressProperty, HeaderField(message.text, "From")},
         {ombrel::testing::kAccountSecondProperty, HeaderField(message.text, "To")}});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: write_fuzz_seeds CORPUS_DIR MESSAGE_FILE...\n", stderr);
        return 2;
    }
    std::vector<StoredMessage> messages;
    std::int32_t time = 1136073600;
    for (int i = 2; i < argc; ++i) messages.push_back({ReadFile(argv[i]), time += 3600, 0});

    const fs::path corpus(argv[1]);
    std::size_t seeds = 0;
    for (std::size_t first = 0; first < messages.size(); first += kMessagesPerBase) {
        const std::vector<StoredMessage> group(
            messages.begin() + static_cast<std::ptrdiff_t>(first),
            messages.begin() +
                static_cast<std::ptrdiff_t>(std::min(messages.size(), first + kMessagesPerBase)));
        const ombrel::testing::MessageBaseFiles base = ombrel::testing::WriteMessageBase(group);
        if (base.index.size() > kLargestIndex) continue;
        const std::string name = SeedName(seeds++);
        Write(corpus / "MessageBase" / name, BaseSeed(base));
        Write(corpus / "MessageIndex" / name, base.index);
        Write(corpus / "FolderList" / name, FolderListSeed(group));
        Write(corpus / "AccountConfig" / name, AccountConfigSeed(group.front()));
    }
    std::printf("%zu seeds of each kind from %zu messages\n", seeds, messages.size());
    return 0;
}
