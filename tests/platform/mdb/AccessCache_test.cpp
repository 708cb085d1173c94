// The cache of converted Access libraries: convert once, reopen the cached
// database while the file is unchanged, convert again when it changes, and
// keep working in memory when the cache cannot be written.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>

#include "MdbPatch.h"
#include "MdbTest.h"
#include "support/ScopedEnv.h"

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

// Marks the first layer of a cached database, so that a reopen shows whether it read the entry.
void MarkLayer(const fs::path& database, const std::string& name, const std::string& more = "") {
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(database.c_str(), &raw), SQLITE_OK);
  mdb::SqliteHandle db(raw);
  mdb::Exec(raw, "UPDATE QZLayer SET Name='" + name + "' WHERE _rowid_=1;" + more);
}

std::string FirstLayerName(const mdb::SqliteHandle& db) {
  return QueryColumn(db.get(), "SELECT Name FROM QZLayer ORDER BY _rowid_ LIMIT 1").at(0);
}

class AccessCache : public ::testing::Test {
 protected:
  AccessCache() {
    fs::copy_file(FixtureMdb(), library_);
    options_.cacheFolder = cache_;
  }

  mdb::SqliteHandle Open() { return mdb::OpenAccessAsSqlite(library_.string(), options_); }

  // The one cache entry; fails the test when there is not exactly one file.
  fs::path Entry() {
    const auto files = FilesIn(cache_);
    EXPECT_EQ(files.size(), 1u);
    return files.empty() ? fs::path() : files.front();
  }

  ScratchDir temp_;
  fs::path library_ = temp_.Path() / "library.mdb";
  fs::path cache_ = temp_.Path() / "cache";
  mdb::AccessOpenOptions options_;
};

TEST_F(AccessCache, TheFirstOpenConvertsLaterOpensReuseTheResult) {
  const std::string original = FirstLayerName(Open());
  const fs::path entry = Entry();
  EXPECT_EQ(entry.extension(), ".sqlite");
  MarkLayer(entry, "from the cache");
  auto db = Open();
  EXPECT_EQ(FirstLayerName(db), "from the cache");
  EXPECT_NE(original, "from the cache");
  EXPECT_EQ(Entry(), entry);
  EXPECT_EQ(TableNames(db.get()).size(), 46u);
  EXPECT_EQ(sqlite3_db_readonly(db.get(), "main"), 1);
  EXPECT_NE(sqlite3_exec(db.get(), "CREATE TABLE x (a)", nullptr, nullptr, nullptr), SQLITE_OK);
  // Private to the user: what a library holds is nobody else's to read.
  EXPECT_EQ(fs::status(entry).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::status(cache_).permissions() & fs::perms::all, fs::perms::owner_all);
}

// Any change a user can make, even one that keeps size and modification
// time, gets a fresh conversion; so does an entry another converter version
// wrote; a corrupt entry is converted again.
TEST_F(AccessCache, AChangedFileOrAForeignOrCorruptEntryIsConvertedAgain) {
  const std::string original = FirstLayerName(Open());
  const auto sameTime = [&](const std::function<void()>& change) {
    const auto time = fs::last_write_time(library_);
    change();
    fs::last_write_time(library_, time);
  };
  const struct {
    const char* change;
    std::function<void()> make;
    bool sameEntry;
  } rows[] = {
      {"a later mtime",
       [&] {
         fs::last_write_time(library_, fs::last_write_time(library_) + std::chrono::seconds(2));
       },
       false},
      {"rewritten in place, mtime set back",
       [&] { sameTime([&] { WriteBytes(library_, ReadText(library_)); }); }, false},
      {"replaced by a copy, mtime set back",
       [&] {
         sameTime([&] {
           fs::copy_file(library_, temp_.Path() / "copy.mdb");
           fs::rename(temp_.Path() / "copy.mdb", library_);
         });
       },
       false},
      {"another converter version", [&] { MarkLayer(Entry(), "old", "PRAGMA user_version=0"); },
       true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.change);
    const fs::path oldEntry = Entry();
    MarkLayer(oldEntry, "stale");
    row.make();
    EXPECT_EQ(FirstLayerName(Open()), original);
    EXPECT_EQ(Entry() == oldEntry, row.sameEntry);
  }
  // The first b-tree page's type byte flipped: SQLite reports the file corrupt.
  const fs::path entry = Entry();
  std::string bytes = ReadText(entry);
  const size_t pageSize =
      (static_cast<unsigned char>(bytes[16]) << 8) | static_cast<unsigned char>(bytes[17]);
  bytes[pageSize] = static_cast<char>(bytes[pageSize] ^ 0xFF);
  WriteBytes(entry, bytes);
  EXPECT_EQ(FirstLayerName(Open()), original);
  EXPECT_EQ(FirstLayerName(Open()), original);
  EXPECT_EQ(Entry(), entry);
}

TEST_F(AccessCache, TwoPathsToOneFileShareTheirEntry) {
  const auto link = temp_.Path() / "link.mdb";
  fs::create_symlink(library_, link);
  Open();
  mdb::OpenAccessAsSqlite(link.string(), options_);
  mdb::OpenAccessAsSqlite((temp_.Path() / "." / "library.mdb").string(), options_);
  EXPECT_EQ(FilesIn(cache_).size(), 1u);
}

TEST_F(AccessCache, WithoutAWritableCacheTheLibraryIsReadInMemory) {
  // A file where a folder should be: not even root can create the folder.
  WriteBytes(temp_.Path() / "not-a-folder", "x");
  options_.cacheFolder = temp_.Path() / "not-a-folder" / "cache";
  auto db = Open();
  EXPECT_EQ(TableNames(db.get()).size(), 46u);
  EXPECT_NE(sqlite3_exec(db.get(), "DELETE FROM QZLayer", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(FilesIn(temp_.Path()).size(), 2u);  // the library and the blocking file only

  options_ = {};
  options_.cacheFolder = cache_;
  options_.useCache = false;
  EXPECT_EQ(TableNames(Open().get()).size(), 46u);
  EXPECT_FALSE(fs::exists(cache_));
}

TEST_F(AccessCache, AFailedConversionLeavesNothingBehind) {
  std::string bytes = ReadText(library_);
  WriteBytes(library_, bytes.substr(0, bytes.size() - 4096));
  EXPECT_THROW(Open(), mdb::AccessError);
  EXPECT_TRUE(FilesIn(cache_).empty());
}

TEST(AccessCacheFolder, FollowsTheXdgRules) {
  const struct {
    const char* xdg;
    const char* home;
    const char* folder;
  } cases[] = {
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
  // A default open keeps its entry there.
  ScratchDir temp;
  ScopedEnv xdg("XDG_CACHE_HOME", temp.Path().c_str());
  mdb::OpenAccessAsSqlite(FixtureMdb().string());
  EXPECT_EQ(FilesIn(temp.Path() / "qzdbs" / "access").size(), 1u);
}

}  // namespace
}  // namespace qzdbs::test
