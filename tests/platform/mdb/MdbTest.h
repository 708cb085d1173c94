// What the Access tests share: the fixture, opening without the cache, and whole tables.
#pragma once

#include <string>
#include <vector>

#include "platform/mdb/AccessLibrary.h"
#include "support/ScratchLibrary.h"
#include "support/SqlRows.h"
#include "support/TestPaths.h"

namespace qzdbs::test {

inline std::filesystem::path FixtureMdb() {
  return TestDataDir() / "access" / "sample-library.mdb";
}

inline mdb::SqliteHandle OpenUncached(const std::filesystem::path& file) {
  mdb::AccessOpenOptions options;
  options.useCache = false;
  return mdb::OpenAccessAsSqlite(file.string(), options);
}

// An Access 2007 header on Jet 4 bytes: ACE files keep the Jet 4 row and text layout.
inline std::string AceHeader(std::string bytes) {
  bytes.replace(4, 15, "Standard ACE DB");
  bytes[0x14] = 2;
  return bytes;
}

inline std::vector<std::string> TableNames(sqlite3* db) {
  return QueryColumn(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
}
inline std::vector<SqlRow> ColumnsOf(sqlite3* db, const std::string& table) {
  return QueryRows(db, "SELECT name, type FROM pragma_table_info('" + table + "')");
}
// _rowid_, not rowid: QZParaValue has a column named RowID.
inline std::vector<SqlRow> RowsOf(sqlite3* db, const std::string& table) {
  return QueryRows(db, "SELECT * FROM " + mdb::QuoteName(table) + " ORDER BY _rowid_");
}
inline std::vector<std::string> IndexSqlOf(sqlite3* db, const std::string& table) {
  return QueryColumn(db, "SELECT sql FROM sqlite_master WHERE type='index' AND tbl_name='" + table +
                             "' AND sql IS NOT NULL ORDER BY sql");
}

}  // namespace qzdbs::test
