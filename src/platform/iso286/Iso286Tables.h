// The ISO 286 tables in memory: size ranges and named columns, cells in
// micrometres, a blank cell (not defined by the standard) kept as no value.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qzdbs::iso286 {

class Iso286Table {
 public:
  // Reads a table's CSV text: a header "over_mm,up_to_mm,<columns>" and rows
  // whose ranges follow one another from 0. Malformed text throws
  // std::invalid_argument naming the line.
  static Iso286Table Parse(std::string_view csv);

  // The value of a column for a nominal size, using ISO 286's "above ... up to
  // and including": 30 mm is in 18..30. No value for a blank cell or a size
  // outside (0, UpperLimit()]. An unknown column is a programming error.
  std::optional<double> Lookup(std::string_view column, double nominal) const;

  size_t RowCount() const { return rows_.size(); }
  double UpperLimit() const { return rows_.empty() ? 0 : rows_.back().upTo; }
  bool HasColumn(std::string_view column) const;

 private:
  struct Row {
    double over = 0;
    double upTo = 0;
    std::vector<std::optional<double>> cells;
  };
  std::vector<std::string> columns_;
  std::vector<Row> rows_;
};

struct Iso286Tables {
  Iso286Table itGrades;  // IT01, IT0, IT1 ... IT18
  Iso286Table shaft;     // fundamental deviations of shafts
  Iso286Table hole;      // fundamental deviations of holes and delta_IT3..delta_IT8

  // The tables compiled into the library, parsed on first use.
  static const Iso286Tables& Compiled();
};

}  // namespace qzdbs::iso286
