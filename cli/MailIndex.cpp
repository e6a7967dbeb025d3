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

constexpr const char* kStemSchema =
#include "StemSchemaSql.inc"
    ;

// The columns of messages that a version 1 index had, all kept by the upgrade.
constexpr const char* kVersion1Columns =
    "id, folder_id, position, import_key, received, subject, sender, recipients, cc, bcc, "
    "reply_to, body, attachments, format, mail_flags, folder_path";

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
    if (application == kApplicationId && version == 1) {
        if (mode == Sqlite::Mode::kReadOnly) {
            throw DatabaseError(
                "the database was written by an earlier ombrel (schema 1): run `ombrel index` "
                "once to upgrade it");
        }
        Upgrade(version);
        return;
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

// The messages imported stay as they were; the folders' messages are read again from the store by
// the next index run, so that they hold all that schema 2 keeps.
void MailIndex::Upgrade(std::int64_t version) {
    Transaction transaction(db_);
    db_.Execute(
        "DROP TRIGGER messages_added; DROP TRIGGER messages_removed; DROP TABLE message_text; "
        "ALTER TABLE messages RENAME TO messages_v1;");
    db_.Execute(kSchema);
    db_.Execute((std::string("INSERT INTO messages (") + kVersion1Columns + ") SELECT " +
                 kVersion1Columns + " FROM messages_v1 WHERE import_key IS NOT NULL; " +
                 "DROP TABLE messages_v1; " +
                 "UPDATE folders SET done = 0, last_offset = -1, last_size = -1; " +
                 "PRAGMA user_version = " + std::to_string(kSchemaVersion))
                    .c_str());
    transaction.Commit();
    upgradedFrom_ = static_cast<int>(version);
}

std::string MailIndex::Setting(const std::string& name) {
    Statement select(db_, "SELECT value FROM settings WHERE name = ?1");
    select.Bind(1, name);
    return select.Step() ? select.Text(0) : std::string();
}

void MailIndex::SetSetting(const std::string& name, const std::string& value) {
    Statement(db_, "INSERT OR REPLACE INTO settings (name, value) VALUES (?1, ?2)")
        .Bind(1, name)
        .Bind(2, value)
        .Run();
}

bool MailIndex::HasStems() {
    return Pragma(db_, "SELECT count(*) FROM sqlite_schema WHERE name = 'message_stems'") != 0;
}

void MailIndex::Stem() {
    if (HasStems()) return;
    Transaction transaction(db_);
    db_.Execute(kStemSchema);
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
            folder_path, message_id, in_reply_to, refs, thread, status, stored_size)
        VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18,
                ?19, ?20, ?21))sql");
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
    if (record.stored) {
        const MessageText& text = record.stored->text;
        insert.Bind(16, text.messageId).Bind(17, text.inReplyTo).Bind(18, text.references);
        insert.Bind(19, text.thread).Bind(20, std::int64_t{record.stored->status});
        insert.Bind(21, std::int64_t{record.stored->size});
    }
    insert.Run();
    return sqlite3_changes(db_.Handle()) > 0;
}

std::int64_t MailIndex::MessageCount() {
    return Pragma(db_, "SELECT count(*) FROM messages");
}

}  // namespace ombrel::cli
