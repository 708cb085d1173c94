// The ISO 286 rules beyond the published checkpoints: the grade rules of j, k,
// K, M, N and P..ZC, the delta and M6 exceptions, sizes above 500 mm, the
// range boundaries, and every way the tolerance call refuses. Expected values
// are worked by hand from the tables (micrometres / 1000).
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "platform/iso286/DimTolerance.h"

namespace qzdbs {
namespace {

constexpr double kUntouched = 123.456;

struct Worked {
  const char* code;
  double nominal;
  double upper;
  double lower;
};

TEST(Iso286Rules, WorkedClassesGiveTheirDeviations) {
  const Worked cases[] = {
      // Shafts: grades at both ends of the range and letters the checkpoints lack.
      {"js01", 2, 0.00015, -0.00015},  // IT01 = 0.3
      {"h0", 400, 0, -0.005},
      {"h18", 2, 0, -1.4},
      {"h14", 1.5, 0, -0.25},  // IT14 is allowed above 1 mm
      {"b11", 1.5, -0.14, -0.2},
      {"cd8", 8, -0.056, -0.078},
      {"y6", 20, 0.076, 0.063},
      {"v6", 15, 0.05, 0.039},
      {"zc7", 450, 2.463, 2.4},
      // j by grade, k switching column by grade.
      {"j5", 20, 0.005, -0.004},
      {"j8", 2, 0.008, -0.006},
      {"k3", 20, 0.004, 0},
      {"k4", 20, 0.008, 0.002},
      {"k8", 20, 0.033, 0},
      // Above 500 mm.
      {"k7", 600, 0.07, 0},
      {"h7", 1000, 0, -0.09},
      {"u6", 3000, 3.335, 3.2},
      {"JS8", 600, 0.055, -0.055},
      {"M8", 600, -0.026, -0.136},
      {"N10", 1000, -0.056, -0.416},
      {"K7", 1000, 0, -0.09},
      // Holes: delta up to IT7 for P..ZC, none for IT01..IT2 or above IT7.
      {"ZC7", 2, -0.06, -0.07},
      {"ZC7", 5, -0.076, -0.088},  // -80 + delta7 4
      {"ZC8", 5, -0.08, -0.098},
      {"P2", 100, -0.037, -0.041},
      {"P3", 100, -0.035, -0.041},  // -37 + delta3 2
      {"P7", 100, -0.024, -0.059},  // -37 + delta7 13
      {"P8", 100, -0.037, -0.091},
      {"T7", 25, -0.033, -0.054},
      {"A11", 1.01, 0.33, 0.27},
      // K, M, N above IT8 have columns of their own.
      {"K9", 2, 0, -0.025},
      {"M9", 5, -0.004, -0.034},
      {"N9", 5, 0, -0.03},
      {"N9", 2, -0.004, -0.029},
      {"N8", 1, -0.004, -0.018},
      // M6 is -9 only above 250 up to 315; the delta rule on either side.
      {"M6", 250, -0.008, -0.037},
      {"M6", 315, -0.009, -0.041},
      {"M6", 316, -0.01, -0.046},
      {"M7", 300, 0, -0.052},
      // A size on a boundary belongs to the range below it.
      {"h7", 3, 0, -0.01},
      {"h7", 3.000001, 0, -0.012},
      {"g6", 10, -0.005, -0.014},
      {"g6", 10.5, -0.006, -0.017},
      {"r6", 65, 0.06, 0.041},
      {"r6", 66, 0.062, 0.043},
      {"h7", 3150, 0, -0.21},
  };
  for (const Worked& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " @ " + std::to_string(c.nominal));
    std::string code = c.code;
    double upper = kUntouched, lower = kUntouched;
    ASSERT_TRUE(GetDimTolerance(code, c.nominal, upper, lower));
    EXPECT_NEAR(upper, c.upper, 1e-9);
    EXPECT_NEAR(lower, c.lower, 1e-9);
  }
}

struct Refused {
  const char* code;
  double nominal;
};

void ExpectRefused(const Refused& c) {
  SCOPED_TRACE(std::string("'") + c.code + "' @ " + std::to_string(c.nominal));
  std::string code = c.code;
  double upper = kUntouched, lower = -kUntouched;
  EXPECT_FALSE(GetDimTolerance(code, c.nominal, upper, lower));
  EXPECT_EQ(upper, kUntouched);
  EXPECT_EQ(lower, -kUntouched);
  EXPECT_EQ(code, c.code);
}

TEST(Iso286Rules, UnknownCodesAreRefusedAndLeaveEverything) {
  const Refused cases[] = {
      {"", 30},
      {"   ", 30},
      {"H", 30},
      {"7", 30},
      {"h19", 30},
      {"H00", 30},
      {"h07", 30},
      {"H001", 30},
      {"I7", 30},
      {"L7", 30},
      {"O7", 30},
      {"Q7", 30},
      {"W7", 30},
      {"i7", 30},
      {"l7", 30},
      {"w7", 30},
      {"Hh7", 30},
      {"Js7", 30},
      {"jS7", 30},
      {"Cd7", 30},
      {"H7/g6", 30},
      {"6g", 30},
      {"H7x", 30},
      {"h 7", 30},
      {"IT7", 30},
      {"H-7", 30},
      {"H+7", 30},
      {"H7.5", 30},
      {"\xEF\xBC\xA8"
       "7",
       30},
  };
  for (const Refused& c : cases)
    ExpectRefused(c);
}

TEST(Iso286Rules, ClassesTheStandardDoesNotDefineAtASizeAreRefused) {
  const Refused cases[] = {
      {"H01", 600}, {"js0", 501},  // IT01 and IT0 end at 500 mm
      {"K9", 5},    {"K9", 1000},  // K above IT8 only up to 3 mm
      {"J9", 20},   {"J5", 20},   {"J6", 600},  {"j4", 20},   {"j9", 20},  {"j8", 5},
      {"j6", 600},  {"a11", 1},   {"A11", 1},   {"b11", 0.5}, {"B11", 1},  // not up to 1 mm
      {"N9", 1},    {"h14", 1},   {"H18", 0.5}, {"t6", 24},   {"T7", 24},  {"v6", 14},
      {"V7", 14},   {"x6", 600},  {"X7", 600},  {"a11", 600}, {"cd8", 11}, {"EF8", 11},
  };
  for (const Refused& c : cases)
    ExpectRefused(c);
}

TEST(Iso286Rules, SizesOutsideTheTablesAreRefused) {
  const Refused cases[] = {
      {"h7", 0},
      {"h7", -1},
      {"H7", -30},
      {"h7", 3150.001},
      {"H7", 1e9},
      {"H7", std::numeric_limits<double>::quiet_NaN()},
      {"H7", std::numeric_limits<double>::infinity()},
      {"H7", -std::numeric_limits<double>::infinity()},
  };
  for (const Refused& c : cases)
    ExpectRefused(c);
}

TEST(Iso286Rules, BlanksAroundTheCodeAreDroppedFromTheBuffer) {
  std::string code = "  H7\t";
  double upper = kUntouched, lower = kUntouched;
  ASSERT_TRUE(GetDimTolerance(code, 30, upper, lower));
  EXPECT_EQ(code, "H7");
  EXPECT_NEAR(upper, 0.021, 1e-9);
  EXPECT_NEAR(lower, 0, 1e-9);

  ExpectRefused({" Q7 ", 30});  // no letter Q: the blanks stay
}

}  // namespace
}  // namespace qzdbs
