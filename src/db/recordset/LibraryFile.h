// Turns a library file into an open, read-only SQLite database: the one place
// that decides how a file on disk becomes something the record sets can query.
#pragma once

#include <string>

#include "platform/mdb/SqliteUtil.h"

namespace qzdbs::db {

using mdb::SqliteHandle;

// Opens the library at `path` read-only. Throws DbError naming the file when
// it is missing, empty or not a database.
SqliteHandle OpenLibraryFile(const std::string& path);

}  // namespace qzdbs::db
