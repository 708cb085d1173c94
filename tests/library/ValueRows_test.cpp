// Every value row of every standard part is a real standard size: each stored value equals the
// reference table's cell for that size, blank cells stay blank, and no size is missing.
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "LibraryFile.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

struct TableCase {
  const char* part;      // a text that only this part's name contains
  const char* csv;       // the reference table under tests/data/fasteners
  const char* keyParam;  // the input parameter that names the size
  const char* keyColumn;
  std::vector<std::pair<std::string, std::string>> columns;  // input parameter, CSV column
  std::set<std::string> sizes;                               // the sizes the part must offer
  const char* csvFilter = nullptr;  // "column=value": the CSV rows the part covers
};

const std::vector<TableCase>& Cases() {
  static const std::vector<TableCase> cases = {
      {"ISO 4014",
       "iso4014_hex_bolt.csv",
       "Thread",
       "size",
       {{"d", "d_mm"},
        {"P", "P"},
        {"b1", "b_ref_l_le_125"},
        {"b2", "b_ref_l_125_to_200"},
        {"b3", "b_ref_l_gt_200"},
        {"k", "k_nom"},
        {"s", "s_max"},
        {"e", "e_min_A"}},
       {"M4", "M5", "M6", "M8", "M10", "M12", "M16", "M20", "M24"}},
      {"ISO 4017",
       "iso4017_hex_screw.csv",
       "Thread",
       "size",
       {{"d", "d_mm"}, {"P", "P"}, {"k", "k_nom"}, {"s", "s_max"}, {"e", "e_min_A"}},
       {"M4", "M5", "M6", "M8", "M10", "M12", "M16", "M20", "M24"}},
      {"ISO 4762",
       "iso4762_socket_head_cap_screw.csv",
       "Thread",
       "size",
       {{"d", "d_mm"},
        {"P", "P"},
        {"b", "b_ref"},
        {"dk", "dk_max_plain"},
        {"dkk", "dk_max_knurled"},
        {"k", "k_max"},
        {"s", "s_nom"},
        {"e", "e_min"},
        {"t", "t_min"}},
       {"M4", "M5", "M6", "M8", "M10", "M12", "M16", "M20", "M24"}},
      {"ISO 4032",
       "iso4032_hex_nut.csv",
       "Thread",
       "size",
       {{"d", "d_mm"},
        {"P", "P"},
        {"s", "s_max"},
        {"e", "e_min"},
        {"m", "m_max"},
        {"dw", "dw_min"},
        {"da", "da_max"}},
       {"M4", "M5", "M6", "M8", "M10", "M12", "M16", "M20", "M24"}},
      {"ISO 7089",
       "iso7089_plain_washer.csv",
       "Thread",
       "for_thread",
       {{"Size", "nominal_size"}, {"d1", "d1_min"}, {"d2", "d2_max"}, {"h", "h_nom"}},
       {"M4", "M5", "M6", "M8", "M10", "M12", "M16", "M20", "M24"}},
      {"ISO 2338",
       "iso2338_parallel_pin.csv",
       "d",
       "d_nom",
       {{"c", "c_approx"}},
       {"4", "5", "6", "8", "10", "12", "16", "20"}},
      {"球轴承 60 系列",
       "iso15_deep_groove_ball_bearing.csv",
       "Code",
       "designation",
       {{"d", "d"}, {"D", "D"}, {"B", "B"}, {"r", "r_s_min"}},
       {"6000", "6001", "6002", "6003", "6004", "6005", "6006", "6007", "6008", "6009", "6010"},
       "series=60"},
      {"62 系列",
       "iso15_deep_groove_ball_bearing.csv",
       "Code",
       "designation",
       {{"d", "d"}, {"D", "D"}, {"B", "B"}, {"r", "r_s_min"}},
       {"6200", "6201", "6202", "6203", "6204", "6205", "6206", "6207", "6208", "6209", "6210"},
       "series=62"},
  };
  return cases;
}

// A value row: input parameter name -> stored cell (text for text parameters).
using ValueRow = std::map<std::string, Row>;

std::vector<ValueRow> ValueRows(long long partId) {
  std::map<long long, ValueRow> byRow;
  for (const Row& row :
       SampleLibrary().Query("SELECT v.RowID, i.ParaName, i.ParaType, v.StrValue, v.RealValue "
                             "FROM QZParaValue v JOIN QZPartInputParas i "
                             "ON i.PartID = v.PartID AND i.ParaID = v.ParaID WHERE v.PartID = " +
                             std::to_string(partId))) {
    byRow[row.Int("RowID")][row.Text("ParaName")] = row;
  }
  std::vector<ValueRow> rows;
  for (auto& [id, row] : byRow)
    rows.push_back(std::move(row));
  return rows;
}

long long PartId(const std::string& nameContains) {
  std::vector<Row> rows = SampleLibrary().Query("SELECT PartID FROM QZParts WHERE instr(Name, '" +
                                                nameContains + "') > 0");
  if (rows.size() != 1) return -1;
  return rows[0].Int("PartID");
}

