// Query results read whole.
#include "support/SqlRows.h"

#include <sqlite3.h>

#include <cstdio>
#include <stdexcept>

namespace qzdbs::test {

long long SqlValue::Int() const {
  if (type != SQLITE_INTEGER) throw std::runtime_error("not an integer: " + text);
  return std::stoll(text);
}

double SqlValue::Real() const {
  if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) throw std::runtime_error("not a number");
  return std::stod(text);
}

std::ostream& operator<<(std::ostream& out, const SqlValue& value) {
  const char* names[] = {"?", "integer ", "real ", "text '", "blob of ", "null"};
  out << names[value.type];
  if (value.type == SQLITE_BLOB) return out << value.text.size() << " bytes";
  return out << value.text << (value.type == SQLITE_TEXT ? "'" : "");
}

mdb::SqliteHandle OpenReadOnly(const std::filesystem::path& file) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
  mdb::SqliteHandle db(raw);
  if (rc != SQLITE_OK) throw std::runtime_error("cannot open " + file.string());
  return db;
}

mdb::SqliteHandle LoadSqlScript(const std::string& sql) {
  sqlite3* raw = nullptr;
  sqlite3_open(":memory:", &raw);
  mdb::SqliteHandle db(raw);
  mdb::Exec(raw, sql, "test script");
  return db;
}

std::vector<SqlRow> QueryRows(sqlite3* db, const std::string& sql) {
  mdb::Statement stmt = mdb::Prepare(db, sql, sql);
  std::vector<SqlRow> rows;
  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    SqlRow& row = rows.emplace_back(sqlite3_column_count(stmt.get()));
    for (size_t i = 0; i < row.size(); ++i) {
      SqlValue& value = row[i];
      value.type = sqlite3_column_type(stmt.get(), static_cast<int>(i));
      if (value.type == SQLITE_FLOAT) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.17g",
                      sqlite3_column_double(stmt.get(), static_cast<int>(i)));
        value.text = digits;
      } else if (value.type != SQLITE_NULL) {
        const void* bytes = value.type == SQLITE_BLOB
                                ? sqlite3_column_blob(stmt.get(), static_cast<int>(i))
                                : sqlite3_column_text(stmt.get(), static_cast<int>(i));
        const int size = sqlite3_column_bytes(stmt.get(), static_cast<int>(i));
        if (size > 0) value.text.assign(static_cast<const char*>(bytes), size);
      }
    }
  }
  if (rc != SQLITE_DONE) throw std::runtime_error(sql + ": " + sqlite3_errmsg(db));
  return rows;
}

std::vector<std::string> QueryColumn(sqlite3* db, const std::string& sql) {
  std::vector<std::string> column;
  for (const SqlRow& row : QueryRows(db, sql))
    column.push_back(row.at(0).text);
  return column;
}

long long QueryInteger(sqlite3* db, const std::string& sql) {
  const std::vector<SqlRow> rows = QueryRows(db, sql);
  if (rows.size() != 1 || rows[0].size() != 1) throw std::runtime_error("not one value: " + sql);
  return rows[0][0].Int();
}

}  // namespace qzdbs::test
