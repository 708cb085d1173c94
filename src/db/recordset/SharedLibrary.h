// One open library file shared by every connection to it on this thread, with
// the results of the queries run on it. A drawing run opens the same library
// for the dialog and again for the computation, and reads each entity with
// its own small query; drawing a part again (another size, another view)
// asks the same questions. Sharing the handle spares SQLite re-reading the
// schema; keeping the results spares running the same text, and sharing
// statements between texts that differ only in their numbers spares parsing
// each entity's query anew.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "db/recordset/FieldValue.h"
#include "db/recordset/LibraryFile.h"

struct sqlite3_stmt;

namespace qzdbs::db {

// Every row of one query, as read from the library.
struct QueryResult {
  std::vector<std::string> columns;
  std::vector<std::vector<CellValue>> rows;
};

class SharedLibrary {
 public:
  explicit SharedLibrary(SqliteHandle db);
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // The rows of `sql`. The file cannot change while it is open here (the
  // handle keeps its shared lock, and Access libraries are converted into
  // memory), so a result is kept and handed out again for the same text.
  // Throws DbError with SQLite's message when the text does not run.
  std::shared_ptr<const QueryResult> Query(const std::string& sql);

  // Hands each row of `sql` to `row` as it is read and keeps nothing: for a
  // whole table read once, which a kept result would only copy. The cells
  // are those of the row in hand only. Throws DbError like Query.
  void ForEachRow(const std::string& sql,
                  const std::function<void(const std::vector<CellValue>&)>& row);

  // The bytes of one value of `column` in the row `rowid` of `table`, handed
  // to `piece` in order, a piece at a time: a large value (a block's drawing
  // file) is never held whole. Throws DbError when it cannot be read.
  void ReadBlob(const std::string& table, const std::string& column, int64_t rowid,
                const std::function<void(std::string_view)>& piece) const;

  size_t CachedResults() const { return results_.size(); }
  size_t CachedStatements() const { return statements_.size(); }

  // Bounds of the kept results: every query of a few parts fits, a long batch
  // over many parts does not grow without bound, and large pictures or block
  // files are read again rather than kept.
  static constexpr size_t kResultLimit = 2048;
  static constexpr size_t kByteLimit = 32u << 20;
  static constexpr size_t kLargestKeptResult = 1u << 20;
  static constexpr size_t kStatementLimit = 256;

 private:
  struct StatementCloser {
    void operator()(sqlite3_stmt* statement) const;
  };
  using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

  // The statement that runs `sql`, reset and with its values bound; it stays
  // owned here. Texts that differ only in compared numbers share one.
  sqlite3_stmt* Prepare(const std::string& sql);
  sqlite3_stmt* Cached(const std::string& text);

  SqliteHandle db_;
  // Declared after the handle so that the statements are finalized first.
  std::unordered_map<std::string, Statement> statements_;
  std::unordered_map<std::string, std::shared_ptr<const QueryResult>> results_;
  size_t resultBytes_ = 0;
};

// The library at `path` as this thread has it open, opening it when no
// connection on this thread holds it. Throws DbError as OpenLibraryFile does.
std::shared_ptr<SharedLibrary> ShareLibraryFile(const std::string& path);

}  // namespace qzdbs::db
