#include "cli/Sqlite.h"

#include <cstdio>

namespace ombrel::cli {
namespace {

std::string Describe(const std::string& file, int result, const char* detail) {
    switch (result & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return file + ": the database is locked by another program; try again when it is done";
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return file + ": not a usable database (damaged, or not a database of this program): " +
                   detail;
        case SQLITE_CANTOPEN:
            return file + ": the database cannot be opened: " + detail;
        case SQLITE_READONLY:
            return file + ": the database cannot be written: " + detail;
        case SQLITE_FULL:
            return file + ": the disk is full";
        default:
            return file + ": " + detail;
    }
}

// The file as an SQLite URI that opens it as an unchanging file: read without locks, a journal
// or a write-ahead log, so that neither the file nor its folder needs to be writable.
std::string ImmutableUri(const std::string& file) {
    std::string uri = "file:";
    for (const char c : file) {
        if (c == '%' || c == '?' || c == '#') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            uri += escaped;
        } else {
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

// A read that needs to write: the database's write-ahead log or its shared memory cannot be made.
bool NeedsWriting(int result) {
    return (result & 0xFF) == SQLITE_CANTOPEN || (result & 0xFF) == SQLITE_READONLY;
}

}  // namespace

Sqlite::Sqlite(const std::string& file, Mode mode) : file_(file) {
    int result = Open(file, mode == Mode::kReadOnly ? SQLITE_OPEN_READONLY
                                                    : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (result == SQLITE_OK && mode == Mode::kReadOnly) {
        result = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
        if (NeedsWriting(result)) {
            sqlite3_close_v2(db_);
            immutable_ = true;
            result = Open(ImmutableUri(file), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
        }
    }
    if (result != SQLITE_OK) {
        const std::string detail = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(result);
        sqlite3_close(db_);
        db_ = nullptr;
        throw DatabaseError(Describe(file_, result, detail.c_str()), result & 0xFF);
    }
}

int Sqlite::Open(const std::string& name, int flags) {
    db_ = nullptr;
    const int result = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr);
    if (result != SQLITE_OK) return result;
    sqlite3_extended_result_codes(db_, 1);
    // Another program's short write (an import next to an index run) is waited for.
    sqlite3_busy_timeout(db_, 2000);
    return result;
}

bool Sqlite::EndWriteAheadLog() {
    try {
        Statement mode(*this, "PRAGMA journal_mode = DELETE");
        return mode.Step() && mode.Text(0) == "delete";
    } catch (const DatabaseError&) {
        return false;  // busy: another program reads or writes it now
    }
}

Sqlite::~Sqlite() {
    sqlite3_close_v2(db_);
}

int Sqlite::Check(int result) const {
    if (result == SQLITE_OK || result == SQLITE_ROW || result == SQLITE_DONE) return result;
    throw DatabaseError(Describe(file_, result, sqlite3_errmsg(db_)), result & 0xFF);
}

void Sqlite::Execute(const char* sql) {
    Check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr));
}

Statement::Statement(Sqlite& db, const char* sql) : db_(db) {
    db_.Check(
        sqlite3_prepare_v3(db.Handle(), sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr));
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

Statement& Statement::Bind(int index, std::string_view text) {
    db_.Check(sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                                  SQLITE_UTF8));
    return *this;
}

Statement& Statement::Bind(int index, std::int64_t number) {
    db_.Check(sqlite3_bind_int64(statement_, index, number));
    return *this;
}

Statement& Statement::Bind(int index, double number) {
    db_.Check(sqlite3_bind_double(statement_, index, number));
    return *this;
}

Statement& Statement::BindNull(int index) {
    db_.Check(sqlite3_bind_null(statement_, index));
    return *this;
}

bool Statement::Step() {
    const int result = sqlite3_step(statement_);
    if (result != SQLITE_ROW && result != SQLITE_DONE) {
        sqlite3_reset(statement_);
        db_.Check(result);
    }
    return result == SQLITE_ROW;
}

void Statement::Run() {
    while (Step()) {
    }
    Reset();
}

void Statement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::string Statement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text != nullptr ? std::string(text, sqlite3_column_bytes(statement_, column)) : "";
}

std::int64_t Statement::Integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double Statement::Real(int column) const {
    return sqlite3_column_double(statement_, column);
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

Transaction::Transaction(Sqlite& db) : db_(db) {
    db_.Execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (open_) sqlite3_exec(db_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
    db_.Execute("COMMIT");
    open_ = false;
}

}  // namespace ombrel::cli
