#include "cli/BadMessages.h"

namespace ombrel::cli {

BadMessages::BadMessages(Sqlite& db) : db_(db) {
    db_.Execute(R"sql(
        CREATE TABLE IF NOT EXISTS bad_messages (
            folder_id INTEGER NOT NULL REFERENCES folders (id),
            position INTEGER NOT NULL,
            PRIMARY KEY (folder_id, position)
        ) WITHOUT ROWID)sql");
}

std::vector<std::uint32_t> BadMessages::Of(std::int64_t folderId) {
    Statement select(db_,
                     "SELECT position FROM bad_messages WHERE folder_id = ?1 ORDER BY position");
    select.Bind(1, folderId);
    std::vector<std::uint32_t> positions;
    while (select.Step()) positions.push_back(static_cast<std::uint32_t>(select.Integer(0)));
    return positions;
}

void BadMessages::Add(std::int64_t folderId, std::uint32_t position) {
    Statement(db_, "INSERT OR IGNORE INTO bad_messages (folder_id, position) VALUES (?1, ?2)")
        .Bind(1, folderId)
        .Bind(2, std::int64_t{position})
        .Run();
}

void BadMessages::Remove(std::int64_t folderId, std::uint32_t position) {
    Statement(db_, "DELETE FROM bad_messages WHERE folder_id = ?1 AND position = ?2")
        .Bind(1, folderId)
        .Bind(2, std::int64_t{position})
        .Run();
}

void BadMessages::Clear(std::int64_t folderId) {
    Statement(db_, "DELETE FROM bad_messages WHERE folder_id = ?1").Bind(1, folderId).Run();
}

}  // namespace ombrel::cli
