// Writes a sample working directory of the host: accounts, nested folders, real-looking mail,
// settings, folder lists and state files, and "registry.reg" with the host's registry entries.
//
//   make_sample_store DIRECTORY [--messages N] [--host-root PATH] [--mail MAIL_DIRECTORY]
//
// With --mail the store holds instead one account, "Real", whose Inbox holds every message file
// (.eml) below MAIL_DIRECTORY, in the order of their paths.
//
// Paths inside the files and in the registry name DIRECTORY as the host sees it: its absolute
// path, or PATH (for a host under Wine, for example Z:\tmp\sample\). Load the registry entries
// with `regedit registry.reg` under Wine.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/SampleStore.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: make_sample_store DIRECTORY [--messages N] [--host-root PATH] "
                 "[--mail MAIL_DIRECTORY]\n");
    return 2;
}

std::u16string Utf16(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).u16string();
}

// One account whose Inbox holds the message files below `mail`, in the order of their paths.
ombrel::testing::SampleStore MailFileStore(const std::filesystem::path& mail) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(mail)) {
        if (entry.is_regular_file() && entry.path().extension() == ".eml") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    ombrel::testing::SampleFolder inbox{"Inbox", u"Inbox", u"", true, {}, {}, {}};
    constexpr std::int32_t kFirstTime = 1700000000;
    for (const std::filesystem::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        inbox.messages.push_back({std::string(std::istreambuf_iterator<char>(in), {}),
                                  kFirstTime + static_cast<std::int32_t>(inbox.messages.size())});
    }
    ombrel::testing::SampleAccount account{u"Real", u"Real\\",         true, "real@example.org",
                                           true,    {std::move(inbox)}};
    return {{std::move(account)}, 2};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::filesystem::path root = std::filesystem::absolute(argv[1]);
    int messages = 12;
    std::u16string hostRoot = root.u16string() + u"/";
    std::filesystem::path mail;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--messages") {
            messages = std::atoi(argv[i + 1]);
        } else if (option == "--host-root") {
            hostRoot = Utf16(argv[i + 1]);
            if (!hostRoot.ends_with(u'\\') && !hostRoot.ends_with(u'/')) hostRoot += u'\\';
        } else if (option == "--mail") {
            mail = argv[i + 1];
        } else {
            return Usage();
        }
    }
    if (argc % 2 != 0 || messages < 0) return Usage();

    using namespace ombrel::testing;
    const SampleStore store = mail.empty() ? MakeSampleStore(messages) : MailFileStore(mail);
    WriteSampleStore(store, root, hostRoot);
    std::ofstream(root / "registry.reg", std::ios::binary | std::ios::trunc)
        << RegFileBytes(SampleRegistry(store, hostRoot));
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        count += entry.is_regular_file() ? 1 : 0;
    }
    std::printf("wrote %zu files below %s\n", count, root.string().c_str());
    return 0;
}
