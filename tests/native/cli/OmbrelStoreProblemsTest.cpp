// `ombrel` over stores with parts that cannot be read, and over indexes that cannot be written:
// each part is reported by path and passed over, the rest is indexed, the run ends with its own
// status, and nothing is lost once the part reads again.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "cli/Commands.h"
#include "tests/native/cli/OmbrelRun.h"
#include "tests/support/MailboxWriters.h"

namespace ombrel::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// Runs the command as a user whom file permissions bind (root reads everything).
const char* const kAsNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups";

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// The folders of the store with a message base, in path order.
std::vector<fs::path> FolderDirectories(const std::string& root) {
    std::vector<fs::path> folders;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().filename() == "MESSAGES.TBB")
            folders.push_back(entry.path().parent_path());
    }
    std::ranges::sort(folders);
    return folders;
}

// The number after `label` in the summary line ("indexed 5 messages", "index holds 9").
std::int64_t Number(const std::string& out, const std::string& label) {
    const std::size_t at = out.find(label);
    return at == std::string::npos ? -1 : std::stoll(out.substr(at + label.size()));
}

class OmbrelStoreProblems : public ::testing::Test {
  protected:
    OmbrelStoreProblems() : written(MakeSampleStore(3)) {
        const CommandRun baseline = Index({}, "--db", baselineDatabase());
        EXPECT_EQ(baseline.status, 0) << baseline.err;
        held = Number(baseline.out, "the index holds ");
        EXPECT_GT(held, 20);
    }

    std::string baselineDatabase() const { return written.disk.Local(u"baseline.db").string(); }

    CommandRun Index(const std::vector<std::string>& extra, const std::string& dbOption = "--db",
                     const std::string& database = "", const std::string& runner = "timeout 60") {
        std::vector<std::string> arguments{
            "index",          written.root, "--registry",
            written.registry, dbOption,     database.empty() ? written.database : database};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return RunOmbrel(arguments, runner);
    }

    WrittenStore written;
    std::int64_t held = 0;
};

TEST_F(OmbrelStoreProblems, OddEntriesAreReportedByPathAndTheRestIsIndexed) {
    const fs::path root(written.root);
    const std::vector<fs::path> folders = FolderDirectories(written.root);
    ASSERT_GE(folders.size(), 2U);
    // A FIFO in a base's place would block an open that waits for a writer.
    const fs::path fifoBase = folders[0] / "MESSAGES.TBB";
    const std::string base = Read(fifoBase);
    fs::remove(fifoBase);
    ASSERT_EQ(mkfifo(fifoBase.c_str(), 0644), 0);
    // Nor may one in the place of a folder's state file, which is read when the tree is built.
    const fs::path fifoState = folders[1] / "kvrdirinfo.cookie";
    fs::remove(fifoState);
    ASSERT_EQ(mkfifo(fifoState.c_str(), 0644), 0);
    fs::create_directory_symlink("loop", root / "loop");
    fs::create_directory(root / "caf\xE9");
    Write(root / "caf\xE9" / "ACCOUNT.FLB", "not a folder list");

    // Without the registry export every entry of the working directory is looked at.
    const CommandRun run =
        RunOmbrel({"index", written.root, "--db", written.database}, "timeout 60");
    EXPECT_EQ(run.status, cli::kSomeNotRead) << run.err;
    EXPECT_THAT(run.err, HasSubstr(fifoBase.string() + "): not a regular file"));
    EXPECT_THAT(run.err,
                HasSubstr((root / "loop").string() + ": Too many levels of symbolic links"));
    EXPECT_THAT(run.err, HasSubstr("caf\uFFFD: the name is not UTF-8"));
    EXPECT_THAT(run.err, HasSubstr("3 parts of"));
    const std::int64_t first = Number(run.out, "the index holds ");
    EXPECT_GT(first, 0);

    // Once the base is back, the next run reads it, and nothing else is missing.
    fs::remove(fifoBase);
    Write(fifoBase, base);
    fs::remove(root / "loop");
    fs::remove_all(root / "caf\xE9");
    const CommandRun again = RunOmbrel({"index", written.root, "--db", written.database});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_GT(Number(again.out, "the index holds "), first);
}

