// Parsing of the ISO 286 CSV tables and the size-range lookup.
#include "platform/iso286/Iso286Tables.h"

#include <algorithm>
#include <stdexcept>

#include "base/NumberText.h"
#include "platform/iso286/Iso286Data.h"

namespace qzdbs::iso286 {
namespace {

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (true) {
    size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

[[noreturn]] void Malformed(size_t lineNumber, const std::string& what) {
  throw std::invalid_argument("ISO 286 table, line " + std::to_string(lineNumber) + ": " + what);
}

}  // namespace

Iso286Table Iso286Table::Parse(std::string_view csv) {
  Iso286Table table;
  size_t lineNumber = 0;
  while (!csv.empty()) {
    size_t end = csv.find('\n');
    std::string_view line = csv.substr(0, end);
    csv.remove_prefix(end == std::string_view::npos ? csv.size() : end + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;

    std::vector<std::string_view> fields = SplitFields(line);
    if (table.columns_.empty()) {
      if (fields.size() < 3 || fields[0] != "over_mm" || fields[1] != "up_to_mm") {
        Malformed(lineNumber, "the header must start with over_mm,up_to_mm and name a column");
      }
      table.columns_.assign(fields.begin() + 2, fields.end());
      continue;
    }
    if (fields.size() != table.columns_.size() + 2) Malformed(lineNumber, "wrong number of cells");

    Row row;
    std::optional<double> over = ParseNumber(fields[0]);
    std::optional<double> upTo = ParseNumber(fields[1]);
    if (!over || !upTo || *upTo <= *over) Malformed(lineNumber, "bad size range");
    // Ranges must join without gap or overlap, or a size could fall between rows.
    double expectedOver = table.rows_.empty() ? 0 : table.rows_.back().upTo;
    if (*over != expectedOver) Malformed(lineNumber, "size range does not follow the one before");
    row.over = *over;
    row.upTo = *upTo;
    for (size_t i = 2; i < fields.size(); ++i) {
      if (fields[i].empty()) {
        row.cells.emplace_back();
        continue;
      }
      std::optional<double> value = ParseNumber(fields[i]);
      if (!value) Malformed(lineNumber, "not a number: " + std::string(fields[i]));
      row.cells.push_back(value);
    }
    table.rows_.push_back(std::move(row));
  }
  if (table.columns_.empty()) Malformed(lineNumber, "no header");
  return table;
}

bool Iso286Table::HasColumn(std::string_view column) const {
  return std::find(columns_.begin(), columns_.end(), column) != columns_.end();
}

std::optional<double> Iso286Table::Lookup(std::string_view column, double nominal) const {
  auto found = std::find(columns_.begin(), columns_.end(), column);
  if (found == columns_.end()) {
    throw std::logic_error("ISO 286 table has no column " + std::string(column));
  }
  // Written so that NaN fails both tests.
  if (!(nominal > 0 && nominal <= UpperLimit())) return std::nullopt;
  auto row = std::find_if(rows_.begin(), rows_.end(),
                          [nominal](const Row& r) { return nominal <= r.upTo; });
  return row->cells[static_cast<size_t>(found - columns_.begin())];
}

const Iso286Tables& Iso286Tables::Compiled() {
  static const Iso286Tables tables{Iso286Table::Parse(ItGradesCsv()),
                                   Iso286Table::Parse(ShaftDeviationsCsv()),
                                   Iso286Table::Parse(HoleDeviationsCsv())};
  return tables;
}

}  // namespace qzdbs::iso286
