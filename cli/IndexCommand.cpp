#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/DatabaseLocation.h"
#include "cli/Progress.h"
#include "cli/StoreAccounts.h"
#include "cli/StoreFiles.h"
#include "cli/StoreIndexing.h"
#include "cli/UnreadableFiles.h"
#include "mailstore/FolderListFile.h"
#include "platform/posix/PosixPaths.h"
#include "platform/posix/TableConversion.h"
#include "platform/posix/Utf8Conversion.h"

namespace ombrel::cli {
namespace {

namespace fs = std::filesystem;

// The working directory as the core writes paths: absolute, ending with a backslash.
std::u16string CoreDirectory(const fs::path& directory) {
    std::u16string path = directory.u16string();
    for (char16_t& unit : path) {
        if (unit == u'/') unit = u'\\';
    }
    if (!path.ends_with(u'\\')) path += u'\\';
    return path;
}

fs::path DataDirectory(const CommandLine& line) {
    if (line.operands.size() != 1) throw UsageError("index takes one DATA_DIR");
    std::error_code error;
    fs::path directory = fs::canonical(line.operands[0], error);
    if (error || !fs::is_directory(directory)) {
        throw std::runtime_error(line.operands[0] + ": not a directory");
    }
    return directory;
}

// The database must not be written into the mail store, which is only read.
void CheckOutside(const fs::path& dataDirectory, const std::string& database) {
    const fs::path file = fs::weakly_canonical(fs::absolute(database));
    const auto [dataEnd, fileAt] =
        std::mismatch(dataDirectory.begin(), dataDirectory.end(), file.begin(), file.end());
    if (dataEnd == dataDirectory.end()) {
        throw std::runtime_error(database + ": the database must not lie inside DATA_DIR, " +
                                 "which ombrel only reads");
    }
}

DriveMap Drives(const CommandLine& line) {
    DriveMap drives;
    for (const std::string& mapping : line.All("--map-drive")) {
        if (!drives.Add(mapping)) throw UsageError("--map-drive takes X:=/path, not " + mapping);
    }
    return drives;
}

// The ANSI code page of the Windows that wrote the mail, in which the library reads text that
// names no charset of its own: 1252 (Western) unless given.
std::uint32_t CodePage(const CommandLine& line) {
    const std::string text = line.Value("--code-page");
    if (text.empty()) return 1252;
    char* end = nullptr;
    const unsigned long codePage = std::strtoul(text.c_str(), &end, 10);
    if (*end != '\0' ||
        platform::posix::FindCodePageTable(static_cast<std::uint32_t>(codePage)) == nullptr) {
        throw UsageError("--code-page takes a Windows code page number such as 1251, not " + text);
    }
    return static_cast<std::uint32_t>(codePage);
}

void WarnUnmappedDrives(const AccountList& accounts, const DriveMap& drives) {
    for (const std::unique_ptr<MailAccount>& account : accounts) {
        if (const char16_t drive = drives.UnmappedDrive(account->directory.View())) {
            std::fprintf(stderr,
                         "ombrel: account %s lies on drive %c:, which no --map-drive maps\n",
                         platform::posix::WideToUtf8(account->name.View()).c_str(),
                         static_cast<char>(drive));
        }
    }
}

// The local path of a file of the store as the core names it.
std::string LocalPath(const DriveMap& drives, std::u16string_view file) {
    const std::optional<std::u16string> local = drives.Local(file);
    return local ? platform::posix::PosixPath(*local) : platform::posix::WideToUtf8(file);
}

// Why a file of the store that the readers could not use was not read: the system's reason, or
// `otherwise` when the system lets it be read.
std::string WhyNotRead(const std::string& local, const std::string& otherwise) {
    const std::string why = WhyUnreadable(local);
    return why.empty() ? otherwise : why;
}

// The parts of the store that a run does not read, each reported by path as it is found.
class UnreadParts {
  public:
    void Report(UnreadPart part) {
        std::fprintf(stderr, "ombrel: not read: %s: %s\n", part.path.c_str(), part.why.c_str());
        parts_.push_back(std::move(part));
    }
    std::size_t Count() const { return parts_.size(); }

