// Opening an Access library as SQLite: from the cache when the file is
// unchanged, else by converting it (into the cache, or into memory).
#include "platform/mdb/AccessLibrary.h"

#include <sqlite3.h>

#include <cstdlib>

#include "platform/mdb/AccessCache.h"
#include "platform/mdb/SqliteUtil.h"

namespace qzdbs::mdb {

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw AccessError("无法读取 Access 零件库 \"" + path + "\": " + why);
}

SqliteHandle ConvertIntoMemory(const std::string& path) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE, nullptr);
  SqliteHandle db(raw);
  if (rc != SQLITE_OK) Fail(path, "无法创建内存数据库");
  try {
    ConvertAccessFile(path, raw);
    // A library is only ever read, whichever way it was opened.
    Exec(raw, "PRAGMA query_only=1");
  } catch (const SqliteWriteError& e) {
    Fail(path, std::string("无法转换: ") + e.what());
  }
  return db;
}

}  // namespace

std::filesystem::path AccessCacheFolder() {
  // The XDG rule: a relative XDG_CACHE_HOME is ignored.
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  if (xdg && *xdg && std::filesystem::path(xdg).is_absolute()) {
    return std::filesystem::path(xdg) / "qzdbs" / "access";
  }
  const char* home = std::getenv("HOME");
  if (home && *home) return std::filesystem::path(home) / ".cache" / "qzdbs" / "access";
  return {};
}

SqliteHandle OpenAccessAsSqlite(const std::string& path, const AccessOpenOptions& options) {
  const auto stamp = StampOf(path);
  if (!stamp) Fail(path, "文件不存在或无法读取");
  if (!IsAccessFile(path)) Fail(path, "不是 Access 数据库文件");
  const auto folder = options.cacheFolder.empty() ? AccessCacheFolder() : options.cacheFolder;
  if (options.useCache && !folder.empty()) {
    if (auto db = OpenCachedLibrary(folder / CacheFileName(*stamp))) return db;
    if (auto db = WriteCachedLibrary(path, folder, *stamp)) return db;
  }
  return ConvertIntoMemory(path);
}

}  // namespace qzdbs::mdb
