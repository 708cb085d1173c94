// Conversions of a column value.
#include "db/recordset/FieldValue.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "base/NumberText.h"
#include "db/recordset/DbError.h"

namespace qzdbs::db {

namespace {

std::string_view Bytes(const CellValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* blob = std::get_if<std::shared_ptr<const Blob>>(&value)) {
    const Blob& bytes = **blob;
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
  }
  return {};
}

}  // namespace

void FieldValue::Fail(const std::string& why) const {
  throw DbError(why + ": 字段 [" + column_ + "]");
}

double FieldValue::AsDouble() const {
  if (const auto* whole = std::get_if<int64_t>(&value_)) return static_cast<double>(*whole);
  if (const auto* real = std::get_if<double>(&value_)) return *real;
  if (const auto* text = std::get_if<std::string>(&value_)) {
    if (auto number = ParseNumber(*text)) return *number;
    Fail("类型不匹配");
  }
  if (IsNull()) Fail("无效使用 Null");
  Fail("类型不匹配");
}

int64_t FieldValue::Whole(int64_t lowest, int64_t highest) const {
  if (const auto* whole = std::get_if<int64_t>(&value_)) {
    if (*whole < lowest || *whole > highest) Fail("溢出");
    return *whole;
  }
  // Default rounding mode: half to even, as the platform's conversion rounds.
  double rounded = std::nearbyint(AsDouble());
  if (!(rounded >= static_cast<double>(lowest) && rounded <= static_cast<double>(highest)))
    Fail("溢出");
  return static_cast<int64_t>(rounded);
}

int32_t FieldValue::AsLong() const {
  return static_cast<int32_t>(Whole(INT32_MIN, INT32_MAX));
}

int16_t FieldValue::AsInteger() const {
  return static_cast<int16_t>(Whole(INT16_MIN, INT16_MAX));
}

std::string FieldValue::AsText() const {
  if (const auto* whole = std::get_if<int64_t>(&value_)) return std::to_string(*whole);
  if (const auto* real = std::get_if<double>(&value_)) return FormatNumber(*real);
  if (const auto* text = std::get_if<std::string>(&value_)) return *text;
  if (IsNull()) Fail("无效使用 Null");
  Fail("类型不匹配");
}

int64_t Field::ActualSize() const {
  const CellValue& value = value_.Raw();
  if (std::holds_alternative<std::string>(value) ||
      std::holds_alternative<std::shared_ptr<const Blob>>(value))
    return static_cast<int64_t>(Bytes(value).size());
  if (value_.IsNull()) return 0;
  throw DbError("不是二进制字段: 字段 [" + Name() + "]");
}

Blob Field::GetChunk(int64_t length) {
  std::string_view bytes = Bytes(value_.Raw());
  if (ActualSize() == 0 || length <= 0) return {};
  size_t from = static_cast<size_t>(offset_);
  size_t count = std::min(static_cast<size_t>(length), bytes.size() - from);
  offset_ += static_cast<int64_t>(count);
  return Blob(bytes.begin() + static_cast<std::ptrdiff_t>(from),
              bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

}  // namespace qzdbs::db
