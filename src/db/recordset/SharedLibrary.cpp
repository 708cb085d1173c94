// The per-thread table of open libraries, and the results kept for each.
#include "db/recordset/SharedLibrary.h"

#include <sqlite3.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "db/recordset/DbError.h"
#include "db/recordset/SqlLiterals.h"

namespace qzdbs::db {

namespace {

CellValue ReadCell(sqlite3_stmt* statement, int column) {
  switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
      return static_cast<int64_t>(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
      return sqlite3_column_double(statement, column);
    case SQLITE_TEXT: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
      return std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, column)));
    }
    case SQLITE_BLOB: {
      const auto* bytes = static_cast<const unsigned char*>(sqlite3_column_blob(statement, column));
      size_t size = static_cast<size_t>(sqlite3_column_bytes(statement, column));
      return std::make_shared<const Blob>(bytes, bytes + size);
    }
    default:
      return std::monostate{};
  }
}

// Steps the prepared statement through every row, calling `atRow` on each,
// then resets it for the next use. Throws DbError with SQLite's message.
template <typename AtRow>
void StepToEnd(sqlite3* db, sqlite3_stmt* statement, AtRow atRow) {
  int rc = SQLITE_ROW;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
    atRow();
  if (rc != SQLITE_DONE) throw DbError(sqlite3_errmsg(db));
  sqlite3_reset(statement);
}

// Roughly what a result holds, to bound the memory kept.
size_t Bytes(const CellValue& cell) {
  if (const auto* text = std::get_if<std::string>(&cell)) return sizeof(cell) + text->size();
  if (const auto* blob = std::get_if<std::shared_ptr<const Blob>>(&cell))
    return sizeof(cell) + (*blob)->size();
  return sizeof(cell);
}

}  // namespace

SharedLibrary::SharedLibrary(SqliteHandle db) : db_(std::move(db)) {}
SharedLibrary::~SharedLibrary() = default;

void SharedLibrary::StatementCloser::operator()(sqlite3_stmt* statement) const {
  sqlite3_finalize(statement);
}

sqlite3_stmt* SharedLibrary::Cached(const std::string& text) {
  if (auto found = statements_.find(text); found != statements_.end()) return found->second.get();
  sqlite3_stmt* raw = nullptr;
  const int rc = sqlite3_prepare_v2(db_.get(), text.c_str(), -1, &raw, nullptr);
  Statement statement(raw);
  if (rc != SQLITE_OK) throw DbError(sqlite3_errmsg(db_.get()));
  if (!statement) throw DbError("查询语句为空: \"" + text + "\"");
  if (statements_.size() >= kStatementLimit) statements_.clear();
  return statements_.emplace(text, std::move(statement)).first->second.get();
}

sqlite3_stmt* SharedLibrary::Prepare(const std::string& sql) {
  LiftedQuery lifted = LiftComparedNumbers(sql);
  sqlite3_stmt* statement = Cached(lifted.text);
  if (sqlite3_bind_parameter_count(statement) != static_cast<int>(lifted.values.size())) {
    // A number lifted from where no value may stand (inside a comment, say):
    // the text runs as it was written.
    statements_.erase(lifted.text);
    lifted = {sql, {}};
    statement = Cached(sql);
  }
  sqlite3_reset(statement);
  for (size_t i = 0; i < lifted.values.size(); ++i)
    sqlite3_bind_int64(statement, static_cast<int>(i + 1), lifted.values[i]);
  return statement;
}

std::shared_ptr<const QueryResult> SharedLibrary::Query(const std::string& sql) {
  if (auto found = results_.find(sql); found != results_.end()) return found->second;

  sqlite3_stmt* statement = Prepare(sql);
  auto result = std::make_shared<QueryResult>();
  size_t bytes = sql.size();
  const int columnCount = sqlite3_column_count(statement);
  for (int i = 0; i < columnCount; ++i)
    bytes += result->columns.emplace_back(sqlite3_column_name(statement, i)).size();
  StepToEnd(db_.get(), statement, [&] {
    auto& row = result->rows.emplace_back();
    row.reserve(static_cast<size_t>(columnCount));
    for (int i = 0; i < columnCount; ++i)
      bytes += Bytes(row.emplace_back(ReadCell(statement, i)));
  });

  if (bytes <= kLargestKeptResult) {
    if (results_.size() >= kResultLimit || resultBytes_ + bytes > kByteLimit) {
      results_.clear();
      resultBytes_ = 0;
    }
    results_.emplace(sql, result);
    resultBytes_ += bytes;
  }
  return result;
}

void SharedLibrary::ForEachRow(const std::string& sql,
                               const std::function<void(const std::vector<CellValue>&)>& row) {
  sqlite3_stmt* statement = Prepare(sql);
  std::vector<CellValue> cells(static_cast<size_t>(sqlite3_column_count(statement)));
  StepToEnd(db_.get(), statement, [&] {
    for (size_t i = 0; i < cells.size(); ++i)
      cells[i] = ReadCell(statement, static_cast<int>(i));
    row(cells);
  });
}

void SharedLibrary::ReadBlob(const std::string& table, const std::string& column, int64_t rowid,
                             const std::function<void(std::string_view)>& piece) const {
  sqlite3_blob* blob = nullptr;
  if (sqlite3_blob_open(db_.get(), "main", table.c_str(), column.c_str(), rowid, 0, &blob) !=
      SQLITE_OK) {
    sqlite3_blob_close(blob);
    throw DbError(table + "." + column + " (row " + std::to_string(rowid) +
                  "): " + sqlite3_errmsg(db_.get()));
  }
  const std::unique_ptr<sqlite3_blob, int (*)(sqlite3_blob*)> closer(blob, sqlite3_blob_close);
  constexpr int kPiece = 1 << 20;
  std::string buffer(kPiece, '\0');
  const int size = sqlite3_blob_bytes(blob);
  for (int at = 0; at < size; at += kPiece) {
    const int length = std::min(kPiece, size - at);
    if (sqlite3_blob_read(blob, buffer.data(), length, at) != SQLITE_OK)
      throw DbError(table + "." + column + ": " + sqlite3_errmsg(db_.get()));
    piece(std::string_view(buffer.data(), static_cast<size_t>(length)));
  }
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
