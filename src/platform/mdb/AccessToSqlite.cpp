// Copying an Access library into SQLite: tables, rows and the lookup indexes
// a library made by the project's own tools has.
#include <sqlite3.h>

#include <algorithm>
#include <array>

#include "base/Utf8.h"
#include "platform/mdb/AccessLibrary.h"
#include "platform/mdb/AccessReader.h"
#include "platform/mdb/SqliteUtil.h"

namespace qzdbs::mdb {

namespace {

struct LookupKey {
  const char* table;
  const char* column;
  bool unique;
};

// Tables that others look up by one identifier alone. QZPartGUIDs.ID is a
// PartID under another name, and as such not unique by rule.
constexpr std::array<LookupKey, 7> kLookupKeys = {{
    {"QZPartDirectory", "NodeID", true},
    {"QZProperties", "PropertyID", true},
    {"QZTextStyleName", "TextStyleNameID", true},
    {"QZPatternName", "PatternID", true},
    {"QZEnt_BlockGlobal", "BlockID", true},
    {"QZLayer", "LayerID", true},
    {"QZPartGUIDs", "ID", false},
}};

const std::string* FindColumn(const std::vector<AccessColumn>& columns, const char* name) {
  for (const auto& column : columns) {
    if (EqualsIgnoringCase(column.name, name)) return &column.name;
  }
  return nullptr;
}

class SqliteTableWriter : public TableSink {
 public:
  explicit SqliteTableWriter(sqlite3* db) : db_(db) {}

  void Columns(const std::string& table, const std::vector<AccessColumn>& columns) override {
    table_ = table;
    columns_ = columns;
    rows_ = 0;
    std::string create = "CREATE TABLE " + QuoteName(table) + " (";
    std::string insert = "INSERT INTO " + QuoteName(table) + " VALUES (";
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i) {
        create += ", ";
        insert += ", ";
      }
      create += QuoteName(columns[i].name) + " " + columns[i].sqlType;
      insert += "?";
    }
    Exec(db_, create + ")", Context());
    insert_ = Prepare(db_, insert + ")", Context());
  }

  void Row(const std::vector<CellValue>& row) override {
    sqlite3_stmt* stmt = insert_.get();
    for (size_t i = 0; i < row.size(); ++i) {
      const int slot = static_cast<int>(i) + 1;
      const CellValue& value = row[i];
      if (const auto* n = std::get_if<int64_t>(&value)) {
        sqlite3_bind_int64(stmt, slot, *n);
      } else if (const auto* d = std::get_if<double>(&value)) {
        sqlite3_bind_double(stmt, slot, *d);
      } else if (const auto* s = std::get_if<std::string>(&value)) {
        sqlite3_bind_text(stmt, slot, s->data(), static_cast<int>(s->size()), SQLITE_STATIC);
      } else if (const auto* b = std::get_if<Blob>(&value)) {
        // An empty OLE value stays an empty blob; a null pointer would bind NULL.
        if (b->empty()) {
          sqlite3_bind_zeroblob(stmt, slot, 0);
        } else {
          sqlite3_bind_blob(stmt, slot, b->data(), static_cast<int>(b->size()), SQLITE_STATIC);
        }
      } else {
        sqlite3_bind_null(stmt, slot);
      }
    }
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) throw SqliteWriteError(Context() + ": " + sqlite3_errmsg(db_));
    ++rows_;
  }

  // Index on PartID, on (PartID, EntityID), and on the lookup identifier, so
  // that opening a part costs the same in a small and in a large library.
  void CreateIndexes() {
    const std::string* partId = FindColumn(columns_, "PartID");
    const std::string* entityId = FindColumn(columns_, "EntityID");
    if (partId) CreateIndex({partId}, false);
    if (partId && entityId) CreateIndex({partId, entityId}, false);
    for (const auto& key : kLookupKeys) {
      if (!EqualsIgnoringCase(table_, key.table)) continue;
      if (const std::string* column = FindColumn(columns_, key.column)) {
        CreateIndex({column}, key.unique);
      }
    }
    insert_.reset();
  }

  int64_t Rows() const { return rows_; }

 private:
  std::string Context() const { return "写入表 \"" + table_ + "\""; }

  void CreateIndex(const std::vector<const std::string*>& columns, bool unique) {
    std::string name = "idx_" + table_;
    std::string list;
    for (const auto* column : columns) {
      name += "_" + *column;
      list += (list.empty() ? "" : ", ") + QuoteName(*column);
    }
    const std::string tail = QuoteName(name) + " ON " + QuoteName(table_) + " (" + list + ")";
    if (unique) {
      // A library with a repeated identifier still opens, as a native one
      // would; its lookups then find the first row, as they always did.
      if (sqlite3_exec(db_, ("CREATE UNIQUE INDEX " + tail).c_str(), nullptr, nullptr, nullptr) ==
          SQLITE_OK) {
        return;
      }
      if (sqlite3_errcode(db_) != SQLITE_CONSTRAINT) {
        throw SqliteWriteError(Context() + ": " + sqlite3_errmsg(db_));
      }
    }
    Exec(db_, "CREATE INDEX " + tail, Context());
  }

  sqlite3* db_;
  std::string table_;
  std::vector<AccessColumn> columns_;
  Statement insert_;
  int64_t rows_ = 0;
};

// Rolls back the conversion's transaction unless it was committed.
class Transaction {
 public:
  explicit Transaction(sqlite3* db) : db_(db) { Exec(db_, "BEGIN", "开始写入"); }
  ~Transaction() {
    if (db_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit() {
    Exec(db_, "COMMIT", "完成写入");
    db_ = nullptr;
  }

 private:
  sqlite3* db_;
};

}  // namespace

std::vector<TableSummary> ConvertAccessFile(const std::string& path, sqlite3* target) {
  AccessReader reader(path);
  Transaction transaction(target);
  std::vector<TableSummary> summary;
  for (size_t i = 0; i < reader.TableNames().size(); ++i) {
    SqliteTableWriter writer(target);
    reader.ReadTable(i, writer);
    writer.CreateIndexes();
    summary.push_back({reader.TableNames()[i], writer.Rows()});
  }
  transaction.Commit();
  return summary;
}

}  // namespace qzdbs::mdb
