#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "cli/MailIndex.h"
#include "tests/native/cli/OmbrelRun.h"
#include "tests/support/SampleMail.h"
#include "tests/support/SamplePasses.h"

namespace ombrel::testing {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

// The count of the folder pass's "Indexed N" line over the store.
std::int64_t FolderPassIndexed(const SampleStore& store) {
    for (const std::u16string& line : FolderPassLog(store)) {
        if (line.starts_with(u"Indexed "))
            return std::stoll(std::string(line.begin() + 8, line.end()));
    }
    return 0;
}

// Every message is found by the longest word of its subject and of its body, and by its folder
// path and attachment names in their columns.
void ExpectEveryMessageFound(const std::string& database) {
    for (const IndexedMessage& message : IndexedMessages(database)) {
        const std::pair<const char*, const std::string*> fields[] = {
            {"", &message.subject},
            {"", &message.body},
            {"folder:", &message.folderPath},
            {"attachment:", &message.attachments}};
        for (const auto& [column, text] : fields) {
            const std::string phrase = LongestWordPhrase(*text);
            if (phrase.empty()) continue;
            EXPECT_THAT(SearchIds(database, column + phrase), Contains(message.id))
                << column << phrase << " of message " << message.id;
        }
    }
}

CommandRun Index(const WrittenStore& written, const std::vector<std::string>& more = {}) {
    std::vector<std::string> arguments = {"index",          written.root, "--db",
                                          written.database, "--registry", written.registry};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return RunOmbrel(arguments);
}

void ExpectIndexed(const CommandRun& run, std::int64_t indexed, std::int64_t held) {
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("indexed " + std::to_string(indexed) + " messages ("));
    EXPECT_THAT(run.out, HasSubstr("the index holds " + std::to_string(held) + " messages"));
}

TEST(OmbrelIndex, FindsEveryMessageOfTheSampleStoreThatTheFolderPassIndexes) {
    const SampleStore store = MakeSampleStore(12);
    const WrittenStore written(store);
    const std::int64_t indexed = FolderPassIndexed(store);
    ASSERT_GT(indexed, 100);
    ExpectIndexed(Index(written, {"--verbose"}), indexed, indexed);
    ExpectEveryMessageFound(written.database);
    EXPECT_FALSE(SearchIds(written.database, "folder:Beta").empty());
}

#ifdef OMBREL_PYTHON_EMAIL_DATA
// The messages that Python's own e-mail tests read, from all walks of mail software.
std::vector<StoredMessage> PythonTestMessages() {
    std::vector<StoredMessage> messages;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(OMBREL_PYTHON_EMAIL_DATA)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("msg_") && name.ends_with(".txt")) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::int32_t time = 1136073600;
    for (const std::filesystem::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        messages.push_back({std::string(std::istreambuf_iterator<char>(in), {}), time += 3600, 0});
    }
    return messages;
}

TEST(OmbrelIndex, FindsEveryOneOfPythonsTestMessages) {
    const SampleStore store = OneFolderStore(PythonTestMessages(), u"Python");
    ASSERT_GE(store.accounts[0].folders[0].messages.size(), 40U);
    const WrittenStore written(store);

    // Without the registry export: the account is the folder that holds a folder list.
    const CommandRun run = RunOmbrel({"index", written.root, "--db", written.database});
    const auto indexed = static_cast<std::int64_t>(store.accounts[0].folders[0].messages.size());
    ExpectIndexed(run, indexed, indexed);
    ExpectEveryMessageFound(written.database);
    EXPECT_FALSE(SearchIds(written.database, "attachment:dingusfish").empty());

    // A copy of the store elsewhere is the same store to the index.
    const std::string copy = written.disk.Local(u"copy").string();
    std::filesystem::copy(written.root, copy, std::filesystem::copy_options::recursive);
    ExpectIndexed(RunOmbrel({"index", copy, "--db", written.database}), 0, indexed);
}
#endif

TEST(OmbrelIndex, RunsAgainAddOnlyTheMailThatIsNew) {
    SampleStore store = MakeSampleStore(6);
    const WrittenStore written(store);
    const std::int64_t indexed = FolderPassIndexed(store);
    ExpectIndexed(Index(written), indexed, indexed);
    const std::vector<std::string> first = DatabaseRows(written.database);
    ExpectIndexed(Index(written), 0, indexed);
    EXPECT_EQ(DatabaseRows(written.database), first);

    // Three messages land in Main's Inbox, one of them marked as not to be indexed.
    std::vector<StoredMessage>& inbox = store.accounts[0].folders[0].messages;
    for (int i = 0; i < 3; ++i) {
        inbox.push_back({SampleMail(SampleMailKind::kPlain, 7000 + i, 1300000000 + i * 60,
                                    "new.sender@example.org", "main@example.org"),
                         1300000000 + i * 60, i == 1 ? 1U : 0U});
    }
    WriteSampleStore(store, written.disk.Local(u"store"), written.disk.Directory(u"store").Std());
    ExpectIndexed(Index(written), 2, indexed + 2);
    EXPECT_EQ(SearchIds(written.database, "\"new.sender\"").size(), 2U);

    // The host compacted the Inbox: its base now holds other messages; they replace the old.
    inbox.erase(inbox.begin(), inbox.begin() + 4);
    WriteSampleStore(store, written.disk.Local(u"store"), written.disk.Directory(u"store").Std());
    const CommandRun rewritten = Index(written);
    EXPECT_EQ(rewritten.status, 0) << rewritten.err;
    EXPECT_EQ(static_cast<std::int64_t>(IndexedMessages(written.database).size()),
              FolderPassIndexed(store));
    ExpectEveryMessageFound(written.database);
}