  private:
    std::vector<UnreadPart> parts_;
};

// An account whose folder list does not read has no folders, which must not pass for an empty one.
void CheckFolderLists(const AccountList& accounts, const DriveMap& drives, UnreadParts& unread) {
    for (const std::unique_ptr<MailAccount>& account : accounts) {
        if (!account->rootFolder.children.empty()) continue;
        const WideString file = account->directory + u"ACCOUNT.FLB";
        CTheBatZZFile list;
        if (list.OpenFolderList(file)) continue;
        const std::string local = LocalPath(drives, file.View());
        unread.Report(
            {PrintablePath(local), WhyNotRead(local, "not a folder list, or a damaged one")});
    }
}

// The folders with messages that did not read, with their counts, for the summary.
class BadFolders {
  public:
    void Add(const std::string& path, std::int64_t bad) {
        if (bad == 0) return;
        text_ += (text_.empty() ? "" : ", ") + path + " (" + std::to_string(bad) + ")";
    }
    void Print() const {
        if (!text_.empty()) {
            std::printf("messages that did not read (the next run tries them again): %s\n",
                        text_.c_str());
        }
    }

  private:
    std::string text_;
};

}  // namespace

int IndexCommand(const std::vector<std::string>& arguments) {
    const CommandLine line(arguments, {"--db", "--registry", "--map-drive", "--code-page"},
                           {"--enabled-only", "--verbose", "--stem"});
    const fs::path dataDirectory = DataDirectory(line);
    const std::string database = DatabaseFile(line, true);
    CheckOutside(dataDirectory, database);
    const DriveMap drives = Drives(line);
    const bool verbose = line.Has("--verbose");

    platform::posix::PosixPlatform posix;
    posix.codePages.SetAnsiCodePage(CodePage(line));
    StoreDiskFiles files(posix.diskFiles, drives);
    StoreProfileFiles profiles(posix.profiles, drives);
    MailIndex index(database, Sqlite::Mode::kReadWrite);
    ReportUpgrade(index, database);
    if (line.Has("--stem")) index.Stem();
    DatabaseIndexer indexer(index);
    platform::Ports ports = posix.MakePorts(&indexer);
    ports.diskFiles = &files;
    ports.profiles = &profiles;
    const platform::ScopedPorts scoped(ports);

    const std::u16string storeDirectory = CoreDirectory(dataDirectory);
    index.SetSetting("data_directory", platform::posix::WideToUtf8(storeDirectory));
    UnreadParts unread;
    std::vector<UnreadPart> unreadEntries;
    const AccountList accounts =
        StoreAccounts(posix, storeDirectory, line.Value("--registry"), unreadEntries);
    for (UnreadPart& part : unreadEntries) unread.Report(std::move(part));
    WarnUnmappedDrives(accounts, drives);
    CheckFolderLists(accounts, drives, unread);

    std::unique_ptr<ProgressBar> bar;
    int folders = 0;
    IndexObserver observer;
    observer.planned = [&](int plannedFolders, std::int64_t messages) {
        folders = plannedFolders;
        if (isatty(STDERR_FILENO) != 0) {
            bar = std::make_unique<ProgressBar>(stderr, plannedFolders, messages);
        }
    };
    observer.messageTaken = [&] {
        if (bar) bar->MessageDone();
    };
    observer.folderNotRead = [&](const std::string& path, const FolderTrouble& trouble) {
        const std::string local = LocalPath(drives, trouble.file);
        const std::string why =
            trouble.what.empty()
                ? WhyNotRead(local, "cannot be opened (another program may be writing it)")
                : trouble.what;
        unread.Report({path + " (" + PrintablePath(local) + ")", why});
    };
    BadFolders badFolders;
    observer.folderDone = [&](const std::string& path, const PassCounts& counts) {
        badFolders.Add(path, counts.bad);
        if (bar) bar->FolderDone();
        if (verbose) {
            std::printf("%s: Indexed %lld, Skipped %lld, Bad %lld\n", path.c_str(),
                        static_cast<long long>(counts.indexed),
                        static_cast<long long>(counts.skipped), static_cast<long long>(counts.bad));
        }
    };
    const auto start = std::chrono::steady_clock::now();
    const PassCounts total =
        IndexStore(accounts, storeDirectory, line.Has("--enabled-only"), index, indexer, observer);
    if (bar) bar->Finish();
    const std::int64_t taken = total.indexed + total.skipped + total.bad;
    std::printf(
        "indexed %lld messages (%lld skipped, %lld bad) of %d folders, %.0f messages/s; the "
        "index holds %lld messages\n",
        static_cast<long long>(total.indexed), static_cast<long long>(total.skipped),
        static_cast<long long>(total.bad), folders, MessagesPerSecond(taken, start),
        static_cast<long long>(index.MessageCount()));
    badFolders.Print();
    // Readers of the index need not write it (nor its folder) to read it.
    index.Database().EndWriteAheadLog();
    if (unread.Count() == 0) return 0;
    std::fprintf(stderr, "ombrel: %zu parts of %s were not read (listed above)\n", unread.Count(),
                 PrintablePath(dataDirectory.string()).c_str());
    return kSomeNotRead;
}

}  // namespace ombrel::cli
