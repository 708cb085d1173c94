// One column of one record: a value that may be null, with the conversions
// the readers use. Converting a null (or text that is no number) fails with a
// DbError naming the column, as the readers expect.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace qzdbs::db {

using Blob = std::vector<unsigned char>;

// null, integer, real, text, binary
using CellValue =
    std::variant<std::monostate, int64_t, double, std::string, std::shared_ptr<const Blob>>;

class FieldValue {
 public:
  FieldValue() = default;
  FieldValue(std::string column, CellValue value)
      : column_(std::move(column)), value_(std::move(value)) {}

  bool has_value() const { return !IsNull(); }
  explicit operator bool() const { return has_value(); }
  bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }

  // Whole numbers round half to even; out of range is an overflow failure.
  int32_t AsLong() const;
  int16_t AsInteger() const;
  double AsDouble() const;
  // Numbers in the general format (12, 0.5, 1E-05).
  std::string AsText() const;

  std::string TextOr(const std::string& fallback) const { return IsNull() ? fallback : AsText(); }
  double DoubleOr(double fallback) const { return IsNull() ? fallback : AsDouble(); }
  int32_t LongOr(int32_t fallback) const { return IsNull() ? fallback : AsLong(); }

  const std::string& Column() const { return column_; }
  const CellValue& Raw() const { return value_; }

 private:
  int64_t Whole(int64_t lowest, int64_t highest) const;
  [[noreturn]] void Fail(const std::string& why) const;

  std::string column_;
  CellValue value_;
};

// A column of the current record seen as a field: its value, and for binary
// and text values the size and sequential reading in chunks.
class Field {
 public:
  Field(std::string name, CellValue value) : value_(std::move(name), std::move(value)) {}

  const std::string& Name() const { return value_.Column(); }
  const FieldValue& Value() const { return value_; }

  // Bytes held by a binary or text value; 0 for null.
  int64_t ActualSize() const;
  // The next `length` bytes (fewer at the end), continuing where the last
  // chunk stopped.
  Blob GetChunk(int64_t length);

 private:
  FieldValue value_;
  int64_t offset_ = 0;
};

}  // namespace qzdbs::db
