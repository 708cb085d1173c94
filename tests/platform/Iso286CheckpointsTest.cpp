// Every worked limit deviation of tests/data/iso286/checkpoints.csv, each
// confirmed by a published table, through the host's tolerance call.
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/iso286/DimTolerance.h"
#include "support/TestPaths.h"

namespace qzdbs {
namespace {

// The file holds 63 rows; fewer means it was cut short.
constexpr int kMinimumCheckpoints = 63;

TEST(Iso286Checkpoints, EveryRowMatchesThePublishedDeviations) {
  std::ifstream file(test::TestDataDir() / "iso286" / "checkpoints.csv");
  ASSERT_TRUE(file) << "tests/data/iso286/checkpoints.csv missing";
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

    double gotUpper = 99, gotLower = 99;
    std::string buffer = code;
    ASSERT_TRUE(GetDimTolerance(buffer, std::stod(nominal), gotUpper, gotLower));
    EXPECT_NEAR(gotUpper, std::stod(upper), 1e-9);
    EXPECT_NEAR(gotLower, std::stod(lower), 1e-9);
    EXPECT_EQ(buffer, code);
  }
  EXPECT_GE(rows, kMinimumCheckpoints);
}

}  // namespace
}  // namespace qzdbs
