// Whole-table reads for comparing libraries.
#include "TableDump.h"

#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qzdbs::test {

namespace {

struct Finalize {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, Finalize>;

Stmt PrepareOrThrow(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
    sqlite3_finalize(raw);
    throw std::runtime_error(sql + ": " + sqlite3_errmsg(db));
  }
  return Stmt(raw);
}

std::string Quote(const std::string& name) {
  std::string q = "\"";
  for (char c : name)
    q += (c == '"') ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

}  // namespace

std::string Describe(const Cell& cell) {
  std::ostringstream out;
  switch (cell.type) {
    case SQLITE_INTEGER:
      out << "integer " << cell.integer;
      break;
    case SQLITE_FLOAT:
      out.precision(17);
      out << "real " << cell.real;
      break;
    case SQLITE_TEXT:
      out << "text '" << cell.bytes << "'";
      break;
    case SQLITE_BLOB:
      out << "blob of " << cell.bytes.size() << " bytes";
      break;
    default:
      out << "null";
  }
  return out.str();
}

mdb::SqliteHandle LoadSqlScript(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream script;
  script << in.rdbuf();
  sqlite3* raw = nullptr;
  sqlite3_open(":memory:", &raw);
  mdb::SqliteHandle db(raw);
  char* error = nullptr;
  if (sqlite3_exec(raw, script.str().c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : "?";
    sqlite3_free(error);
    throw std::runtime_error(file + ": " + message);
  }
  return db;
}

std::vector<std::string> TableNames(sqlite3* db) {
  auto stmt = PrepareOrThrow(db, "SELECT name FROM sqlite_master WHERE type='table'");
  std::vector<std::string> names;
  while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
    names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::pair<std::string, std::string>> ColumnsOf(sqlite3* db, const std::string& table) {
  auto stmt = PrepareOrThrow(db, "SELECT name, type FROM pragma_table_info(?) ORDER BY cid");
  sqlite3_bind_text(stmt.get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
  std::vector<std::pair<std::string, std::string>> columns;
  while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
    columns.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)),
                         reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 1)));
  }
  return columns;
}

std::vector<std::vector<Cell>> RowsOf(sqlite3* db, const std::string& table) {
  // _rowid_, not rowid: QZParaValue has a column named RowID.
  auto stmt = PrepareOrThrow(db, "SELECT * FROM " + Quote(table) + " ORDER BY _rowid_");
  std::vector<std::vector<Cell>> rows;
  const int n = sqlite3_column_count(stmt.get());
  while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
    std::vector<Cell> row(n);
    for (int i = 0; i < n; ++i) {
      Cell& cell = row[i];
      cell.type = sqlite3_column_type(stmt.get(), i);
      if (cell.type == SQLITE_INTEGER) cell.integer = sqlite3_column_int64(stmt.get(), i);
      if (cell.type == SQLITE_FLOAT) cell.real = sqlite3_column_double(stmt.get(), i);
      if (cell.type == SQLITE_TEXT || cell.type == SQLITE_BLOB) {
        const void* p = cell.type == SQLITE_TEXT
                            ? static_cast<const void*>(sqlite3_column_text(stmt.get(), i))
                            : sqlite3_column_blob(stmt.get(), i);
        const int size = sqlite3_column_bytes(stmt.get(), i);
        if (size > 0) cell.bytes.assign(static_cast<const char*>(p), static_cast<size_t>(size));
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<std::string> IndexSqlOf(sqlite3* db, const std::string& table) {
  auto stmt = PrepareOrThrow(
      db, "SELECT sql FROM sqlite_master WHERE type='index' AND tbl_name=? AND sql IS NOT NULL");
  sqlite3_bind_text(stmt.get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
  std::vector<std::string> sql;
  while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
    sql.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)));
  }
  std::sort(sql.begin(), sql.end());
  return sql;
}

long long QueryInteger(sqlite3* db, const std::string& sql) {
  auto stmt = PrepareOrThrow(db, sql);
  if (sqlite3_step(stmt.get()) != SQLITE_ROW) throw std::runtime_error(sql + ": no row");
  return sqlite3_column_int64(stmt.get(), 0);
}

}  // namespace qzdbs::test
