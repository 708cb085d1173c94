// Variables of a formula: numbering, typing by use, values, and the
// component's protocol around them (reset, result name, cache).
#include <gtest/gtest.h>

#include <stdexcept>

#include "FormulaRun.h"

namespace qzdbs::test {
namespace {

using Typed = std::vector<std::pair<std::string, int32_t>>;

TEST(FormulaVariables, NumberedOnceInOrderOfFirstUseAndTypedByUse) {
  const std::pair<const char*, Typed> cases[] = {
      {"S.b + O.L*S.b - QZDBSCA", {{"S.b", 0}, {"O.L", 0}, {"QZDBSCA", 0}}},
      {"\"Bolt \" & O.Thread & \"x\" & O.L", {{"O.Thread", 2}, {"O.L", 2}}},
      {"O.Thread*1", {{"O.Thread", 0}}},
      {"IIf(O.n=4, S.Rk, S.Rk*0.7071)", {{"O.n", 0}, {"S.Rk", 0}}},
      {"O.Code = \"DN50\"", {{"O.Code", 2}}},
      {"\"DN50\" <> O.Code", {{"O.Code", 2}}},
      {"O.a = O.b", {{"O.a", 0}, {"O.b", 0}}},
      {"O.a = \"x\" & O.b", {{"O.a", 2}, {"O.b", 2}}},
      {"Len(O.s) + O.n", {{"O.s", 2}, {"O.n", 0}}},
      {"Left(O.s, O.n)", {{"O.s", 2}, {"O.n", 0}}},
      {"Mid(O.s, O.a, O.b)", {{"O.s", 2}, {"O.a", 0}, {"O.b", 0}}},
      {"Val(O.s) * 2", {{"O.s", 2}}},
      {"Str(O.x)", {{"O.x", 0}}},
      {"IIf(O.a > 1, O.b, \"none\")", {{"O.a", 0}, {"O.b", 2}}},
      {"IIf(O.a, O.b, O.c) & \"\"", {{"O.a", 0}, {"O.b", 2}, {"O.c", 2}}},
      {"IIf(O.a, O.b, O.c) + 1", {{"O.a", 0}, {"O.b", 0}, {"O.c", 0}}},
      {"(O.x) & 1", {{"O.x", 2}}},
      {"-O.x & 1", {{"O.x", 0}}},
      {"O.d & O.d*2", {{"O.d", 2}}},  // once used as a text, a text
      {"O.d*2 & O.d", {{"O.d", 2}}},
      {"O.d + o.d", {{"O.d", 0}, {"o.d", 0}}},  // names keep their case
      {"Result = O.d", {{"O.d", 0}}},           // never the result itself
      {"P.A1.X - P.A1.Y", {{"P.A1.X", 0}, {"P.A1.Y", 0}}},
      {"S.L_1 + 垫圈.宽", {{"S.L_1", 0}, {"垫圈.宽", 0}}},
      {"Sin.x + Pi", {{"Sin.x", 0}}},  // a point makes a name a variable
      {"1 + 2", {}},
  };
  FormulaParser parser;
  for (const auto& [formula, expected] : cases) {
    Outcome out = Drive(parser, formula);
    EXPECT_TRUE(out.parsed) << formula << ": " << out.text;
    EXPECT_EQ(out.variables, expected) << formula;
  }
}

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

TEST(FormulaVariables, ACachedFormulaBehavesAsAFreshOne) {
  const char* formulas[] = {
      "IIf(O.L<=125, 2*S.d+6, 2*S.d+12)",
      "\"Bolt \" & O.Thread & \"x\" & O.L",
      "Round(Pi*S.d^2/4*O.L*0.00785, 2)",
      "O.L>S.d",
      "1/(O.L-40)",
      "Sin(",
  };
  const Variables values = {{"O.L", 40.0}, {"S.d", 10.0}, {"O.Thread", std::string("M10")}};
  FormulaParser cached;
  FormulaParser fresh(0);
  for (int round = 0; round < 3; ++round) {
    for (const char* formula : formulas) {
      Outcome a = Drive(cached, formula, values);
      Outcome b = Drive(fresh, formula, values);
      EXPECT_EQ(a.parsed, b.parsed) << formula;
      EXPECT_EQ(a.succeeded, b.succeeded) << formula;
      EXPECT_EQ(a.text, b.text) << formula;
      EXPECT_EQ(a.resultType, b.resultType) << formula;
      EXPECT_EQ(a.variables, b.variables) << formula;
      EXPECT_EQ(a.error, b.error) << formula;
      EXPECT_EQ(a.position, b.position) << formula;
    }
  }
  EXPECT_EQ(Drive(cached, formulas[2], values).text, "24.66");
}

}  // namespace
}  // namespace qzdbs::test
