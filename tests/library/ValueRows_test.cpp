// Every value row of every standard part is a real standard size: each stored value equals the
// reference table's cell for that size (tests/data/fasteners/value-rows.tsv says which part each
// table checks), blank cells stay blank, no size is missing and no length repeats.
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LibraryFile.h"

namespace qzdbs::test {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::istringstream in(text);
  for (std::string field; std::getline(in, field, separator);)
    fields.push_back(field);
  if (!text.empty() && text.back() == separator) fields.emplace_back();
  return fields;
}

// A reference table's rows, each a column -> cell map; a blank cell is no value.
std::vector<std::map<std::string, std::string>> ReadCsv(const std::string& name) {
  std::ifstream in(TestDataDir() / "fasteners" / name);
  std::string line;
  std::getline(in, line);
  const std::vector<std::string> header = Split(line, ',');
  std::vector<std::map<std::string, std::string>> rows;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::vector<std::string> cells = Split(line, ',');
    cells.resize(header.size());
    auto& row = rows.emplace_back();
    for (size_t i = 0; i < header.size(); ++i)
      row[header[i]] = cells[i];
  }
  return rows;
}

// The stored value of one input parameter: its type (1 text), StrValue and RealValue.
using ValueRow = std::map<std::string, SqlRow>;

// The value rows of the one part whose name contains `name`, in RowID order.
std::vector<ValueRow> ValueRows(const std::string& name) {
  const auto parts =
      QueryColumn(SampleLibrary(), "SELECT PartID FROM QZParts WHERE instr(Name, '" + name + "')");
  EXPECT_EQ(parts.size(), 1u) << "no single part named like " << name;
  if (parts.size() != 1) return {};
  std::map<long long, ValueRow> byRow;
  for (const SqlRow& r : QueryRows(SampleLibrary(),
                                   "SELECT v.RowID, i.ParaName, i.ParaType, v.StrValue, "
                                   "v.RealValue FROM QZParaValue v JOIN QZPartInputParas i "
                                   "ON i.PartID = v.PartID AND i.ParaID = v.ParaID "
                                   "WHERE v.PartID = " +
                                       parts[0]))
    byRow[r[0].Int()][r[1].text] = {r[2], r[3], r[4]};
  std::vector<ValueRow> rows;
  for (auto& [id, row] : byRow)
    rows.push_back(std::move(row));
  return rows;
}

std::string KeyText(const SqlRow& cell) {
  if (cell[0].Int() == 1) return cell[1].text;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", cell[2].Real());
  return buffer;
}

TEST(LibraryValueRows, EveryValueIsTheReferenceTablesCell) {
  std::ifstream file(TestDataDir() / "fasteners" / "value-rows.tsv");
  size_t cases = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = Split(line, '\t');
    ASSERT_GE(f.size(), 5u) << line;
    SCOPED_TRACE(f[0]);
    ++cases;
    const std::vector<std::string> key = Split(f[2], '=');
    const std::vector<std::string> filter =
        f.size() > 5 ? Split(f[5], '=') : std::vector<std::string>{};
    std::map<std::string, std::map<std::string, std::string>> bySize;
    for (const auto& row : ReadCsv(f[1])) {
      if (filter.empty() || row.at(filter[0]) == filter[1]) bySize[row.at(key[1])] = row;
    }
    const std::vector<std::string> sizes = Split(f[4], ' ');
    std::set<std::string> seen;
    const std::vector<ValueRow> rows = ValueRows(f[0]);
    ASSERT_GE(rows.size(), sizes.size());
    for (const ValueRow& row : rows) {
      const std::string size = KeyText(row.at(key[0]));
      SCOPED_TRACE(size);
      // Sizes beyond the reference table come from the standards' tables, compared at build
      // time (library/tools/crosscheck.py).
      if (!bySize.count(size)) continue;
      seen.insert(size);
      for (const std::string& pair : Split(f[3], ' ')) {
        const std::vector<std::string> names = Split(pair, '=');
        SCOPED_TRACE(names[0]);
        const SqlRow& cell = row.at(names[0]);
        const std::string& expected = bySize.at(size).at(names[1]);
        if (cell[0].Int() == 1) {
          EXPECT_EQ(cell[1].text, expected);
        } else if (expected.empty()) {
          EXPECT_TRUE(cell[2].IsNull()) << "a blank cell must stay blank";
        } else {
          ASSERT_FALSE(cell[2].IsNull());
          EXPECT_EQ(cell[2].Real(), std::strtod(expected.c_str(), nullptr));
        }
      }
    }
    EXPECT_EQ(seen, std::set<std::string>(sizes.begin(), sizes.end()));
  }
  EXPECT_GE(cases, 8u);
}

TEST(LibraryValueRows, LengthsArePositiveAndDistinctPerSize) {
  // Bolts, screws and pins offer several lengths of each size; a length row repeated or a
  // length the part cannot have (at or below zero) is a slip in the part source.
  const std::pair<const char*, const char*> parts[] = {
      {"ISO 4014", "Thread"}, {"ISO 4017", "Thread"}, {"ISO 4762", "Thread"}, {"ISO 2338", "d"}};
  for (const auto& [name, key] : parts) {
    SCOPED_TRACE(name);
    std::set<std::pair<std::string, double>> seen;
    for (const ValueRow& row : ValueRows(name)) {
      const double length = row.at("L")[2].Real();
      EXPECT_GT(length, 0);
      EXPECT_TRUE(seen.insert({KeyText(row.at(key)), length}).second);
    }
    EXPECT_GE(seen.size(), 16u);
  }
}

}  // namespace
}  // namespace qzdbs::test