// Starts `ombrel` with the arguments, its output thrown away.
pid_t StartOmbrel(const std::vector<std::string>& arguments) {
    std::vector<std::string> all = {OMBREL_CLI};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(all.size() + 1);
    for (std::string& argument : all) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int result = posix_spawn(&pid, OMBREL_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? pid : -1;
}

// The database passes SQLite's and FTS5's own checks.
void ExpectWhole(const std::string& database) {
    cli::MailIndex index(database, cli::Sqlite::Mode::kReadWrite);
    cli::Statement check(index.Database(), "PRAGMA integrity_check");
    ASSERT_TRUE(check.Step());
    EXPECT_EQ(check.Text(0), "ok");
    EXPECT_NO_THROW(index.Database().Execute(
        "INSERT INTO message_text (message_text) VALUES ('integrity-check')"));
}

TEST(OmbrelIndex, KilledRunsLeaveAWholeIndexThatTheNextRunCompletesWithoutDuplicates) {
    const SampleStore store = MakeSampleStore(150);
    const WrittenStore written(store);
    const std::string whole = written.disk.Local(u"whole.db").string();
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(
        RunOmbrel({"index", written.root, "--db", whole, "--registry", written.registry}).status,
        0);
    // Each run is killed after a sixth of what a whole run took here, so that however fast this
    // machine is, the first runs are killed mid-way and each later one goes on from the last.
    const auto delay = (std::chrono::steady_clock::now() - started) / 6;

    const std::vector<std::string> arguments = {"index",          written.root, "--db",
                                                written.database, "--registry", written.registry};
    int kills = 0;
    std::size_t lastCount = 0;
    while (kills < 30) {
        const pid_t pid = StartOmbrel(arguments);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(delay);
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFSIGNALED(status)) break;  // it finished before the kill
        ++kills;
        if (!std::filesystem::exists(written.database)) continue;
        ExpectWhole(written.database);
        const std::size_t count = IndexedMessages(written.database).size();
        EXPECT_GE(count, lastCount);
        lastCount = count;
    }
    EXPECT_GE(kills, 3);
    EXPECT_EQ(RunOmbrel(arguments).status, 0);
    EXPECT_EQ(DatabaseRows(written.database), DatabaseRows(whole));
}

TEST(OmbrelIndex, RefusesLockedDamagedAndForeignDatabasesWithAClearError) {
    const WrittenStore written(MakeSampleStore(2));
    ASSERT_EQ(Index(written).status, 0);
    {
        cli::Sqlite other(written.database, cli::Sqlite::Mode::kReadWrite);
        other.Execute("BEGIN EXCLUSIVE");
        const CommandRun locked = Index(written);
        EXPECT_EQ(locked.status, 1);
        EXPECT_THAT(locked.err, HasSubstr("locked by another program"));
    }
    const std::filesystem::path file = written.database;
    std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2 + 100);
    std::filesystem::remove(file.string() + "-wal");
    const std::string damagedQuery = "Quarterly";
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"search", "--db", written.database, damagedQuery},
          std::vector<std::string>{"index", written.root, "--db", written.database}}) {
        const CommandRun damaged = RunOmbrel(command);
        EXPECT_EQ(damaged.status, 1);
        EXPECT_THAT(damaged.err, HasSubstr("not a usable database")) << damaged.err;
    }

    written.disk.Write(u"garbage.db", std::string(8192, 'x'));
    const CommandRun garbage =
        RunOmbrel({"search", "--db", written.disk.Local(u"garbage.db").string(), "x"});
    EXPECT_EQ(garbage.status, 1);
    EXPECT_THAT(garbage.err, HasSubstr("not a usable database"));

    const std::string foreign = written.disk.Local(u"foreign.db").string();
    cli::Sqlite(foreign, cli::Sqlite::Mode::kReadWrite).Execute("CREATE TABLE notes (text)");
    const CommandRun refused = RunOmbrel({"import", "--db", foreign, written.registry});
    EXPECT_EQ(refused.status, 1);
    EXPECT_THAT(refused.err, HasSubstr("not one of ombrel's mail indexes"));

    const CommandRun missing =
        RunOmbrel({"search", "--db", written.disk.Local(u"none.db").string(), "x"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_THAT(missing.err, HasSubstr("cannot be opened"));
}

// Every file below the directory with its size and time of last change.
std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> Listing(
    const std::string& directory) {
    std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory)) {
        files[entry.path().string()] = {entry.is_regular_file() ? entry.file_size() : 0,
                                        entry.last_write_time()};
    }
    return files;
}

TEST(OmbrelIndex, NeverWritesIntoTheDataDirectory) {
    const WrittenStore written(MakeSampleStore(3));
    const auto before = Listing(written.root);
    EXPECT_EQ(Index(written, {"--enabled-only"}).status, 0);
    EXPECT_EQ(Listing(written.root), before);

    const CommandRun inside =
        RunOmbrel({"index", written.root, "--db", written.root + "/Main/mail.db"});
    EXPECT_EQ(inside.status, 1);
    EXPECT_THAT(inside.err, HasSubstr("must not lie inside DATA_DIR"));
    EXPECT_EQ(Listing(written.root), before);
}

TEST(OmbrelIndex, IndexesOnlyTheEnabledFoldersWhenAsked) {
    const SampleStore store = MakeSampleStore(3);
    const WrittenStore written(store);
    const CommandRun run = Index(written, {"--enabled-only", "--verbose"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const IndexedMessage& message : IndexedMessages(written.database)) {
        EXPECT_THAT(run.out, HasSubstr(message.folderPath + ": Indexed "));
    }
    EXPECT_LT(IndexedMessages(written.database).size(),
              static_cast<std::size_t>(FolderPassIndexed(store)));
}

}  // namespace
}  // namespace ombrel::testing
