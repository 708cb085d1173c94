// Read-only access to the built sample library and to the reference CSV tables.
#include "LibraryFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/TestPaths.h"

namespace qzdbs::test {

bool Row::IsNull(const std::string& column) const {
  return std::holds_alternative<std::monostate>(cells.at(column));
}

long long Row::Int(const std::string& column) const {
  const Cell& c = cells.at(column);
  if (const auto* i = std::get_if<long long>(&c)) return *i;
  throw std::runtime_error("column " + column + " is not an integer");
}

double Row::Real(const std::string& column) const {
  const Cell& c = cells.at(column);
  if (const auto* d = std::get_if<double>(&c)) return *d;
  if (const auto* i = std::get_if<long long>(&c)) return static_cast<double>(*i);
  throw std::runtime_error("column " + column + " is not a number");
}

std::string Row::Text(const std::string& column) const {
  const Cell& c = cells.at(column);
  if (const auto* s = std::get_if<std::string>(&c)) return *s;
  throw std::runtime_error("column " + column + " is not a text");
}

LibraryFile::LibraryFile(const std::filesystem::path& path) {
  sqlite3* raw = nullptr;
  const std::string uri = "file:" + path.string() + "?mode=ro";
  int rc = sqlite3_open_v2(uri.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  db_.reset(raw);
  if (rc != SQLITE_OK) {
    throw std::runtime_error("cannot open " + path.string() + ": " + sqlite3_errstr(rc));
  }
}

std::vector<Row> LibraryFile::Query(const std::string& sql) const {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
    throw std::runtime_error(std::string(sqlite3_errmsg(db_.get())) + " in " + sql);
  }
  std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> stmt(raw, &sqlite3_finalize);
  std::vector<Row> rows;
  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    Row row;
    for (int i = 0; i < sqlite3_column_count(stmt.get()); ++i) {
      Cell cell;
      switch (sqlite3_column_type(stmt.get(), i)) {
        case SQLITE_INTEGER:
          cell = static_cast<long long>(sqlite3_column_int64(stmt.get(), i));
          break;
        case SQLITE_FLOAT:
          cell = sqlite3_column_double(stmt.get(), i);
          break;
        case SQLITE_NULL:
          break;
        default: {
          const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), i));
          cell = std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt.get(), i)));
        }
      }
      row.cells[sqlite3_column_name(stmt.get(), i)] = std::move(cell);
    }
    rows.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_.get()));
  return rows;
}

long long LibraryFile::Count(const std::string& sql) const {
  std::vector<Row> rows = Query(sql);
  if (rows.size() != 1 || rows[0].cells.size() != 1) {
    throw std::runtime_error("not a single value: " + sql);
  }
  return std::get<long long>(rows[0].cells.begin()->second);
}

std::filesystem::path SampleLibraryPath() {
  return BuildDir() / "library" / "metric-parts.qzlib";
}

const LibraryFile& SampleLibrary() {
  static const LibraryFile library(SampleLibraryPath());
  return library;
}

CsvTable ReadCsv(const std::filesystem::path& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  auto split = [](std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    std::stringstream ss(line);
    std::string field;
    while (std::getline(ss, field, ','))
      fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
  };
  CsvTable table;
  std::string line;
  std::getline(in, line);
  table.header = split(line);
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    std::vector<std::string> fields = split(line);
    fields.resize(table.header.size());
    std::map<std::string, std::string> row;
    for (size_t i = 0; i < fields.size(); ++i)
      row[table.header[i]] = fields[i];
    table.rows.push_back(std::move(row));
  }
  return table;
}

}  // namespace qzdbs::test
