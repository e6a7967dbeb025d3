// Writes one message file (.eml) of each kind of the sample mail: plain text, HTML, plain and
// HTML alternatives, attachments, Cyrillic in KOI8-R and in windows-1251, and encoded words.
//
//   write_sample_mail DIRECTORY [--to ADDRESS]
//
// The messages are sent to ADDRESS (by default "Anna Berg <anna@example.net>").
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/SampleMail.h"

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--to")) {
        std::fprintf(stderr, "usage: write_sample_mail DIRECTORY [--to ADDRESS]\n");
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    const std::string to = argc == 4 ? argv[3] : "Anna Berg <anna@example.net>";
    std::filesystem::create_directories(directory);

    using ombrel::testing::SampleMailKind;
    static const char* const kNames[] = {"plain",        "html",          "alternative",
                                         "attachments",  "cyrillic-koi8", "cyrillic-1251",
                                         "encoded-words"};
    static_assert(std::size(kNames) == static_cast<std::size_t>(SampleMailKind::kCount));
    constexpr std::int64_t kSent = 1717236000;  // 2024-06-01 10:00:00 UTC
    for (int kind = 0; kind < static_cast<int>(SampleMailKind::kCount); ++kind) {
        const std::string text = ombrel::testing::SampleMail(
            static_cast<SampleMailKind>(kind), kind + 1, kSent + kind * std::int64_t{600},
            "bob.stone@example.org", to);
        const std::string name = std::to_string(kind + 1) + "-" + kNames[kind] + ".eml";
        std::ofstream file(directory / name, std::ios::binary | std::ios::trunc);
        file << text;
        if (!file) {
            std::fprintf(stderr, "cannot write %s\n", (directory / name).string().c_str());
            return 1;
        }
    }
    return 0;
}
