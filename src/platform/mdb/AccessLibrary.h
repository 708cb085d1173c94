// Part libraries kept as Microsoft Access files: recognised by their header,
// converted once through mdbtools into SQLite and cached, so the same SQL runs
// on them as on a native library.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/mdb/SqliteUtil.h"

namespace qzdbs::mdb {

// Any failure to read an Access library. The message names the file, and the
// table when one table is at fault.
class AccessError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class AccessFormat {
  Jet3,  // Access 97
  Jet4,  // Access 2000 to 2003
  Ace,   // Access 2007 and later (.accdb)
};

// The format named by the file's header; nullopt when the file cannot be read
// or is no Access database.
std::optional<AccessFormat> DetectAccessFormat(const std::string& path);
bool IsAccessFile(const std::string& path);

struct AccessOpenOptions {
  // Where converted libraries are kept; empty means AccessCacheFolder().
  std::filesystem::path cacheFolder;
  // False converts into memory on every open and leaves no file behind.
  bool useCache = true;
};

// $XDG_CACHE_HOME/qzdbs/access, or ~/.cache/qzdbs/access; empty when neither
// an absolute XDG_CACHE_HOME nor HOME is set.
std::filesystem::path AccessCacheFolder();

// A read-only SQLite database with the Access file's content. The first open
// of a file converts it and keeps the result in the cache folder, keyed by the
// file's absolute path, size and modification time; later opens of the
// unchanged file only open the cached database. When the cache cannot be
// written the conversion is kept in memory instead. Throws AccessError.
SqliteHandle OpenAccessAsSqlite(const std::string& path, const AccessOpenOptions& options = {});

struct TableSummary {
  std::string name;
  int64_t rows = 0;
};

// Copies every user table of the Access file (columns, types, rows) into the
// writable database `target`, then creates the library's lookup indexes.
// Returns the tables in catalogue order with their row counts. Throws
// AccessError for a fault of the Access file and std::runtime_error when the
// target cannot be written.
std::vector<TableSummary> ConvertAccessFile(const std::string& path, sqlite3* target);

}  // namespace qzdbs::mdb