TEST_F(OmbrelStoreProblems, DamagedMissingAndMisplacedFilesAreReportedNotTakenForEmptyFolders) {
    // The folder list of an account of its own (not the working directory's), and folders of
    // the other accounts.
    std::vector<fs::path> lists;
    for (const auto& entry : fs::recursive_directory_iterator(written.root)) {
        if (entry.path().filename() == "ACCOUNT.FLB" &&
            entry.path().parent_path() != written.root) {
            lists.push_back(entry.path());
        }
    }
    ASSERT_FALSE(lists.empty());
    std::ranges::sort(lists);
    const fs::path folderList = lists.back();
    std::vector<fs::path> folders;
    for (const fs::path& folder : FolderDirectories(written.root)) {
        const std::string account = folderList.parent_path().string() + "/";
        if (!folder.string().starts_with(account)) folders.push_back(folder);
    }
    ASSERT_GE(folders.size(), 5U);
    Write(folders[0] / "MESSAGES.TBB", std::string(4096, '\x5A'));
    Write(folders[1] / "MESSAGES.TBI", "");
    fs::remove(folders[2] / "MESSAGES.TBB");
    fs::remove(folders[3] / "MESSAGES.TBI");
    fs::create_directory(folders[3] / "MESSAGES.TBI");
    Write(folders[4] / "MESSAGES.TBI", std::string(64, '\x01'));
    Write(folderList, "garbage in the folder list");

    const CommandRun run = Index({});
    EXPECT_EQ(run.status, cli::kSomeNotRead) << run.err;
    EXPECT_THAT(run.err, HasSubstr("MESSAGES.TBB): not a message base, or a damaged one"));
    EXPECT_THAT(run.err, HasSubstr("MESSAGES.TBI): empty"));
    EXPECT_THAT(run.err, HasSubstr("MESSAGES.TBB): missing"));
    EXPECT_THAT(run.err, HasSubstr("MESSAGES.TBI): a directory, not a file"));
    EXPECT_THAT(run.err, HasSubstr("MESSAGES.TBI): not a message index, or a damaged one"));
    EXPECT_THAT(run.err, HasSubstr(folderList.string() + ": not a folder list, or a damaged one"));
    EXPECT_GT(Number(run.out, "the index holds "), 0);
    EXPECT_LT(Number(run.out, "the index holds "), held);
}

TEST_F(OmbrelStoreProblems, BadMessagesAreNamedAndIndexedOnceTheirBaseIsRestored) {
    const fs::path folder = FolderDirectories(written.root)[0];
    const std::string base = Read(folder / "MESSAGES.TBB");
    const std::string index = Read(folder / "MESSAGES.TBI");
    // Every record's magic spoilt but the first's (without which the base does not open).
    std::string damaged = base;
    const std::uint32_t dataStart = FetchU32(base, 4);
    const std::uint32_t table = FetchU32(index, 4);
    const std::uint32_t count = FetchU32(index, 12);
    for (std::uint32_t entry = 0; entry < count; ++entry) {
        const std::uint32_t record = FetchU32(index, table + 32 * entry + 4);
        if (record != 0) StoreU32(damaged, dataStart + record, 0);
    }
    Write(folder / "MESSAGES.TBB", damaged);
    const CommandRun run = Index({});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("messages that did not read (the next run tries them again): "));
    const std::int64_t bad = Number(run.out, "skipped, ");
    EXPECT_GT(bad, 0);
    EXPECT_EQ(Number(run.out, "the index holds "), held - bad);

    Write(folder / "MESSAGES.TBB", base);
    const CommandRun restored = Index({});
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_THAT(restored.out,
                HasSubstr("indexed " + std::to_string(bad) + " messages (0 skipped, 0 bad)"));
    EXPECT_EQ(Number(restored.out, "the index holds "), held);
}

TEST_F(OmbrelStoreProblems, SearchReadsAnIndexInAFolderAndFileThatCannotBeWritten) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to run the search as a user without rights";
    ASSERT_EQ(Index({}).status, 0);
    // The folder and the database belong to root and are only readable to others.
    fs::permissions(written.disk.Local(u""), fs::perms::owner_all | fs::perms::group_read |
                                                 fs::perms::group_exec | fs::perms::others_read |
                                                 fs::perms::others_exec);
    const CommandRun search = RunOmbrel({"search", "--db", written.database, "figures"}, kAsNobody);
    EXPECT_EQ(search.status, 0) << search.err;
    EXPECT_THAT(search.out, HasSubstr(" matched, "));
    EXPECT_EQ(search.err, "");

    // An index left in write-ahead-log mode (a run killed before its end) is read as a file that
    // does not change, and the search says so.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(written.database.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    const CommandRun wal = RunOmbrel({"search", "--db", written.database, "figures"}, kAsNobody);
    EXPECT_EQ(wal.status, 0) << wal.err;
    EXPECT_EQ(wal.out, search.out);
    EXPECT_THAT(wal.err, HasSubstr("read as an unchanging file"));
}

TEST_F(OmbrelStoreProblems, AFolderThatCannotBeReadIsReportedAndTheOthersIndexed) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to run the index as a user without rights";
    const fs::path folder = FolderDirectories(written.root)[0];
    fs::permissions(written.disk.Local(u""), fs::perms::all);
    for (const auto& entry : fs::recursive_directory_iterator(written.root)) {
        fs::permissions(entry.path(), fs::perms::others_read | fs::perms::others_exec,
                        fs::perm_options::add);
    }
    fs::permissions(folder, fs::perms::none);
    const std::string database = written.disk.Local(u"nobody.db").string();
    const CommandRun run = Index({}, "--db", database, std::string("timeout 60 ") + kAsNobody);
    EXPECT_EQ(run.status, cli::kSomeNotRead) << run.err;
    EXPECT_THAT(run.err, HasSubstr((folder / "MESSAGES.TBI").string() + "): Permission denied"));
    EXPECT_GT(Number(run.out, "the index holds "), 0);
    fs::permissions(folder, fs::perms::owner_all);
}

}  // namespace
}  // namespace ombrel::testing
