// Every way the ISO 286 tolerance call refuses a code or a size. What it gives is checked
// row by row from tests/data/iso286 (Iso286Checkpoints_test.cpp).
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "platform/iso286/DimTolerance.h"

namespace qzdbs {
namespace {

constexpr double kUntouched = 123.456;

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
