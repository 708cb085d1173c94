// The on-disk cache of converted Access libraries: one SQLite file per source
// file, named by the source's absolute path, size and modification time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/mdb/AccessLibrary.h"

namespace qzdbs::mdb {

struct SourceStamp {
  std::filesystem::path absolutePath;
  uintmax_t size = 0;
  int64_t modifiedNs = 0;
  // What a user cannot set back: a file replaced or changed in place with
  // the same size and modification time still gets a new entry.
  uint64_t inode = 0;
  int64_t changedNs = 0;
};

// nullopt when the file cannot be examined.
std::optional<SourceStamp> StampOf(const std::string& path);

// "<hash of the path>-<size>-<mtime>-<inode>-<ctime>.sqlite": a changed file
// gets a new name, and the hash finds the older entries of the same path.
std::string CacheFileName(const SourceStamp& stamp);

// The cached conversion, read-only; nullptr when there is none, the file is
// not one this version of the converter wrote, or SQLite finds it corrupt.
SqliteHandle OpenCachedLibrary(const std::filesystem::path& file);

// Converts `source` into folder/fileName (through a temporary file, 0600,
// that is renamed into place; the folder is made 0700 and used only when it
// is the user's), removes older entries of the same source and opens the
// result. nullptr when the cache cannot be written; AccessError when the
// source itself cannot be read.
SqliteHandle WriteCachedLibrary(const std::string& source, const std::filesystem::path& folder,
                                const SourceStamp& stamp);

}  // namespace qzdbs::mdb
