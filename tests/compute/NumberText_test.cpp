// Numbers written and read as the engine keeps them in text.
#include "compute/NumberText.h"

#include <gtest/gtest.h>

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
