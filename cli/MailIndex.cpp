#include "cli/MailIndex.h"

namespace ombrel::cli {
namespace {

constexpr std::int64_t kApplicationId = 0x4F4D4231;  // "OMB1"

constexpr const char* kSchema =
#include "SchemaSql.inc"
    ;

std::int64_t Pragma(Sqlite& db, const char* sql) {
    Statement statement(db, sql);
    return statement.Step() ? statement.Integer(0) : 0;
}

// Every word of the query as a quoted FTS5 string, so that none of it reads as syntax.
std::string QuotedWords(const std::string& query) {
    std::string match;
    std::size_t at = 0;
    while (at < query.size()) {
        const std::size_t start = query.find_first_not_of(" \t", at);
        if (start == std::string::npos) break;
        std::size_t end = query.find_first_of(" \t", start);
        if (end == std::string::npos) end = query.size();
        if (!match.empty()) match += ' ';
        match += '"';
        for (const char c : query.substr(start, end - start)) {
            match += c;
            if (c == '"') match += '"';
        }
        match += '"';
        at = end;
    }
    return match;
}

// The hits, best first: the ranking weights of the columns of message_text make a hit in the
// subject count most. The snippet's line ends become spaces.
constexpr const char* kSearchSql = R"sql(
    SELECT id, received, folder_path, sender, subject, snippet,
           json_object('id', id, 'received', received, 'folder', folder_path, 'from', sender,
                       'subject', subject, 'snippet', snippet, 'rank', score)
    FROM (SELECT m.id, m.received, m.folder_path, m.sender, m.subject,
                 replace(replace(snippet(message_text, -1, '«', '»', '...', 12), char(13), ''),
                         char(10), ' ') AS snippet,
                 bm25(message_text, 10.0, 4.0, 2.0, 2.0, 1.0, 4.0, 2.0) AS score
          FROM message_text JOIN messages AS m ON m.id = message_text.rowid
          WHERE message_text MATCH ?1
          ORDER BY score, m.id
          LIMIT ?2))sql";

}  // namespace

MailIndex::MailIndex(const std::string& file, Sqlite::Mode mode) : db_(file, mode) {
    SetUpSchema(mode);
    if (mode == Sqlite::Mode::kReadWrite) {
        // A write-ahead log keeps readers going while a run writes; a commit survives a killed
        // process, and the database stays whole through a power loss.
        db_.Execute("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;");
    }
}

void MailIndex::SetUpSchema(Sqlite::Mode mode) {
    const std::int64_t application = Pragma(db_, "PRAGMA application_id");
    const std::int64_t version = Pragma(db_, "PRAGMA user_version");
    const std::int64_t objects = Pragma(db_, "SELECT count(*) FROM sqlite_schema");
    if (application == kApplicationId && version == kSchemaVersion) return;
    if (application == kApplicationId && version > kSchemaVersion) {
        throw DatabaseError("the database was written by a later version of ombrel (schema " +
                            std::to_string(version) + ")");
    }
    if (objects != 0 || application != 0) {
        throw DatabaseError("the database is not one of ombrel's mail indexes");
    }
    if (mode == Sqlite::Mode::kReadOnly) throw DatabaseError("the database is empty");
    Transaction transaction(db_);
    db_.Execute(kSchema);
    db_.Execute(("PRAGMA application_id = " + std::to_string(kApplicationId) +
                 "; PRAGMA user_version = " + std::to_string(kSchemaVersion))
                    .c_str());
    transaction.Commit();
}

FolderProgress MailIndex::Folder(const std::string& directory, const std::string& path) {
    Statement insert(db_, "INSERT OR IGNORE INTO folders (directory, path) VALUES (?1, ?2)");
    insert.Bind(1, directory).Bind(2, path).Run();
    Statement update(db_, "UPDATE folders SET path = ?2 WHERE directory = ?1 AND path <> ?2");
    update.Bind(1, directory).Bind(2, path).Run();
    Statement select(db_,
                     "SELECT id, done, last_offset, last_size FROM folders WHERE directory = ?1");
    select.Bind(1, directory);
    select.Step();
    return {select.Integer(0), static_cast<std::uint32_t>(select.Integer(1)), select.Integer(2),
            select.Integer(3)};
}

void MailIndex::ClearFolder(std::int64_t folderId) {
    Statement(db_, "DELETE FROM messages WHERE folder_id = ?1").Bind(1, folderId).Run();
    SaveProgress({folderId, 0, -1, -1});
}

void MailIndex::SaveProgress(const FolderProgress& progress) {
    Statement(db_, "UPDATE folders SET done = ?2, last_offset = ?3, last_size = ?4 WHERE id = ?1")
        .Bind(1, progress.id)
        .Bind(2, std::int64_t{progress.done})
        .Bind(3, progress.lastOffset)
        .Bind(4, progress.lastSize)
        .Run();
}

bool MailIndex::AddMessage(const EmailRecord& record, const MessageOrigin& origin) {
    if (!addMessage_)
        addMessage_ = std::make_unique<Statement>(db_, R"sql(
        INSERT OR IGNORE INTO messages (folder_id, position, import_key, received, subject,
            sender, recipients, cc, bcc, reply_to, body, attachments, format, mail_flags,
            folder_path)
        VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15))sql");
    Statement& insert = *addMessage_;
    if (origin.folderId) {
        insert.Bind(1, *origin.folderId).Bind(2, std::int64_t{origin.position});
    }
    if (!origin.importKey.empty()) insert.Bind(3, origin.importKey);
    const std::string received = record.ReceivedText();
    if (!received.empty()) insert.Bind(4, received);
    insert.Bind(5, record.subject).Bind(6, record.from).Bind(7, record.to).Bind(8, record.cc);
    insert.Bind(9, record.bcc).Bind(10, record.replyTo).Bind(11, record.BodyText());
    insert.Bind(12, record.AttachmentNames()).Bind(13, record.format);
    insert.Bind(14, std::int64_t{record.mailFlags}).Bind(15, record.folderPath);
    insert.Run();
    return sqlite3_changes(db_.Handle()) > 0;
}

std::int64_t MailIndex::MessageCount() {
    return Pragma(db_, "SELECT count(*) FROM messages");
}

void MailIndex::Search(const std::string& query, int limit,
                       const std::function<void(const SearchHit&)>& onHit) {
    try {
        RunSearch(query, limit, onHit);
    } catch (const DatabaseError& error) {
        // FTS5 reports a query it cannot parse as a plain error, before any row.
        if (error.Code() != SQLITE_ERROR) throw;
        RunSearch(QuotedWords(query), limit, onHit);
    }
}

void MailIndex::RunSearch(const std::string& match, int limit,
                          const std::function<void(const SearchHit&)>& onHit) {
    Statement search(db_, kSearchSql);
    search.Bind(1, match).Bind(2, std::int64_t{limit});
    while (search.Step()) {
        onHit({search.Integer(0), search.Text(1), search.Text(2), search.Text(3), search.Text(4),
               search.Text(5), search.Text(6)});
    }
}

}  // namespace ombrel::cli
