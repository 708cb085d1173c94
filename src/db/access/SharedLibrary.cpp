// The per-thread table of open libraries and their statement caches.
#include "db/access/SharedLibrary.h"

#include <sqlite3.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "db/access/DbError.h"

namespace qzdbs::db {

void SharedLibrary::StatementCloser::operator()(sqlite3_stmt* statement) const {
  sqlite3_finalize(statement);
}

SharedLibrary::SharedLibrary(SqliteHandle db) : db_(std::move(db)) {}
SharedLibrary::~SharedLibrary() = default;

sqlite3_stmt* SharedLibrary::Prepare(const std::string& sql) {
  if (auto found = statements_.find(sql); found != statements_.end()) {
    sqlite3_reset(found->second.get());
    return found->second.get();
  }
  sqlite3_stmt* raw = nullptr;
  const int rc = sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr);
  Statement statement(raw);
  if (rc != SQLITE_OK) throw DbError(sqlite3_errmsg(db_.get()));
  if (!statement) throw DbError("查询语句为空: \"" + sql + "\"");
  if (statements_.size() >= kStatementLimit) statements_.clear();
  return statements_.emplace(sql, std::move(statement)).first->second.get();
}

namespace {

// Which file a path names at the moment: a library rebuilt or replaced under
// the same name while a connection still holds the old one is opened afresh.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  int64_t modified = 0;

  static FileIdentity Of(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    return {info.st_dev, info.st_ino, info.st_size,
            static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
  }
  bool operator==(const FileIdentity&) const = default;
};

struct OpenEntry {
  std::weak_ptr<SharedLibrary> library;
  FileIdentity identity;
};

}  // namespace

std::shared_ptr<SharedLibrary> ShareLibraryFile(const std::string& path) {
  // Handles are opened without SQLite's own mutex, so they never cross threads:
  // each thread (a batch job, the studio's window) keeps its own table.
  thread_local std::map<std::string, OpenEntry> open;
  std::error_code error;
  std::filesystem::path key = std::filesystem::absolute(path, error).lexically_normal();
  if (error) key = path;
  const FileIdentity identity = FileIdentity::Of(path);
  for (auto it = open.begin(); it != open.end();)
    it = it->second.library.expired() ? open.erase(it) : std::next(it);
  auto& entry = open[key.string()];
  if (auto library = entry.library.lock(); library && entry.identity == identity) return library;
  auto library = std::make_shared<SharedLibrary>(OpenLibraryFile(path));
  entry = {library, identity};
  return library;
}

}  // namespace qzdbs::db
