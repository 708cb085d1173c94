// The formula language: operators, precedence, literals, every function, and
// the evaluation failures.
#include <gtest/gtest.h>

#include "FormulaRun.h"

namespace qzdbs::test {
namespace {

struct Case {
  const char* formula;
  const char* expected;  // the result as the component gives it in text
};

void ExpectResults(const std::vector<Case>& cases, size_t minimum) {
  ASSERT_GE(cases.size(), minimum);  // a truncated table must not pass quietly
  FormulaParser parser;
  for (const Case& c : cases) {
    Outcome out = Drive(parser, c.formula);
    EXPECT_TRUE(out.parsed) << c.formula << ": " << out.text;
    EXPECT_TRUE(out.succeeded) << c.formula << ": " << out.text;
    EXPECT_EQ(out.text, c.expected) << c.formula;
  }
}

TEST(FormulaLanguage, OperatorsPrecedenceAndAssociativity) {
  ExpectResults(
      {
          {"1+2*3", "7"},
          {"(1+2)*3", "9"},
          {"10-4-3", "3"},
          {"100/10/5", "2"},
          {"2^3^2", "64"},  // left to right
          {"-2^2", "-4"},   // power binds tighter than the sign
          {"2^-1", "0.5"},
          {"-3*-2", "6"},
          {"+-+3", "-3"},
          {"7\\2", "3"},
          {"7.5\\2", "4"},  // 8 \ 2: halves to even
          {"6.5\\2", "3"},  // 6 \ 2
          {"-7\\2", "-3"},
          {"7\\2*2", "1"},  // * before \ : 7 \ 4
          {"7 Mod 3", "1"},
          {"-7 Mod 3", "-1"},
          {"7.5 mod 2", "1.5"},
          {"10 Mod 7\\2", "1"},  // \ before Mod: 10 Mod 3
          {"1+7 Mod 4", "4"},    // Mod before +
          {"1+2 & 3", "33"},     // + before &
          {"\"a\" & 1.5", "a1.5"},
          {"1/3 & \"\"", "0.333333333333333"},
          {"2 & 3 = 23", "-1"},  // & before =
          {"1 < 2", "-1"},
          {"2 <= 1", "0"},
          {"2 >= 2", "-1"},
          {"1 <> 1", "0"},
          {"1+1 = 2", "-1"},
          {"\"abc\" < \"abd\"", "-1"},
          {"\"10\" < \"9\"", "-1"},  // two texts compare as texts
          {"10 < \"9\"", "0"},       // otherwise as numbers
          {"Not 1 = 2", "-1"},       // comparison before Not
          {"Not 0", "-1"},
          {"Not 5", "0"},
          {"Not 0 And 0", "0"},    // Not before And
          {"1 Or 0 And 0", "-1"},  // And before Or
          {"1 Xor 1", "0"},
          {"1 XOR 0", "-1"},
          {"0 Or 0 Xor 1", "-1"},
          {"True + 1", "0"},
          {"FALSE", "0"},
          {"true And 2", "-1"},
          {"Result = 2*3", "6"},
          {"result=1", "1"},
          {".5+1e-3", "0.501"},
          {"2.5E+2", "250"},
          {"12.", "12"},
          {"1e-5", "1E-05"},
          {"1.5e20", "1.5E+20"},
          {"\"say \"\"hi\"\"\"", "say \"hi\""},
          {"\"\"", ""},
          {"\"垫圈 \" & \"M10\"", "垫圈 M10"},
          {"1 +\r\n\t2", "3"},
          {"\xE3\x80\x80"
           "1+1",
           "2"},  // an ideographic space is a blank
      },
      50);
}

TEST(FormulaLanguage, EveryFunction) {
  ExpectResults(
      {
          {"Abs(-2.5)", "2.5"},
          {"Sqr(16)", "4"},
          {"Sqrt(2.25)", "1.5"},
          {"Exp(0)", "1"},
          {"Log(Exp(2))", "2"},
          {"Log10(1000)", "3"},
          {"Int(-2.5)", "-3"},
          {"Fix(-2.5)", "-2"},
          {"Round(2.5)", "3"},
          {"Round(-2.5)", "-3"},
          {"Round(2.675, 2)", "2.68"},
          {"Round(1.005, 2)", "1.01"},
          {"Round(24.6615, 2)", "24.66"},
          {"Round(1.5E+300, 2)", "1.5E+300"},
          {"Round(-0.0001, 3)", "0"},
          {"Ceil(1.2)", "2"},
          {"Floor(-1.2)", "-2"},
          {"Sgn(-3)", "-1"},
          {"Sgn(0)", "0"},
          {"Sgn(0.1)", "1"},
          {"Min(3, 1, 2)", "1"},
          {"Max(3, 1, 2)", "3"},
          {"Max(7)", "7"},
          {"Pi", "3.14159265358979"},
          {"pi()*2", "6.28318530717959"},
          {"Sin(0)", "0"},
          {"Cos(0)", "1"},
          {"Tan(0)", "0"},
          {"Atn(1)*4", "3.14159265358979"},
          {"SinD(30)", "0.5"},
          {"SinD(-90)", "-1"},
          {"CosD(90)*1E+20", "0"},  // exact, not 6E-17
          {"CosD(60) = 0.5", "-1"},
          {"CosD(450)", "0"},
          {"TanD(45) = 1", "-1"},
          {"TanD(135)", "-1"},
          {"ATanD(1)", "45"},
          {"ATan2(1, 1)*4", "3.14159265358979"},
          {"ATan2D(1, -1)", "135"},
          {"Rad(180)", "3.14159265358979"},
          {"Deg(Pi)", "180"},
          {"IIf(1 > 0, \"a\", \"b\")", "a"},
          {"IIf(0, \"a\", \"b\")", "b"},
          {"IIf(1, 2, 1/0)", "2"},  // only the chosen branch runs
          {"IIf(0, Sqr(-1), 3)", "3"},
          {"IIf(\"True\", 1, 2)", "1"},
          {"Len(\"垫圈 M10\")", "6"},  // characters, not bytes
          {"Len(123.5)", "5"},
          {"Left(\"M12x1.5\", 3)", "M12"},
          {"Left(\"垫圈\", 1)", "垫"},
          {"Left(\"abc\", 10)", "abc"},
          {"Right(\"abc\", 2)", "bc"},
          {"Right(\"abc\", 0)", ""},
          {"Mid(\"abcdef\", 2, 3)", "bcd"},
          {"Mid(\"abc\", 2)", "bc"},
          {"Mid(\"abc\", 5)", ""},
          {"Mid(\"零件属性\", 3, 1)", "属"},
          {"UCase(\"m12x1.5\")", "M12X1.5"},
          {"LCase(\"AbC\")", "abc"},
          {"Trim(\"  a b  \")", "a b"},
          {"Val(\" 12.5mm\")", "12.5"},
          {"Val(\"-3e2x\")", "-300"},
          {"Val(\"M12\")", "0"},
          {"Val(\"\")", "0"},
          {"Str(1/4)", "0.25"},
          {"CStr(2) & \"\"", "2"},
          {"iif(1, 2, 3)", "2"},
          {"SQR(4)", "2"},
          {"round(1.25, 1)", "1.3"},
      },
      60);
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

TEST(FormulaLanguage, EvaluationFailures) {
  struct Failure {
    const char* formula;
    const char* message;  // a fragment of the error text
  };
  const Failure cases[] = {
      {"1/0", "除数为零（位置 2）"},
      {"5\\0.4", "除数为零"},  // 0.4 becomes 0 first
      {"5 Mod 0", "除数为零"},
      {"Sqr(-1)", "Sqr 的参数不能为负数（位置 1）"},
      {"Log(0)", "Log 的参数必须大于 0"},
      {"Log10(-1)", "Log10 的参数必须大于 0"},
      {"10^400", "超出数值范围"},
      {"Exp(1000)", "超出数值范围"},
      {"(-8)^(1/3)", "超出数值范围"},
      {"1e308*10", "超出数值范围"},
      {"TanD(90)", "TanD"},
      {"TanD(-270)", "TanD"},
      {"\"abc\" + 1", "需要数字，而不是文字 \"abc\""},
      {"-\"x\"", "需要数字"},
      {"Sin(\"x\")", "需要数字"},
      {"\"a\" < 1", "需要数字"},
      {"IIf(\"maybe\", 1, 2)", "需要数字"},
      {"Left(\"abc\", -1)", "Left 的字符数不能为负数"},
      {"Right(\"abc\", -1)", "Right 的字符数不能为负数"},
      {"Mid(\"abc\", 0)", "Mid 的起始位置必须大于等于 1"},
      {"Mid(\"abc\", 1, -1)", "Mid 的字符数不能为负数"},
      {"Round(1, 16)", "Round 的小数位数"},
      {"Val(\"1e999\")", "Val 的数字超出范围"},
  };
  FormulaParser parser;
  for (const Failure& c : cases) {
    Outcome out = Drive(parser, c.formula);
    ASSERT_TRUE(out.parsed) << c.formula;
    EXPECT_FALSE(out.succeeded) << c.formula;
    EXPECT_NE(out.text.find(c.message), std::string::npos) << c.formula << ": " << out.text;
    EXPECT_EQ(out.number, 0) << c.formula;
  }
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
