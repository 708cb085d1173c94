// Numbers written and read as the engine keeps them in text.
#include "base/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

namespace qzdbs {
namespace {

TEST(NumberText, GeneralFormatWithFifteenDigits) {
  const std::pair<double, const char*> cases[] = {
      {1.0 / 3, "0.333333333333333"},
      {2, "2"},
      {1e-5, "1E-05"},
      {1.5e20, "1.5E+20"},
      {0.0001, "0.0001"},
      {1e15, "1E+15"},
      {999999999999999, "999999999999999"},
      {-0.5, "-0.5"},
      {-0.0, "0"},
      {0.1 + 0.2, "0.3"},
  };
  for (const auto& [value, text] : cases)
    EXPECT_EQ(FormatNumber(value), text) << value;
}

// The text is printf's "%.15G" for every value, whichever way it is made.
TEST(NumberText, GeneralFormatAgreesWithPrintfAcrossMagnitudes) {
  std::mt19937_64 random(20261206);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-30, 30);
  std::vector<double> values = {999999999999999.5,
                                -999999999999999,
                                1e15 - 1,
                                123456789012345.6,
                                0.5,
                                2.5,
                                -2.5,
                                1e-4,
                                9.99999999999999e-5,
                                1e300,
                                -1e-300,
                                std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN()};
  for (int i = 0; i < 20000; ++i) {
    const double value = mantissa(random) * std::pow(10.0, exponent(random));
    values.push_back(value);
    values.push_back(std::round(value));
  }
  for (double value : values) {
    if (value == 0) continue;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.15G", value);
    ASSERT_EQ(FormatNumber(value), expected) << value;
  }
}

TEST(NumberText, ParseAcceptsDecimalTextOnly) {
  EXPECT_EQ(ParseNumber(" 12.5 "), 12.5);
  EXPECT_EQ(ParseNumber("+3"), 3);
  EXPECT_EQ(ParseNumber("-1e-3"), -0.001);
  EXPECT_EQ(ParseNumber(".5"), 0.5);
  for (const char* bad : {"", "  ", "M12", "0x10", "inf", "nan", "1,5", "1e999", "1.2.3", "--1"}) {
    EXPECT_FALSE(ParseNumber(bad)) << bad;
  }
}

TEST(NumberText, BaseLengthKeepsDigitsAndPoints) {
  EXPECT_EQ(GetBaseLength("M12x1.5"), 121.5);
  EXPECT_EQ(GetBaseLength(""), 0);
  EXPECT_EQ(GetBaseLength("abc"), 0);
  EXPECT_EQ(GetBaseLength("1.2.3"), 930);
  EXPECT_EQ(GetBaseLength("Ø30 H7"), 307);
}

}  // namespace
}  // namespace qzdbs