std::string KeyText(const Row& cell) {
  if (cell.Int("ParaType") == 1) return cell.Text("StrValue");
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", cell.Real("RealValue"));
  return buffer;
}

TEST(LibraryValueRows, EveryValueIsTheReferenceTablesCell) {
  for (const TableCase& c : Cases()) {
    SCOPED_TRACE(c.part);
    long long partId = PartId(c.part);
    ASSERT_GT(partId, 0) << "no single part named like this";
    CsvTable table = ReadCsv(TestDataDir() / "fasteners" / c.csv);
    std::map<std::string, std::map<std::string, std::string>> bySize;
    for (const auto& row : table.rows) {
      if (c.csvFilter) {
        std::string filter = c.csvFilter;
        size_t eq = filter.find('=');
        if (row.at(filter.substr(0, eq)) != filter.substr(eq + 1)) continue;
      }
      bySize[row.at(c.keyColumn)] = row;
    }
    std::set<std::string> seen;
    std::vector<ValueRow> rows = ValueRows(partId);
    ASSERT_GE(rows.size(), c.sizes.size());
    for (const ValueRow& row : rows) {
      std::string size = KeyText(row.at(c.keyParam));
      SCOPED_TRACE(size);
      // Sizes beyond the reference table come from the standards' tables, compared at build
      // time (library/tools/crosscheck.py).
      if (!bySize.count(size)) continue;
      seen.insert(size);
      const auto& reference = bySize.at(size);
      for (const auto& [param, column] : c.columns) {
        SCOPED_TRACE(param);
        const Row& cell = row.at(param);
        const std::string& expected = reference.at(column);
        if (cell.Int("ParaType") == 1) {
          EXPECT_EQ(cell.Text("StrValue"), expected);
        } else if (expected.empty()) {
          EXPECT_TRUE(cell.IsNull("RealValue")) << "a blank cell must stay blank";
        } else {
          ASSERT_FALSE(cell.IsNull("RealValue"));
          EXPECT_EQ(cell.Real("RealValue"), std::strtod(expected.c_str(), nullptr));
        }
      }
    }
    EXPECT_EQ(seen, c.sizes);
  }
}

TEST(LibraryValueRows, EveryRowHasOneValuePerInputParameter) {
  std::vector<Row> parts = SampleLibrary().Query("SELECT PartID FROM QZParts");
  ASSERT_GE(parts.size(), 9u);
  for (const Row& part : parts) {
    std::string id = std::to_string(part.Int("PartID"));
    SCOPED_TRACE("PartID " + id);
    long long inputs =
        SampleLibrary().Count("SELECT COUNT(*) FROM QZPartInputParas WHERE PartID = " + id);
    ASSERT_GT(inputs, 0);
    std::vector<Row> counts = SampleLibrary().Query(
        "SELECT RowID, COUNT(*) AS n, COUNT(DISTINCT ParaID) AS k FROM QZParaValue "
        "WHERE PartID = " +
        id + " GROUP BY RowID ORDER BY RowID");
    ASSERT_FALSE(counts.empty());
    long long expectedRow = 1;
    for (const Row& r : counts) {
      EXPECT_EQ(r.Int("RowID"), expectedRow++) << "rows are numbered from 1 without gaps";
      EXPECT_EQ(r.Int("n"), inputs);
      EXPECT_EQ(r.Int("k"), inputs);
    }
    // A numeric parameter keeps its value in RealValue, a text one in StrValue.
    EXPECT_EQ(SampleLibrary().Count(
                  "SELECT COUNT(*) FROM QZParaValue v JOIN QZPartInputParas i ON i.PartID = "
                  "v.PartID AND i.ParaID = v.ParaID WHERE v.PartID = " +
                  id +
                  " AND ((i.ParaType = 1 AND (v.StrValue IS NULL OR v.StrValue = '')) OR "
                  "(i.ParaType = 0 AND v.StrValue IS NOT NULL))"),
              0);
  }
}

TEST(LibraryValueRows, LengthsArePositiveAndDistinctPerSize) {
  // Bolts, screws and pins offer several lengths of each size; a length row repeated or a
  // length the part cannot have (at or below zero) is a slip in the part source.
  const std::pair<const char*, const char*> parts[] = {
      {"ISO 4014", "Thread"}, {"ISO 4017", "Thread"}, {"ISO 4762", "Thread"}, {"ISO 2338", "d"}};
  for (const auto& [name, key] : parts) {
    SCOPED_TRACE(name);
    std::set<std::pair<std::string, double>> seen;
    for (const ValueRow& row : ValueRows(PartId(name))) {
      double length = row.at("L").Real("RealValue");
      EXPECT_GT(length, 0);
      EXPECT_TRUE(seen.insert({KeyText(row.at(key)), length}).second);
    }
    EXPECT_GE(seen.size(), 16u);
  }
}

}  // namespace
}  // namespace qzdbs::test
