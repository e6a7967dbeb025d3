#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ombrel::cli {

// A database failure, with a message for the user.
class DatabaseError : public std::runtime_error {
  public:
    explicit DatabaseError(const std::string& message, int code = SQLITE_ERROR)
        : std::runtime_error(message), code_(code) {}
    // The SQLite result code (primary), SQLITE_ERROR for the program's own findings.
    int Code() const { return code_; }

  private:
    int code_;
};

// One open SQLite database. Every failure throws DatabaseError naming the file, and tells a
// database that another program holds locked, or a file that is not a usable database, apart.
class Sqlite {
  public:
    enum class Mode { kReadWrite, kReadOnly };

    // Opens the file. Read-only, a database that cannot be read without writing (one left in
    // write-ahead-log mode in a folder or on a file that cannot be written) is opened as an
    // unchanging file instead, which Immutable() then tells.
    Sqlite(const std::string& file, Mode mode);
    ~Sqlite();
    Sqlite(const Sqlite&) = delete;
    Sqlite& operator=(const Sqlite&) = delete;

    void Execute(const char* sql);
    std::int64_t LastRowId() const { return sqlite3_last_insert_rowid(db_); }
    sqlite3* Handle() const { return db_; }
    // Throws DatabaseError for a result that is not `SQLITE_OK`, `SQLITE_ROW` or `SQLITE_DONE`.
    int Check(int result) const;
    // True when the database was opened as a file that nobody changes while it is read.
    bool Immutable() const { return immutable_; }
    // Leaves the database in rollback-journal mode, which any reader can read without writing;
    // false (and nothing changed) while another program has it open.
    bool EndWriteAheadLog();

  private:
    // Opens with the flags; the SQLite result.
    int Open(const std::string& name, int flags);

    sqlite3* db_ = nullptr;
    std::string file_;
    bool immutable_ = false;
};

// A prepared statement, reset for reuse after each run.
class Statement {
  public:
    Statement(Sqlite& db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, std::string_view text);
    Statement& Bind(int index, std::int64_t number);
    Statement& Bind(int index, double number);
    Statement& BindNull(int index);
    // Steps once: true while a row is there.
    bool Step();
    // Steps to the end and resets.
    void Run();
    void Reset();

    std::string Text(int column) const;
    std::int64_t Integer(int column) const;
    double Real(int column) const;
    bool IsNull(int column) const;

  private:
    Sqlite& db_;
    sqlite3_stmt* statement_ = nullptr;
};

// A write transaction that rolls back unless committed. It starts as IMMEDIATE, so that a
// database that another program writes is reported at once.
class Transaction {
  public:
    explicit Transaction(Sqlite& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

  private:
    Sqlite& db_;
    bool open_ = true;
};

}  // namespace ombrel::cli
