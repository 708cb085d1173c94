// Every limit deviation of tests/data/iso286 through the host's tolerance call: those of
// checkpoints.csv, each confirmed by a published table, and those of worked.csv, worked by hand
// from the tables for the grade rules of j, k, K, M, N and P..ZC, the delta and M6 exceptions,
// sizes above 500 mm and the range boundaries; and the codes and sizes of refused.csv, which
// it refuses leaving its arguments as they were.
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/iso286/DimTolerance.h"
#include "support/TestPaths.h"

namespace qzdbs {
namespace {

class Iso286Rows : public ::testing::TestWithParam<std::pair<const char*, int>> {};

// Each file with the rows it holds; fewer means it was cut short.
INSTANTIATE_TEST_SUITE_P(Files, Iso286Rows,
                         ::testing::Values(std::pair{"checkpoints", 63}, std::pair{"worked", 46},
                                           std::pair{"refused", 65}),
                         [](const auto& row) { return std::string(row.param.first); });

TEST_P(Iso286Rows, EveryRowGivesItsDeviations) {
  const auto [name, minimum] = GetParam();
  std::ifstream file(test::TestDataDir() / "iso286" / (std::string(name) + ".csv"));
  ASSERT_TRUE(file) << name << ".csv missing";
  std::string line;
  ASSERT_TRUE(std::getline(file, line));
  ASSERT_EQ(line.rfind("code,nominal_mm,upper_mm,lower_mm", 0), 0u) << line;

  int rows = 0;
  while (std::getline(file, line)) {
    if (line.empty() || line == "\r") continue;
    std::istringstream fields(line);
    std::string code, nominal, upper, lower;
    std::getline(fields, code, ',');
    std::getline(fields, nominal, ',');
    std::getline(fields, upper, ',');
    std::getline(fields, lower, ',');
    SCOPED_TRACE(line);
    ++rows;

    double gotUpper = 99, gotLower = -99;
    std::string buffer = code;
    ASSERT_EQ(GetDimTolerance(buffer, std::stod(nominal), gotUpper, gotLower), !upper.empty());
    EXPECT_EQ(buffer, code);
    if (upper.empty()) {
      EXPECT_EQ(gotUpper, 99);
      EXPECT_EQ(gotLower, -99);
      continue;
    }
    EXPECT_NEAR(gotUpper, std::stod(upper), 1e-9);
    EXPECT_NEAR(gotLower, std::stod(lower), 1e-9);
  }
  EXPECT_GE(rows, minimum);
}

TEST(Iso286Rules, BlanksAroundAGivenCodeAreDroppedFromTheBuffer) {
  std::string code = "  H7\t";
  double upper = 99, lower = 99;
  ASSERT_TRUE(GetDimTolerance(code, 30, upper, lower));
  EXPECT_EQ(code, "H7");
  EXPECT_NEAR(upper, 0.021, 1e-9);
  EXPECT_NEAR(lower, 0, 1e-9);
}

}  // namespace
}  // namespace qzdbs
