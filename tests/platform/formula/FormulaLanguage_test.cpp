// The formula language as the rows of tests/data/formula: results.tsv (operators, precedence,
// literals, every function and the evaluation failures), syntax.tsv (syntax errors with their
// numbers, positions, arguments and functions) and variables.tsv (numbering and typing by use);
// result types and the bounds of texts and nesting here.
#include <gtest/gtest.h>

#include "FormulaRun.h"

namespace qzdbs::test {
namespace {

TEST(FormulaLanguage, EveryRowGivesItsResultOrItsFailure) {
  FormulaParser parser;
  const auto rows = FormulaCases("results.tsv");
  for (const auto& row : rows) {
    const std::string& formula = row.at(0);
    const std::string& expected = row.at(1);
    SCOPED_TRACE(formula);
    Outcome out = Drive(parser, formula);
    ASSERT_TRUE(out.parsed) << out.text;
    if (expected.starts_with("!")) {
      // A failed evaluation gives no number and says why.
      EXPECT_FALSE(out.succeeded);
      EXPECT_NE(out.text.find(expected.substr(1)), std::string::npos) << out.text;
      EXPECT_EQ(out.number, 0);
    } else {
      EXPECT_TRUE(out.succeeded) << out.text;
      EXPECT_EQ(out.text, expected);
    }
  }
  EXPECT_GE(rows.size(), 146u);  // a truncated file must not pass quietly
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i)
    out += piece;
  return out;
}

TEST(FormulaLanguage, SyntaxErrorsGiveTheirNumberPositionArgumentAndFunction) {
  auto rows = FormulaCases("syntax.tsv");
  ASSERT_GE(rows.size(), 47u);
  // Beyond the bounds of length and nesting.
  const std::vector<std::vector<std::string>> bounds = {
      {Repeat("1+", 8200) + "1", "2", "16385", "0", ""},
      {Repeat("(", 200) + "1" + Repeat(")", 200), "21", "129", "0", ""},
      {Repeat("-", 5000) + "1", "21", "129", "0", ""},
      {Repeat("Not ", 1000) + "1", "21", "513", "0", ""},
      {Repeat("Abs(", 300) + "1" + Repeat(")", 300), "21", "513", "1", "Abs"},
  };
  rows.insert(rows.end(), bounds.begin(), bounds.end());
  FormulaParser parser;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.at(0).substr(0, 40));
    const int32_t error = std::stoi(row.at(1));
    Outcome out = Drive(parser, row[0]);
    EXPECT_FALSE(out.parsed);
    EXPECT_EQ(out.error, error);
    EXPECT_EQ(out.position, std::stoi(row.at(2)));
    EXPECT_EQ(out.argument, std::stoi(row.at(3)));
    EXPECT_EQ(out.function, row.at(4));
    EXPECT_FALSE(out.text.empty());
    // The text check alone catches exactly the errors numbered below 10.
    EXPECT_EQ(out.checked, error >= 10);
  }
  // Up to the bounds, nesting is accepted; long flat chains are not nesting.
  EXPECT_TRUE(Drive(Repeat("(", 128) + "1" + Repeat(")", 128)).succeeded);
  EXPECT_TRUE(Drive(Repeat("Abs(", 127) + "-1" + Repeat(")", 127)).succeeded);
  EXPECT_EQ(Drive(Repeat("1+", 8000) + "1").text, "8001");
  EXPECT_EQ(Drive("Max(" + Repeat("1,", 5000) + "2)").text, "2");
}

TEST(FormulaLanguage, VariablesAreNumberedOnceInOrderOfFirstUseAndTypedByUse) {
  const auto rows = FormulaCases("variables.tsv");
  ASSERT_GE(rows.size(), 26u);
  FormulaParser parser;
  for (const auto& row : rows) {
    std::vector<std::pair<std::string, int32_t>> expected;
    std::istringstream names(row.at(1));
    for (std::string item; names >> item;)
      expected.emplace_back(item.substr(0, item.rfind(':')),
                            std::stoi(item.substr(item.rfind(':') + 1)));
    Outcome out = Drive(parser, row[0]);
    EXPECT_TRUE(out.parsed) << row[0] << ": " << out.text;
    EXPECT_EQ(out.variables, expected) << row[0];
  }
}

TEST(FormulaLanguage, ResultTypeFollowsTheValue) {
  EXPECT_EQ(Drive("\"M\" & 10").resultType, 2);
  EXPECT_EQ(Drive("Len(\"abc\")").resultType, 0);
  EXPECT_EQ(Drive("IIf(1, \"a\", 2)").resultType, 2);
  EXPECT_EQ(Drive("IIf(0, \"a\", 2)").resultType, 0);
  Outcome text = Drive("\"12.5\"");
  EXPECT_EQ(text.resultType, 2);
  EXPECT_EQ(text.number, 12.5);  // a text result still reads as a number
  EXPECT_EQ(Drive("\"M12\"").number, 0);
}

TEST(FormulaLanguage, TextsAreBounded) {
  // Doubling a text through a variable twenty times would pass a megabyte.
  std::string formula = "O.t";
  for (int i = 0; i < 21; ++i)
    formula += " & O.t";
  Outcome small = Drive(formula, {{"O.t", std::string(1000, 'x')}});
  EXPECT_TRUE(small.succeeded);
  EXPECT_EQ(small.text.size(), 22000u);
  Outcome large = Drive(formula, {{"O.t", std::string(100000, 'x')}});
  EXPECT_FALSE(large.succeeded);
  EXPECT_NE(large.text.find("文字过长"), std::string::npos);
}

}  // namespace
}  // namespace qzdbs::test
