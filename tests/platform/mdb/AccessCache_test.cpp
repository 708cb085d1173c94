// The cache of converted Access libraries: convert once, reopen the cached
// database while the file is unchanged, convert again when it changes, and
// keep working in memory when the cache cannot be written.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <functional>
#include <optional>

#include "MdbPatch.h"
#include "TableDump.h"
#include "TempFolder.h"
#include "platform/mdb/AccessLibrary.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec))
    files.push_back(entry.path());
  return files;
}

void ExecOn(const fs::path& database, const std::string& sql) {
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(database.c_str(), &raw), SQLITE_OK);
  mdb::SqliteHandle db(raw);
  ASSERT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
      << sqlite3_errmsg(raw);
}

std::string FirstLayerName(sqlite3* db) {
  sqlite3_stmt* raw = nullptr;
  sqlite3_prepare_v2(db, "SELECT Name FROM QZLayer ORDER BY _rowid_ LIMIT 1", -1, &raw, nullptr);
  std::string name;
  if (sqlite3_step(raw) == SQLITE_ROW)
    name = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
  sqlite3_finalize(raw);
  return name;
}

class AccessCache : public ::testing::Test {
 protected:
  AccessCache() {
    fs::copy_file(TestDataDir() / "access" / "sample-library.mdb", library_);
    options_.cacheFolder = cache_;
  }

  mdb::SqliteHandle Open() { return mdb::OpenAccessAsSqlite(library_.string(), options_); }

  // The one cache entry; fails the test when there is not exactly one file.
  fs::path Entry() {
    const auto files = FilesIn(cache_);
    EXPECT_EQ(files.size(), 1u);
    return files.empty() ? fs::path() : files.front();
  }

  TempFolder temp_;
  fs::path library_ = temp_ / "library.mdb";
  fs::path cache_ = temp_ / "cache";
  mdb::AccessOpenOptions options_;
};

TEST_F(AccessCache, TheFirstOpenConvertsLaterOpensReuseTheResult) {
  const std::string original = FirstLayerName(Open().get());
  const fs::path entry = Entry();
  EXPECT_EQ(entry.extension(), ".sqlite");
  // Marking the cached copy shows whether a reopen reads it or converts again.
  ExecOn(entry, "UPDATE QZLayer SET Name='from the cache' WHERE _rowid_=1");
  auto db = Open();
  EXPECT_EQ(FirstLayerName(db.get()), "from the cache");
  EXPECT_NE(original, "from the cache");
  EXPECT_EQ(Entry(), entry);
  EXPECT_EQ(TableNames(db.get()).size(), 46u);
  // Private to the user: what a library holds is nobody else's to read.
  EXPECT_EQ(fs::status(entry).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::status(cache_).permissions() & fs::perms::all, fs::perms::owner_all);
}

