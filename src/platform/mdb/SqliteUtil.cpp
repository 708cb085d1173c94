// SQLite helpers for the Access conversion.
#include "platform/mdb/SqliteUtil.h"

#include <sqlite3.h>

namespace qzdbs::mdb {

namespace {

[[noreturn]] void ThrowSqlite(sqlite3* db, const std::string& context) {
  std::string message = sqlite3_errmsg(db);
  if (!context.empty()) message = context + ": " + message;
  throw SqliteWriteError(message);
}

}  // namespace

void SqliteCloser::operator()(sqlite3* db) const {
  sqlite3_close_v2(db);
}

void StatementFinalizer::operator()(sqlite3_stmt* stmt) const {
  sqlite3_finalize(stmt);
}

void Exec(sqlite3* db, const std::string& sql, const std::string& context) {
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
    ThrowSqlite(db, context);
}

Statement Prepare(sqlite3* db, const std::string& sql, const std::string& context) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr) !=
      SQLITE_OK) {
    sqlite3_finalize(stmt);
    ThrowSqlite(db, context);
  }
  return Statement(stmt);
}

std::string QuoteName(const std::string& name) {
  std::string quoted = "\"";
  for (char c : name) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::optional<long long> PragmaInteger(sqlite3* db, const std::string& name) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, ("PRAGMA " + name).c_str(), -1, &raw, nullptr) != SQLITE_OK) {
    sqlite3_finalize(raw);
    return std::nullopt;
  }
  Statement stmt(raw);
  if (sqlite3_step(raw) != SQLITE_ROW) return std::nullopt;
  return sqlite3_column_int64(raw, 0);
}

}  // namespace qzdbs::mdb
