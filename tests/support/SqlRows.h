// Whole query results of an SQLite database, so that libraries can be compared value by value
// and the built libraries read back.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/mdb/SqliteUtil.h"

namespace qzdbs::test {

// One value: its storage class (SQLITE_INTEGER, _FLOAT, _TEXT, _BLOB or _NULL) and its bytes,
// a real written with every digit it needs to read back exactly.
struct SqlValue {
  int type = SQLITE_NULL;
  std::string text;
  bool operator==(const SqlValue&) const = default;
  bool IsNull() const { return type == SQLITE_NULL; }
  long long Int() const;  // throws unless an integer
  double Real() const;    // throws unless an integer or a real
};
std::ostream& operator<<(std::ostream& out, const SqlValue& value);
using SqlRow = std::vector<SqlValue>;

// A database file opened read-only, or a new in-memory one made by an SQL script; both throw.
mdb::SqliteHandle OpenReadOnly(const std::filesystem::path& file);
mdb::SqliteHandle LoadSqlScript(const std::string& sql);

std::vector<SqlRow> QueryRows(sqlite3* db, const std::string& sql);
// The first column of every row, as texts.
std::vector<std::string> QueryColumn(sqlite3* db, const std::string& sql);
long long QueryInteger(sqlite3* db, const std::string& sql);

}  // namespace qzdbs::test
