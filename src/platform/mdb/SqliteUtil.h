// Small helpers over the SQLite C API for writing converted libraries.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace qzdbs::mdb {

// The target database could not be written (full disk, I/O error, ...); kept
// apart from AccessError so that a failing cache can fall back to memory.
class SqliteWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An open SQLite database, closed when the handle goes.
struct SqliteCloser {
  void operator()(sqlite3* db) const;
};
using SqliteHandle = std::unique_ptr<sqlite3, SqliteCloser>;

struct StatementFinalizer {
  void operator()(sqlite3_stmt* stmt) const;
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Runs SQL text; throws SqliteWriteError with SQLite's message and `context`.
void Exec(sqlite3* db, const std::string& sql, const std::string& context = {});
Statement Prepare(sqlite3* db, const std::string& sql, const std::string& context = {});
// A double-quoted SQL identifier.
std::string QuoteName(const std::string& name);
// The integer a "PRAGMA name" returns; nullopt when it cannot be read.
std::optional<long long> PragmaInteger(sqlite3* db, const std::string& name);

}  // namespace qzdbs::mdb
