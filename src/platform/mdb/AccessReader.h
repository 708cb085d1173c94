// Reading the user tables of an Access file through mdbtools, row by row,
// with nulls and zero-length texts kept apart.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/mdb/AccessLibrary.h"

namespace qzdbs::mdb {

using Blob = std::vector<unsigned char>;
// Null, integer, double, UTF-8 text or bytes: the SQLite storage classes.
using CellValue = std::variant<std::monostate, int64_t, double, std::string, Blob>;

struct AccessColumn {
  std::string name;
  std::string sqlType;  // the declared type of the SQLite column
};

// Receives one table: its columns, then each live row in storage order. The
// row vector is reused between calls.
class TableSink {
 public:
  virtual ~TableSink() = default;
  virtual void Columns(const std::string& table, const std::vector<AccessColumn>& columns) = 0;
  virtual void Row(const std::vector<CellValue>& row) = 0;
};

class AccessReader {
 public:
  // Opens the file and reads its catalogue; throws AccessError naming the file.
  explicit AccessReader(const std::string& path);
  ~AccessReader();
  AccessReader(const AccessReader&) = delete;
  AccessReader& operator=(const AccessReader&) = delete;

  AccessFormat Format() const;
  // The user tables (no system tables), in catalogue order.
  const std::vector<std::string>& TableNames() const;
  // Reads table `index` of TableNames() into `sink`; throws AccessError naming
  // the file and the table when its definition or a row is damaged.
  void ReadTable(size_t index, TableSink& sink);

 private:
  void ReadCatalogue();

  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace qzdbs::mdb
