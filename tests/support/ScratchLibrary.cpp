// Libraries built from SQL text for tests.
#include "support/ScratchLibrary.h"

#include <sqlite3.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <csignal>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "db/LibraryDB.h"
#include "support/TestPaths.h"

namespace qzdbs::test {

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qzdbs-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  // Tests may make files read-only; the folder goes away all the same.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

namespace {

void BuildLibraryFile(const std::filesystem::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
    std::string why = sqlite3_errmsg(db);
    sqlite3_close(db);
    throw std::runtime_error("cannot create " + file.string() + ": " + why);
  }
  // A scratch file needs no crash safety; without syncing, building one is fast.
  sqlite3_exec(db, "PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY;", nullptr, nullptr,
               nullptr);
  char* error = nullptr;
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  std::string why = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("SQL failed on " + file.string() + ": " + why);
}

}  // namespace

FileSizeLimit::FileSizeLimit(unsigned long bytes) {
  // The limit's signal would end the process; the failing write is the point.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  before_ = limit.rlim_cur;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = before_;
  setrlimit(RLIMIT_FSIZE, &limit);
}

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string SchemaSql() {
  return ReadText(SourceDir() / "library" / "schema.sql");
}

std::string SampleLibrarySql() {
  return ReadText(TestDataDir() / "libraries" / "sample-library.sql");
}

ScratchLibrary::ScratchLibrary(const std::string& sql, const std::string& fileName)
    : file_(dir_.Path() / fileName) {
  BuildLibraryFile(file_, sql);
}

std::string ScratchLibrary::ConnectionString() const {
  return LibraryConnectionString(Folder(), Path(), kLibraryPassword);
}

}  // namespace qzdbs::test
