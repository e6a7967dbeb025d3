#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/SampleStore.h"
#include "tests/support/TempDirectory.h"

// Runs of the `ombrel` command over mail stores written to a temporary directory, and what its
// database then holds.
namespace ombrel::testing {

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `ombrel` with the arguments (each quoted for the shell), through `runner` when given (a
// shell command prefix such as "timeout 60").
CommandRun RunOmbrel(const std::vector<std::string>& arguments, const std::string& runner = "");

// A store of one account, "Main" (or `user`), whose one folder, its Inbox, holds the messages.
SampleStore OneFolderStore(std::vector<StoredMessage> messages,
                           const std::u16string& user = u"Main");

// A mail store written below a temporary directory ("store/", with its registry export
// "registry.reg" beside it), and a database path beside it.
struct WrittenStore {
    TempDirectory disk;
    std::string root;      // the working directory
    std::string registry;  // the registry export
    std::string database;

    explicit WrittenStore(const SampleStore& store);
};

// The messages of the database: id, subject, body, attachments, folder path; by id.
struct IndexedMessage {
    std::int64_t id = 0;
    std::string subject;
    std::string body;
    std::string attachments;
    std::string folderPath;
};
std::vector<IndexedMessage> IndexedMessages(const std::string& database);

// Every row of the database's messages and folders tables, as text, in order.
std::vector<std::string> DatabaseRows(const std::string& database);

// The time that relative dates in the tests' queries count back from.
inline constexpr const char* kNow = "2006-09-01 12:00:00";

// The ids of the messages that a search finds (as many as there are), in order.
std::vector<std::int64_t> SearchIds(const std::string& database, const std::string& query);

// The longest word of the text (at least four bytes long) as a quoted phrase, or empty.
std::string LongestWordPhrase(const std::string& text);

}  // namespace ombrel::testing
