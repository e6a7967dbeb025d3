#include "tests/native/cli/OmbrelRun.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "cli/MailIndex.h"
#include "cli/MailSearch.h"

namespace ombrel::testing {
namespace {

std::string Quote(const std::string& argument) {
    std::string quoted = "'";
    for (const char c : argument) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsWordByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
           (byte >= 'A' && byte <= 'Z');
}

}  // namespace

CommandRun RunOmbrel(const std::vector<std::string>& arguments, const std::string& runner) {
    const TempDirectory output;
    std::string command = runner + " " + Quote(OMBREL_CLI);
    for (const std::string& argument : arguments) command += " " + Quote(argument);
    command += " >" + Quote(output.Local(u"out").string()) + " 2>" +
               Quote(output.Local(u"err").string()) + " </dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(output.Local(u"out")),
            ReadAll(output.Local(u"err"))};
}

SampleStore OneFolderStore(std::vector<StoredMessage> messages, const std::u16string& user) {
    SampleStore store;
    SampleAccount account;
    account.user = user;
    account.directory = user + u"\\";
    account.address = "anna@example.org";
    SampleFolder inbox;
    inbox.storedName = "Inbox";
    inbox.displayName = u"Inbox";
    inbox.messages = std::move(messages);
    account.folders.push_back(std::move(inbox));
    store.accounts.push_back(std::move(account));
    store.registrySlots = 2;
    return store;
}

WrittenStore::WrittenStore(const SampleStore& store)
    : root(disk.Local(u"store").string()),
      registry(disk.Local(u"registry.reg").string()),
      database(disk.Local(u"mail.db").string()) {
    WriteSampleStore(store, disk.Local(u"store"), disk.Directory(u"store").Std());
    disk.Write(u"registry.reg",
               RegFileBytes(SampleRegistry(store, disk.Directory(u"store").Std())));
}

std::vector<IndexedMessage> IndexedMessages(const std::string& database) {
    cli::MailIndex index(database, cli::Sqlite::Mode::kReadOnly);
    cli::Statement rows(index.Database(),
                        "SELECT id, subject, body, attachments, folder_path FROM messages "
                        "ORDER BY id");
    std::vector<IndexedMessage> messages;
    while (rows.Step()) {
        messages.push_back(
            {rows.Integer(0), rows.Text(1), rows.Text(2), rows.Text(3), rows.Text(4)});
    }
    return messages;
}

std::vector<std::string> DatabaseRows(const std::string& database) {
    cli::MailIndex index(database, cli::Sqlite::Mode::kReadOnly);
    std::vector<std::string> rows;
    for (const char* sql :
         {"SELECT quote(id) || ',' || quote(folder_id) || ',' || quote(position) || ',' || "
          "quote(received) || ',' || quote(subject) || ',' || quote(body) || ',' || "
          "quote(attachments) || ',' || quote(folder_path) FROM messages ORDER BY id",
          "SELECT quote(id) || ',' || directory || ',' || path || ',' || done || ',' || "
          "last_offset || ',' || last_size FROM folders ORDER BY id",
          "SELECT count(*) FROM message_text"}) {
        cli::Statement statement(index.Database(), sql);
        while (statement.Step()) rows.push_back(statement.Text(0));
    }
    return rows;
}

std::vector<std::int64_t> SearchIds(const std::string& database, const std::string& query) {
    cli::MailIndex index(database, cli::Sqlite::Mode::kReadOnly);
    cli::MailSearch search(index.Database(), false);
    const cli::CompiledQuery compiled = search.Compile(*cli::ParseQuery(query, kNow));
    std::vector<std::int64_t> ids = search.Ids(compiled, cli::SortOrder::kOldest, 1000000, 0);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::string LongestWordPhrase(const std::string& text) {
    std::string longest;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && !IsWordByte(text[at])) ++at;
        const std::size_t start = at;
        while (at < text.size() && IsWordByte(text[at])) ++at;
        if (at - start > longest.size()) longest = text.substr(start, at - start);
    }
    return longest.size() >= 4 ? "\"" + longest + "\"" : std::string();
}

}  // namespace ombrel::testing
