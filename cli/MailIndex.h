#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/EmailRecord.h"
#include "cli/Sqlite.h"

namespace ombrel::cli {

// How far the index has come through a folder's message base.
struct FolderProgress {
    std::int64_t id = 0;
    std::uint32_t done = 0;  // the messages before this position were taken (indexed or not)
    // The index entry of the last message taken (record offset and size), which tells an
    // appended base from one rewritten since.
    std::int64_t lastOffset = -1;
    std::int64_t lastSize = -1;
};

// Where an indexed message came from: its folder's message base and position in it, or the line
// of imported events that gave it.
struct MessageOrigin {
    std::optional<std::int64_t> folderId;
    std::uint32_t position = 0;
    std::string importKey;  // the event as imported, for events from outside
};

// One search result.
struct SearchHit {
    std::int64_t id = 0;  // of the message in the index
    std::string received;
    std::string folderPath;
    std::string from;
    std::string subject;
    std::string snippet;  // with the hits between "«" and "»"
    std::string json;     // the whole hit as one JSON object
};

// The full-text mail index: an SQLite database with an FTS5 table over the messages (see
// cli/Schema.sql for its tables). The schema carries a version; a database of another program or
// of a later version is refused.
class MailIndex {
  public:
    static constexpr int kSchemaVersion = 1;

    // Opens (creating when writing) the database and checks or sets up its schema.
    MailIndex(const std::string& file, Sqlite::Mode mode);

    Sqlite& Database() { return db_; }

    // The folder's progress, recorded as new (nothing done) the first time.
    FolderProgress Folder(const std::string& directory, const std::string& path);
    // Forgets every message of the folder: its base no longer holds what was indexed.
    void ClearFolder(std::int64_t folderId);
    void SaveProgress(const FolderProgress& progress);

    // Adds a message; false when its origin is already indexed (nothing is added then).
    bool AddMessage(const EmailRecord& record, const MessageOrigin& origin);
    std::int64_t MessageCount();

    // The messages that match the full-text query, best first. A query that is not valid FTS5
    // syntax is searched for as plain words.
    void Search(const std::string& query, int limit,
                const std::function<void(const SearchHit&)>& onHit);

  private:
    void SetUpSchema(Sqlite::Mode mode);
    void RunSearch(const std::string& match, int limit,
                   const std::function<void(const SearchHit&)>& onHit);

    Sqlite db_;
    std::unique_ptr<Statement> addMessage_;  // prepared once: it runs for every message
};

}  // namespace ombrel::cli
