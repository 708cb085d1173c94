// Builds a test's part library from SQL text in a scratch folder.
#include "support/SqlLibrary.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "support/TestPaths.h"

namespace qzdbs::test {

namespace {

std::filesystem::path NewScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qzdbs-lib-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
  }
  return pattern;
}

void Execute(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string why = error ? error : "unknown error";
    sqlite3_free(error);
    throw std::runtime_error("SQL failed: " + why);
  }
}

}  // namespace

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

SqlLibrary::SqlLibrary(const std::string& rows)
    : folder_(NewScratchFolder()), file_(folder_ / "library.db") {
  sqlite3* raw = nullptr;
  if (sqlite3_open(file_.c_str(), &raw) != SQLITE_OK) {
    sqlite3_close(raw);
    std::filesystem::remove_all(folder_);
    throw std::runtime_error("cannot create " + file_.string());
  }
  std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
  try {
    // A scratch file needs no journal and no waiting for the disk.
    Execute(db.get(), "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;");
    Execute(db.get(), ReadText(TestDataDir() / "library-schema.sql"));
    Execute(db.get(), rows);
  } catch (...) {
    db.reset();
    std::filesystem::remove_all(folder_);
    throw;
  }
}

SqlLibrary::~SqlLibrary() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string SqlLibrary::ConnectionString() const {
  return "Driver={Microsoft Access Driver (*.mdb)};Dbq=" + file_.string() +
         ";DefaultDir=" + folder_.string() + ";Uid=Admin;Pwd=;";
}

}  // namespace qzdbs::test
