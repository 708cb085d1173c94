// Reading whole SQLite tables back, with each value's storage class, so that
// two libraries can be compared value by value.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/mdb/AccessLibrary.h"

namespace qzdbs::test {

struct Cell {
  int type = 0;  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL
  long long integer = 0;
  double real = 0;
  std::string bytes;  // text or blob
  bool operator==(const Cell&) const = default;
};
std::string Describe(const Cell& cell);

// A database built by running an SQL script in memory.
mdb::SqliteHandle LoadSqlScript(const std::string& file);

std::vector<std::string> TableNames(sqlite3* db);  // sorted
// Column name and declared type, in table order.
std::vector<std::pair<std::string, std::string>> ColumnsOf(sqlite3* db, const std::string& table);
// Every row in insertion order.
std::vector<std::vector<Cell>> RowsOf(sqlite3* db, const std::string& table);
// The SQL of the indexes on a table, sorted.
std::vector<std::string> IndexSqlOf(sqlite3* db, const std::string& table);
// Runs a query returning one integer.
long long QueryInteger(sqlite3* db, const std::string& sql);

}  // namespace qzdbs::test
