// The formula language: operators, precedence, literals, every function and the evaluation
// failures, as the rows of tests/data/formula/results.tsv; result types and text bounds here.
#include <gtest/gtest.h>

#include <fstream>

#include "FormulaRun.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

std::string Unescape(std::string text) {
  for (const auto& [from, to] : {std::pair{"\\r", "\r"}, {"\\n", "\n"}, {"\\t", "\t"}}) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
      text.replace(at, 2, to);
  }
  return text;
}

TEST(FormulaLanguage, EveryRowGivesItsResultOrItsFailure) {
  std::ifstream file(TestDataDir() / "formula" / "results.tsv");
  FormulaParser parser;
  size_t rows = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    const std::string formula = Unescape(line.substr(0, tab));
    std::string expected = line.substr(tab + 1);
    expected = Unescape(expected.substr(0, expected.find('\t')));
    SCOPED_TRACE(formula);
    ++rows;
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
  EXPECT_GE(rows, 146u);  // a truncated file must not pass quietly
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
