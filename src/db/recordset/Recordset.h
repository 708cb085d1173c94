// A record set opened from command text on a connection, the stand-in for the
// platform's keyset record set: every row is read when it opens, so the record
// count is exact at once. Records are read only; the set knows nothing of the
// library's tables.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/recordset/Connection.h"
#include "db/recordset/FieldValue.h"

namespace qzdbs::db {

class Recordset {
 public:
  // Runs `commandText` on the open connection and reads all its rows; the
  // current record is then the first one. Throws DbError with SQLite's own
  // description when the text does not run.
  void Open(const std::string& commandText, const Connection& connection);
  void Close();
  ObjectState State() const { return open_ ? ObjectState::Open : ObjectState::Closed; }

  // Records that pass the filter. The operations below throw DbError on a
  // closed set.
  int32_t RecordCount() const;
  bool Eof() const;
  void MoveFirst();
  void MoveNext();

  // The current record's value in a column; columns are found without regard
  // to letter case, the first of two equal names wins. Throws DbError for an
  // unknown column or when there is no current record.
  FieldValue operator[](std::string_view column) const;
  Field Fields(std::string_view column) const;
  bool HasField(std::string_view column) const;
  // The same by the column's index, for a loop that reads a column in every
  // record and finds it once (ColumnOf throws as operator[] does).
  size_t ColumnOf(std::string_view column) const { return ColumnIndex(column); }
  FieldValue At(size_t index) const;
  // The rows as read, shared with every set opened on the same text while
  // the library keeps them; null when closed.
  const std::shared_ptr<const QueryResult>& Result() const { return result_; }

  // Keeps only the records whose column equals the value ("PartViewID=7",
  // "Name='A'") and moves to the first of them; an empty criterion clears.
  void Filter(const std::string& criteria);
  void ClearFilter() { Filter({}); }
  const std::string& Filter() const { return filter_; }

 private:
  void RequireOpen() const;
  std::optional<size_t> FindColumn(std::string_view column) const;
  size_t ColumnIndex(std::string_view column) const;
  const CellValue& Cell(size_t index) const;

  bool open_ = false;
  std::shared_ptr<const QueryResult> result_;
  std::vector<size_t> visible_;  // result_->rows indices that pass the filter, in order
  size_t current_ = 0;           // index into visible_; visible_.size() at the end
  std::string filter_;
};

}  // namespace qzdbs::db
