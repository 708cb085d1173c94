// Reading a query's rows into a record set, and moving over them.
#include "db/recordset/Recordset.h"

#include <memory>
#include <optional>

#include "base/NumberText.h"
#include "base/Utf8.h"

namespace qzdbs::db {

namespace {

bool CellEquals(const CellValue& cell, const std::string& wanted) {
  if (std::holds_alternative<int64_t>(cell) || std::holds_alternative<double>(cell)) {
    auto number = ParseNumber(wanted);
    return number && FieldValue({}, cell).AsDouble() == *number;
  }
  if (const auto* text = std::get_if<std::string>(&cell)) return *text == wanted;
  return false;
}

std::string Trim(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

void Recordset::Open(const std::string& commandText, const Connection& connection) {
  Close();
  if (connection.State() != ObjectState::Open) throw DbError("对象关闭时，不允许操作: 连接未打开");
  result_ = connection.Library().Query(commandText);
  open_ = true;
  ClearFilter();
}

void Recordset::Close() {
  open_ = false;
  result_.reset();
  visible_.clear();
  current_ = 0;
  filter_.clear();
}

void Recordset::RequireOpen() const {
  if (!open_) throw DbError("对象关闭时，不允许操作");
}

int32_t Recordset::RecordCount() const {
  RequireOpen();
  return static_cast<int32_t>(visible_.size());
}

bool Recordset::Eof() const {
  RequireOpen();
  return current_ >= visible_.size();
}

void Recordset::MoveFirst() {
  RequireOpen();
  current_ = 0;
}

void Recordset::MoveNext() {
  if (Eof()) throw DbError("BOF 或 EOF 中有一个是“真”，或者当前的记录已被删除");
  ++current_;
}

std::optional<size_t> Recordset::FindColumn(std::string_view column) const {
  RequireOpen();
  for (size_t i = 0; i < result_->columns.size(); ++i) {
    // Column names compare without regard to ASCII letter case, as the
    // platform's record sets find them.
    if (EqualsIgnoringCase(result_->columns[i], column)) return i;
  }
  return std::nullopt;
}

size_t Recordset::ColumnIndex(std::string_view column) const {
  if (auto index = FindColumn(column)) return *index;
  throw DbError("在对应所需名称或序数的集合中，未找到项目: 字段 [" + std::string(column) + "]");
}

bool Recordset::HasField(std::string_view column) const {
  return FindColumn(column).has_value();
}

const CellValue& Recordset::Cell(size_t index) const {
  if (Eof()) throw DbError("BOF 或 EOF 中有一个是“真”，或者当前的记录已被删除");
  return result_->rows[visible_[current_]][index];
}

FieldValue Recordset::operator[](std::string_view column) const {
  size_t index = ColumnIndex(column);
  return FieldValue(result_->columns[index], Cell(index));
}

FieldValue Recordset::At(size_t index) const {
  const CellValue& cell = Cell(index);
  return FieldValue(result_->columns[index], cell);
}

Field Recordset::Fields(std::string_view column) const {
  size_t index = ColumnIndex(column);
  return Field(result_->columns[index], Cell(index));
}

void Recordset::Filter(const std::string& criteria) {
  RequireOpen();
  std::vector<size_t> passing;
  if (Trim(criteria).empty()) {
    for (size_t i = 0; i < result_->rows.size(); ++i)
      passing.push_back(i);
  } else {
    size_t equals = criteria.find('=');
    if (equals == std::string::npos) throw DbError("筛选条件无效: " + criteria);
    size_t index = ColumnIndex(Trim(std::string_view(criteria).substr(0, equals)));
    std::string wanted = Trim(std::string_view(criteria).substr(equals + 1));
    if (wanted.size() >= 2 && wanted.front() == '\'' && wanted.back() == '\'')
      wanted = wanted.substr(1, wanted.size() - 2);
    for (size_t i = 0; i < result_->rows.size(); ++i) {
      if (CellEquals(result_->rows[i][index], wanted)) passing.push_back(i);
    }
  }
  filter_ = Trim(criteria).empty() ? std::string() : criteria;
  visible_ = std::move(passing);
  current_ = 0;
}

}  // namespace qzdbs::db
