// One open library file shared by every connection to it on this thread, with
// the statements its queries were prepared into. A drawing run opens the
// same library for the dialog and again for the computation, and reads each
// entity with its own query: reusing the handle and the prepared statements
// spares SQLite re-reading the schema and re-parsing the same text.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "db/access/LibraryFile.h"

struct sqlite3_stmt;

namespace qzdbs::db {

class SharedLibrary {
 public:
  explicit SharedLibrary(SqliteHandle db);
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  sqlite3* Handle() const { return db_.get(); }

  // The statement for `sql`, reset and ready to step. It stays owned here and
  // is handed out again for the next query with the same text, so a caller
  // must read its rows before preparing anything else. Throws DbError with
  // SQLite's message when the text does not prepare.
  sqlite3_stmt* Prepare(const std::string& sql);

  size_t CachedStatements() const { return statements_.size(); }

  // The most statements kept: a part of a few hundred entities fits, and a
  // long batch over many parts does not grow without bound.
  static constexpr size_t kStatementLimit = 512;

 private:
  struct StatementCloser {
    void operator()(sqlite3_stmt* statement) const;
  };
  using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

  SqliteHandle db_;
  // Declared after the handle so that the statements are finalized first.
  std::unordered_map<std::string, Statement> statements_;
};

// The library at `path` as this thread has it open, opening it when no
// connection on this thread holds it. Throws DbError as OpenLibraryFile does.
std::shared_ptr<SharedLibrary> ShareLibraryFile(const std::string& path);

}  // namespace qzdbs::db
