// Writing and finding converted Access libraries in the user's cache folder.
#include "platform/mdb/AccessCache.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>

#include "platform/mdb/SqliteUtil.h"

namespace qzdbs::mdb {

namespace {

namespace fs = std::filesystem;

// Marks a cache file as ours ("QZAC") and names the converter's output
// format; raising kCacheFormat makes every older cache entry convert again.
constexpr long long kApplicationId = 0x515A4143;
constexpr long long kCacheFormat = 1;

uint64_t Fnv1a64(const std::string& text) {
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

std::string PathHash(const fs::path& path) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx",
                static_cast<unsigned long long>(Fnv1a64(path.string())));
  return text;
}

// SQLite URIs take the path percent-encoded.
std::string FileUri(const fs::path& file) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string uri = "file:";
  for (unsigned char c : file.string()) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 0xF];
    }
  }
  return uri;
}

// Removes the temporary file unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.empty()) {
      std::error_code ec;
      fs::remove(path_, ec);
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const fs::path& Path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  fs::path path_;
};

// The data must be on disk before the rename makes it visible, or a crash
// could leave a complete name over incomplete content.
bool SyncFile(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

void RemoveOlderEntries(const fs::path& folder, const std::string& hash, const fs::path& keep) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(hash + "-", 0) == 0 && entry.path().extension() == ".sqlite" &&
        entry.path().filename() != keep) {
      std::error_code ignored;
      fs::remove(entry.path(), ignored);
    }
  }
}

// True when SQLite finds every page of the entry sound: a flipped byte
// would otherwise fail every later run until the entry is deleted by hand.
bool Intact(sqlite3* db) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &raw, nullptr) != SQLITE_OK) {
    sqlite3_finalize(raw);
    return false;
  }
  Statement stmt(raw);
  if (sqlite3_step(raw) != SQLITE_ROW) return false;
  const auto* text = sqlite3_column_text(raw, 0);
  return text && std::string(reinterpret_cast<const char*>(text)) == "ok";
}

// The cache folder, private to the user: made 0700, and used only when it
// belongs to the user and nobody else may enter it.
bool PrivateFolder(const fs::path& folder) {
  std::error_code ec;
  fs::create_directories(folder.parent_path(), ec);
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
    return false;
  return (st.st_mode & 077) == 0 || ::chmod(folder.c_str(), 0700) == 0;
}

// Converts into a new file, readable by the user alone; false when the file
// cannot be written.
bool ConvertIntoFile(const std::string& source, const fs::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
  SqliteHandle db(raw);
  if (rc != SQLITE_OK) return false;
  try {
    // The file is thrown away on any failure, so it needs no journal.
    Exec(raw, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
    ConvertAccessFile(source, raw);
    Exec(raw, "PRAGMA application_id=" + std::to_string(kApplicationId) +
                  "; PRAGMA user_version=" + std::to_string(kCacheFormat));
  } catch (const SqliteWriteError&) {
    return false;
  }
  return sqlite3_close(db.release()) == SQLITE_OK;
}

}  // namespace

std::optional<SourceStamp> StampOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  std::error_code ec;
  fs::path absolute = fs::weakly_canonical(fs::absolute(path, ec), ec);
  if (ec) return std::nullopt;
  return SourceStamp{absolute, static_cast<uintmax_t>(st.st_size),
                     static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                     static_cast<uint64_t>(st.st_ino),
                     static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

std::string CacheFileName(const SourceStamp& stamp) {
  return PathHash(stamp.absolutePath) + "-" + std::to_string(stamp.size) + "-" +
         std::to_string(stamp.modifiedNs) + "-" + std::to_string(stamp.inode) + "-" +
         std::to_string(stamp.changedNs) + ".sqlite";
}

SqliteHandle OpenCachedLibrary(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return nullptr;
  sqlite3* raw = nullptr;
  // immutable: the entry is never changed in place (a new one is renamed over
  // it), so SQLite may skip locking.
  const int rc = sqlite3_open_v2((FileUri(file) + "?immutable=1").c_str(), &raw,
                                 SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  SqliteHandle db(raw);
  if (rc != SQLITE_OK) return nullptr;
  if (PragmaInteger(raw, "application_id") != kApplicationId ||
      PragmaInteger(raw, "user_version") != kCacheFormat || !Intact(raw)) {
    return nullptr;
  }
  return db;
}

SqliteHandle WriteCachedLibrary(const std::string& source, const fs::path& folder,
                                const SourceStamp& stamp) {
  static std::atomic<unsigned> counter{0};
  std::error_code ec;
  if (!PrivateFolder(folder)) return nullptr;
  const fs::path file = folder / CacheFileName(stamp);
  TemporaryFile temporary(file.string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                          std::to_string(counter++));
  if (!ConvertIntoFile(source, temporary.Path()) || !SyncFile(temporary.Path())) return nullptr;
  fs::rename(temporary.Path(), file, ec);
  if (ec) return nullptr;
  temporary.Keep();
  RemoveOlderEntries(folder, PathHash(stamp.absolutePath), file.filename());
  return OpenCachedLibrary(file);
}

}  // namespace qzdbs::mdb
