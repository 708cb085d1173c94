// Turns a library file into an open, read-only SQLite database: the one place
// that decides how a file on disk becomes something the record sets can query.
#pragma once

#include <memory>
#include <string>

struct sqlite3;

namespace qzdbs::db {

struct SqliteCloser {
  void operator()(sqlite3* db) const;
};
using SqliteHandle = std::unique_ptr<sqlite3, SqliteCloser>;

// Opens the library at `path` read-only. Throws DbError naming the file when
// it is missing, empty or not a database.
SqliteHandle OpenLibraryFile(const std::string& path);

}  // namespace qzdbs::db
