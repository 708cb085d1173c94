// The search over a small library named the GB way: what users type, and the part, row and
// typed values that must come first, as the rows of tests/data/libraries/gb-search.tsv.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "db/find/PartFinder.h"
#include "support/ScratchLibrary.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

TEST(PartFinder, FirstHitForWhatUsersType) {
  ScratchLibrary library(SchemaSql() +
                         ReadText(TestDataDir() / "libraries" / "gb-search-library.sql"));
  find::PartFinder finder;
  finder.AddLibrary(library.Path());
  std::ifstream file(TestDataDir() / "libraries" / "gb-search.tsv");
  size_t rows = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream columns(line);
    std::string typed, part, row, values;
    std::getline(columns, typed, '\t');
    std::getline(columns, part, '\t');
    std::getline(columns, row, '\t');
    std::getline(columns, values, '\t');
    std::vector<std::pair<std::string, std::string>> set;
    std::istringstream pairs(values);
    for (std::string pair; pairs >> pair;)
      set.emplace_back(pair.substr(0, pair.find('=')), pair.substr(pair.find('=') + 1));
    SCOPED_TRACE(typed);
    ++rows;
    auto hits = finder.Find(typed);
    if (part == "0") {
      EXPECT_TRUE(hits.empty()) << "found " << hits.front().part;
      continue;
    }
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits[0].partID, std::stoi(part)) << "found " << hits[0].part;
    EXPECT_EQ(hits[0].row, std::stoi(row));
    EXPECT_EQ(hits[0].set, set);
    EXPECT_EQ(hits[0].library, library.Path());
  }
  EXPECT_GE(rows, 35u);
}

}  // namespace
}  // namespace qzdbs::test
