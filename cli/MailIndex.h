#pragma once

#include <cstdint>
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

// The full-text mail index: an SQLite database with an FTS5 table over the messages (see
// cli/Schema.sql for its tables). The schema carries a version; a database of another program or
// of a later version is refused, one of an earlier version is upgraded when opened for writing.
class MailIndex {
  public:
    static constexpr int kSchemaVersion = 2;

    // Opens (creating when writing) the database and checks, sets up or upgrades its schema.
    MailIndex(const std::string& file, Sqlite::Mode mode);

    Sqlite& Database() { return db_; }
    // The schema version that the database was upgraded from on opening, or 0.
    int UpgradedFrom() const { return upgradedFrom_; }

    std::string Setting(const std::string& name);
    void SetSetting(const std::string& name, const std::string& value);

    // Whether the index keeps the English stems of the words (message_stems); Stem makes it so.
    bool HasStems();
    void Stem();

    // The folder's progress, recorded as new (nothing done) the first time.
    FolderProgress Folder(const std::string& directory, const std::string& path);
    // Forgets every message of the folder: its base no longer holds what was indexed.
    void ClearFolder(std::int64_t folderId);
    void SaveProgress(const FolderProgress& progress);

    // Adds a message; false when its origin is already indexed (nothing is added then).
    bool AddMessage(const EmailRecord& record, const MessageOrigin& origin);
    std::int64_t MessageCount();

  private:
    void SetUpSchema(Sqlite::Mode mode);
    void Upgrade(std::int64_t version);

    Sqlite db_;
    int upgradedFrom_ = 0;
    std::unique_ptr<Statement> addMessage_;  // prepared once: it runs for every message
};

}  // namespace ombrel::cli
