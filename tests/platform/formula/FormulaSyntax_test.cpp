// Syntax errors with their numbers, positions, argument numbers and function
// names, and the bounds that turn hostile input into clean failures.
#include <gtest/gtest.h>

#include <random>

#include "FormulaRun.h"

namespace qzdbs::test {
namespace {

struct SyntaxCase {
  std::string formula;
  int32_t error;
  int32_t position;
  int32_t argument = 0;
  const char* function = "";
};

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i)
    out += piece;
  return out;
}

TEST(FormulaSyntax, ErrorNumbersPositionsArgumentsAndFunctions) {
  const std::vector<SyntaxCase> cases = {
      {"", 1, 1},
      {" \t ", 1, 1},
      {Repeat("1+", 8200) + "1", 2, 16385},
      {"1+\xFF", 3, 3},
      {"\"\xC0\xAF\"", 3, 2},    // overlong
      {"1+\xED\xA0\x80", 3, 3},  // surrogate
      {"\xE5\x9E", 3, 1},        // cut short
      {"1+\x01", 4, 3},
      {std::string("1\0", 2), 4, 2},
      {"1+\x7F", 4, 3},
      {"2 $ 3", 10, 3},
      {"O.d\xEF\xBC\x88"
       "1\xEF\xBC\x89",
       10, 4},              // full-width parenthesis
      {"垫圈 & #", 10, 6},  // positions count characters
      {"\"abc", 11, 1},
      {"1 & \"abc", 11, 5},
      {"1.2.3", 12, 1},
      {"12abc", 12, 1},
      {"1e", 12, 1},
      {"1e+x", 12, 1},
      {".", 12, 1},
      {"1e999", 13, 1},
      {"2*1e-999", 13, 3},
      {"1+", 14, 3},
      {"1+*2", 14, 3},
      {"And 1", 14, 1},
      {"()", 14, 2},
      {"(1+2", 15, 5},
      {"1+2)", 16, 4},
      {"1 2", 16, 3},
      {"1, 2", 16, 2},
      {"(1 2)", 16, 4},
      {"Foo(1)", 17, 1, 0, "Foo"},
      {"Max(Foo(1))", 17, 5, 0, "Foo"},
      {"O.d(1)", 17, 1, 0, "O.d"},
      {"Sin(1, 2)", 18, 8, 2, "Sin"},
      {"Left(\"a\")", 18, 9, 2, "Left"},
      {"IIf(1, 2)", 18, 9, 3, "IIf"},
      {"IIf(1, 2, 3, 4)", 18, 14, 4, "IIf"},
      {"Sin()", 18, 5, 1, "Sin"},
      {"Pi(1)", 18, 4, 1, "Pi"},
      {"Max(1, 2, )", 14, 11, 3, "Max"},
      {"Round(1, (2 +))", 14, 14, 2, "Round"},
      {"Max(1 2)", 16, 7, 1, "Max"},
      {"Min(1, 2", 15, 9, 2, "Min"},
      {"Sin + 1", 19, 1},
      {"1 + sqr", 19, 5},
      {"Result * 2", 20, 1},
      {"Result = Result", 20, 10},
      {Repeat("(", 200) + "1" + Repeat(")", 200), 21, 129},
      {Repeat("-", 5000) + "1", 21, 129},
      {Repeat("Not ", 1000) + "1", 21, 513},
      {Repeat("Abs(", 300) + "1" + Repeat(")", 300), 21, 513, 1, "Abs"},
  };
  ASSERT_GE(cases.size(), 50u);
  FormulaParser parser;
  for (const SyntaxCase& c : cases) {
    std::string shown = c.formula.substr(0, 40);
    Outcome out = Drive(parser, c.formula);
    EXPECT_FALSE(out.parsed) << shown;
    EXPECT_EQ(out.error, c.error) << shown;
    EXPECT_EQ(out.position, c.position) << shown;
    EXPECT_EQ(out.argument, c.argument) << shown;
    EXPECT_EQ(out.function, c.function) << shown;
    EXPECT_FALSE(out.text.empty()) << shown;
    // The text check alone catches exactly the errors numbered below 10.
    EXPECT_EQ(out.checked, c.error >= 10) << shown;
  }
}

TEST(FormulaSyntax, NestingUpToTheBoundIsAccepted) {
  Outcome deep = Drive(Repeat("(", 128) + "1" + Repeat(")", 128));
  EXPECT_TRUE(deep.succeeded) << deep.text;
  Outcome calls = Drive(Repeat("Abs(", 127) + "-1" + Repeat(")", 127));
  EXPECT_TRUE(calls.succeeded) << calls.text;
  // Long flat chains are not nesting: a formula of thousands of terms runs.
  Outcome flat = Drive(Repeat("1+", 8000) + "1");
  EXPECT_TRUE(flat.succeeded);
  EXPECT_EQ(flat.text, "8001");
  Outcome many = Drive("Max(" + Repeat("1,", 5000) + "2)");
  EXPECT_EQ(many.text, "2");
}

TEST(FormulaSyntax, CheckFormulaExplainsWhy) {
  FormulaParser parser;
  std::string formula = "1+\x01";
  int32_t flag = 1;
  parser.CheckFormula(formula, flag);
  EXPECT_EQ(flag, 0);
  std::string why;
  parser.GetErrorText(why);
  EXPECT_EQ(why, "公式含有不允许的控制字符（位置 3）");
  formula = "1+";  // a syntax error is the parser's to find, not the check's
  parser.CheckFormula(formula, flag);
  EXPECT_EQ(flag, 1);
  int32_t number = 0;
  parser.ParseFormula(formula, flag, number);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(number, 14);
  parser.GetErrorText(why);
  EXPECT_EQ(why, "缺少运算数（位置 3）");
  formula = "Sin()";
  parser.ParseFormula(formula, flag, number);
  parser.GetErrorText(why);
  EXPECT_EQ(why, "函数参数个数不正确（位置 5，函数 Sin 的第 1 个参数）");
}

// Random formulas built from the language's own pieces reach every corner
// of the parser; whatever they are, each ends in a clean outcome.
TEST(FormulaSyntax, RandomInputEndsCleanly) {
  const std::vector<std::string> pieces = {
      "1",  "2.5",   "1e3",   "\"t\"", "O.d",   "S.b",  "(",    ")",     ",",
      "+",  "-",     "*",     "/",     "\\",    "^",    "&",    "=",     "<>",
      "<=", " Mod ", " And ", " Or ",  " Not ", "IIf(", "Max(", "Left(", "Sqr(",
      "Pi", "True",  "\"",    "垫",    "\xFF",  " ",    "\x01", "."};
  std::mt19937 random(20241206);
  FormulaParser parser;
  int parsed = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string formula;
    int length = 1 + static_cast<int>(random() % 12);
    for (int k = 0; k < length; ++k)
      formula += pieces[random() % pieces.size()];
    Outcome out = Drive(parser, formula, {{"O.d", 3.0}, {"S.b", std::string("M8")}});
    if (out.parsed) {
      ++parsed;
      EXPECT_EQ(out.error, 0) << formula;
      if (!out.succeeded) {
        EXPECT_FALSE(out.text.empty()) << formula;
      }
    } else {
      EXPECT_NE(out.error, 0) << formula;
      EXPECT_GE(out.position, 1) << formula;
      EXPECT_LE(out.position, static_cast<int32_t>(formula.size()) + 1) << formula;
    }
  }
  EXPECT_GT(parsed, 100);  // the generator does reach valid formulas
}

}  // namespace
}  // namespace qzdbs::test
