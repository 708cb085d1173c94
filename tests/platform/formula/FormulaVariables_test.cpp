// Values of a formula's variables, and the component's protocol around them (reset, result
// name); their numbering and types are rows of tests/data/formula/variables.tsv.
#include <gtest/gtest.h>

#include <stdexcept>

#include "FormulaRun.h"

namespace qzdbs::test {
namespace {

TEST(FormulaVariables, ValuesOfBothKinds) {
  Outcome bolt = Drive("\"Bolt \" & O.Thread & \"x\" & O.L",
                       {{"O.Thread", std::string("M10")}, {"O.L", std::string("40")}});
  EXPECT_EQ(bolt.text, "Bolt M10x40");
  EXPECT_EQ(bolt.resultType, 2);
  // A text variable used as a number too converts when it is decimal text.
  Outcome mixed = Drive("O.L & \"/\" & O.L*2", {{"O.L", std::string("40")}});
  EXPECT_EQ(mixed.text, "40/80");
  Outcome number = Drive("O.d*0.7", {{"O.d", 12.0}});
  EXPECT_EQ(number.number, 12 * 0.7);
  EXPECT_EQ(number.text, "8.4");
  // A number handed to a text variable is written in the general format.
  EXPECT_EQ(Drive("O.s & \"\"", {{"O.s", 1.0 / 3}}).text, "0.333333333333333");
  Outcome compare = Drive("O.Code = \"DN50\"", {{"O.Code", std::string("DN50")}});
  EXPECT_EQ(compare.text, "-1");
}

TEST(FormulaVariables, AVariableWithoutValueFailsTheEvaluation) {
  Outcome out = Drive("O.a + O.b", {{"O.a", 1.0}});
  EXPECT_FALSE(out.succeeded);
  EXPECT_EQ(out.text, "变量 O.b 没有值（位置 7）");
}

TEST(FormulaVariables, ProtocolAroundTheValues) {
  FormulaParser parser;
  std::string formula = "O.a * 2";
  int32_t flag = 0;
  int32_t number = 0;
  parser.ParseFormula(formula, flag, number);
  ASSERT_EQ(flag, 1);
  std::string name = "O.a";
  std::string other = "O.zzz";
  std::string result = "Result";
  parser.DefineVariable(1, other, 5, formula);  // not in the formula: ignored
  parser.DefineVariable(1, name, 3, formula);
  double value = 0;
  parser.GetNumericValue(result, value);
  EXPECT_EQ(value, 6);
  parser.DefineVariable(1, name, 4, formula);  // a new value is evaluated anew
  parser.GetNumericValue(result, value);
  EXPECT_EQ(value, 8);
  parser.GetNumericValue(name, value);
  EXPECT_EQ(value, 4);
  std::string text;
  parser.GetTextValue(result, text);
  EXPECT_EQ(text, "8");

  std::string renamed = "Answer";
  parser.DefineVariable(2, renamed, 0, formula);
  parser.GetNumericValue(renamed, value);
  EXPECT_EQ(value, 8);

  std::string out;
  EXPECT_THROW(parser.GetVariableName(0, out), std::out_of_range);
  EXPECT_THROW(parser.GetVariableName(2, out), std::out_of_range);
  int32_t type = 0;
  EXPECT_THROW(parser.GetVariableType(2, type), std::out_of_range);

  parser.Reset();
  int32_t count = -1;
  parser.GetVariableCount(count);
  EXPECT_EQ(count, 0);
  parser.GetSucceeded(flag);
  EXPECT_EQ(flag, 0);
  parser.GetErrorText(text);
  EXPECT_FALSE(text.empty());
  int32_t errors = -1, error = -1, position = -1, argument = -1;
  parser.GetParseError(errors, error, position, argument, text);
  EXPECT_EQ(errors, 0);
  EXPECT_EQ(error, 0);
}

TEST(FormulaVariables, CheckFormulaExplainsWhy) {
  FormulaParser parser;
  std::string formula = "1+\x01", why;
  int32_t flag = 1, number = 0;
  parser.CheckFormula(formula, flag);
  EXPECT_EQ(flag, 0);
  parser.GetErrorText(why);
  EXPECT_EQ(why, "公式含有不允许的控制字符（位置 3）");
  formula = "1+";  // a syntax error is the parser's to find, not the check's
  parser.CheckFormula(formula, flag);
  EXPECT_EQ(flag, 1);
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

}  // namespace
}  // namespace qzdbs::test