// Any change a user can make, even one that keeps size and modification
// time, gets a fresh conversion; a corrupt entry is converted again.
TEST_F(AccessCache, AChangedFileOrACorruptEntryIsConvertedAgain) {
  const std::string original = FirstLayerName(Open().get());
  const auto sameTime = [&](const std::function<void()>& change) {
    const auto time = fs::last_write_time(library_);
    change();
    fs::last_write_time(library_, time);
  };
  const struct {
    const char* change;
    std::function<void()> make;
  } rows[] = {
      {"a later mtime",
       [&] {
         fs::last_write_time(library_, fs::last_write_time(library_) + std::chrono::seconds(2));
       }},
      {"rewritten in place, mtime set back",
       [&] { sameTime([&] { WriteBytes(library_, ReadBytes(library_)); }); }},
      {"replaced by a copy, mtime set back",
       [&] {
         sameTime([&] {
           fs::copy_file(library_, temp_ / "copy.mdb");
           fs::rename(temp_ / "copy.mdb", library_);
         });
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.change);
    const fs::path oldEntry = Entry();
    ExecOn(oldEntry, "UPDATE QZLayer SET Name='stale' WHERE _rowid_=1");
    row.make();
    EXPECT_EQ(FirstLayerName(Open().get()), original);
    EXPECT_NE(Entry(), oldEntry);
  }
  // The first b-tree page's type byte flipped: SQLite reports the file corrupt.
  const fs::path entry = Entry();
  std::string bytes = ReadBytes(entry);
  const size_t pageSize =
      (static_cast<unsigned char>(bytes[16]) << 8) | static_cast<unsigned char>(bytes[17]);
  bytes[pageSize] = static_cast<char>(bytes[pageSize] ^ 0xFF);
  WriteBytes(entry, bytes);
  EXPECT_EQ(FirstLayerName(Open().get()), original);
  EXPECT_EQ(FirstLayerName(Open().get()), original);
  EXPECT_EQ(Entry(), entry);
}

TEST_F(AccessCache, AnEntryAnotherConverterVersionWroteIsReplaced) {
  const std::string original = FirstLayerName(Open().get());
  const fs::path entry = Entry();
  ExecOn(entry, "UPDATE QZLayer SET Name='old format' WHERE _rowid_=1; PRAGMA user_version=0");

  EXPECT_EQ(FirstLayerName(Open().get()), original);
  EXPECT_EQ(Entry(), entry);
}

TEST_F(AccessCache, TwoPathsToOneFileShareTheirEntry) {
  const auto link = temp_ / "link.mdb";
  fs::create_symlink(library_, link);
  Open();
  mdb::OpenAccessAsSqlite(link.string(), options_);
  mdb::OpenAccessAsSqlite((temp_.Path() / "." / "library.mdb").string(), options_);
  EXPECT_EQ(FilesIn(cache_).size(), 1u);
}

TEST_F(AccessCache, AnUnwritableCacheFallsBackToMemory) {
  // A file where a folder should be: not even root can create the folder.
  WriteBytes(temp_ / "not-a-folder", "x");
  options_.cacheFolder = temp_ / "not-a-folder" / "cache";
  auto db = Open();
  EXPECT_EQ(TableNames(db.get()).size(), 46u);
  EXPECT_NE(sqlite3_exec(db.get(), "DELETE FROM QZLayer", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(FilesIn(temp_.Path()).size(), 2u);  // the library and the blocking file only
}

TEST_F(AccessCache, WithoutTheCacheNothingIsWritten) {
  options_.useCache = false;
  EXPECT_EQ(TableNames(Open().get()).size(), 46u);
  EXPECT_FALSE(fs::exists(cache_));
}

TEST_F(AccessCache, TheCachedDatabaseIsReadOnly) {
  Open();
  auto db = Open();  // from the cache
  EXPECT_EQ(sqlite3_db_readonly(db.get(), "main"), 1);
  EXPECT_NE(sqlite3_exec(db.get(), "CREATE TABLE x (a)", nullptr, nullptr, nullptr), SQLITE_OK);
}

TEST_F(AccessCache, AFailedConversionLeavesNothingBehind) {
  std::string bytes = ReadBytes(library_);
  WriteBytes(library_, bytes.substr(0, bytes.size() - 4096));
  EXPECT_THROW(Open(), mdb::AccessError);
  EXPECT_TRUE(FilesIn(cache_).empty());
}

// Sets or clears an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(AccessCacheFolder, FollowsTheXdgRules) {
  struct Case {
    const char* xdg;
    const char* home;
    const char* folder;
  };
  const Case cases[] = {
      {"/var/cache/me", "/home/me", "/var/cache/me/qzdbs/access"},
      {"relative/cache", "/home/me", "/home/me/.cache/qzdbs/access"},
      {"", "/home/me", "/home/me/.cache/qzdbs/access"},
      {nullptr, "/home/me", "/home/me/.cache/qzdbs/access"},
      {nullptr, nullptr, ""},
  };
  for (const auto& c : cases) {
    ScopedEnv xdg("XDG_CACHE_HOME", c.xdg);
    ScopedEnv home("HOME", c.home);
    EXPECT_EQ(mdb::AccessCacheFolder(), fs::path(c.folder))
        << (c.xdg ? c.xdg : "(unset)") << " / " << (c.home ? c.home : "(unset)");
  }
}

TEST(AccessCacheFolder, IsWhereADefaultOpenKeepsItsEntry) {
  TempFolder temp;
  ScopedEnv xdg("XDG_CACHE_HOME", temp.Path().c_str());
  mdb::OpenAccessAsSqlite((TestDataDir() / "access" / "sample-library.mdb").string());
  EXPECT_EQ(FilesIn(temp / "qzdbs" / "access").size(), 1u);
}

}  // namespace
}  // namespace qzdbs::test
