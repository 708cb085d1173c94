// Opening a library file read-only.
#include "db/recordset/LibraryFile.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

#include "db/recordset/DbError.h"
#include "platform/mdb/AccessLibrary.h"

namespace qzdbs::db {

SqliteHandle OpenLibraryFile(const std::string& path) {
  auto fail = [&](const std::string& why) -> DbError {
    return DbError("无法打开零件库 \"" + path + "\": " + why);
  };
  std::error_code error;
  // SQLite takes an empty file for an empty database; a library is never empty.
  if (std::filesystem::is_regular_file(path, error) && std::filesystem::file_size(path, error) == 0)
    throw fail("file is empty");

  // An Access library is converted once into SQLite (and cached), so the same
  // SQL runs on it; every other file must be an SQLite library.
  if (mdb::IsAccessFile(path)) {
    try {
      return mdb::OpenAccessAsSqlite(path);
    } catch (const mdb::AccessError& e) {
      throw DbError(e.what());
    }
  }
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  SqliteHandle db(raw);
  if (rc == SQLITE_OK) {
    // The shared lock is taken once and kept while the library is open, rather
    // than taken and given back around every query: a run reads a part with
    // a hundred small queries. Other readers are not held up.
    rc = sqlite3_exec(db.get(), "PRAGMA locking_mode = EXCLUSIVE", nullptr, nullptr, nullptr);
  }
  if (rc == SQLITE_OK) {
    // Reading the schema proves the file is a database, not just any file.
    rc = sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  }
  if (rc != SQLITE_OK) throw fail(db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc));
  return db;
}

}  // namespace qzdbs::db
