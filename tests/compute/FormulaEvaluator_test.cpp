// The formula evaluator: where variables get their values, the silent wait
// for values not computed yet, the message boxes, and yes/no conditions.
#include "compute/FormulaEvaluator.h"

#include <gtest/gtest.h>

#include "base/MessageService.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"

namespace qzdbs {
namespace {

const std::string kUndefinedTail =
    "没有定义或出错，参数的类型必须为数字、字符串或常量，如果参数变量来自设计参数、结构参数、"
    "零件属性表和点表，请以O.、S.、P.、T.加以区分，自变量参数的字母必须使用正确的大小写！";

class FormulaEvaluatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Compute() = ComputeState{};
    messages = std::make_shared<RecordingMessageService>();
    Engine().messages = messages;
    Engine().DrawScale = 2.5;
    auto& design = Ensure(Compute().DesignParas);
    design.Add("O", "Thread", "M10", 0);  // design parameters are final whatever the flag says
    design.Add("O", "L", "40", 0);
    design.Add("O", "d", "M20", 0);
    design.Add("O", "e", "", 0);
    Ensure(Compute().StructParas).Add("S", "L1", "12.5", 1, 0);
    Ensure(Compute().StructParas).Add("S", "b", "26", 1, 1);
    Ensure(Compute().Points).Add("P", "A1.X", "-3", 1, 1);
    Ensure(Compute().Properties).Add("T", "Mass", "24.66", 1, 1);
  }
  void TearDown() override {
    Compute() = ComputeState{};
    Engine().messages.reset();
  }

  // The box every failure shows, with its reason.
  static std::string Box(const std::string& formula, const std::string& reason) {
    return "计算模块：公式 " + formula + " 求解可能失败，请仔细检查！\r\n" + reason;
  }

  void ExpectOneBox(const std::string& text) {
    ASSERT_EQ(messages->Boxes().size(), 1u);
    const MessageBoxRecord& box = messages->Boxes()[0];
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.icon, MsgIcon::Information);
    EXPECT_EQ(box.title, "提示：");
    EXPECT_EQ(box.buttons, MsgButtons::OK);
    messages->Clear();
  }

  std::shared_ptr<RecordingMessageService> messages;
};

TEST_F(FormulaEvaluatorTest, ValuesComeFromTheFamilyOfTheirPrefix) {
  const std::pair<const char*, const char*> cases[] = {
      {"S.b*2", "52"},
      {"P.A1.X + T.Mass", "21.66"},
      {"O.L/3", "13.3333333333333"},
      {"O.d*1", "20"},   // M20 used as a number
      {"O.e + 1", "1"},  // an empty value is 0
      {"O.Thread*1", "10"},
      {"\"Bolt \" & O.Thread & \"x\" & O.L", "Bolt M10x40"},
      {"qzdbsca*2", "5"},
      {"QZDBSCA", "2.5"},
      {"IIf(O.L>S.b, O.L-S.b, 0)", "14"},
  };
  for (const auto& [formula, expected] : cases) {
    std::string result;
    EXPECT_TRUE(EvaluateFormula(formula, result)) << formula;
    EXPECT_EQ(result, expected) << formula;
  }
  EXPECT_TRUE(messages->Boxes().empty());
}

TEST_F(FormulaEvaluatorTest, WaitsSilentlyForAValueNotComputedYet) {
  std::string result = "untouched";
  EXPECT_FALSE(EvaluateFormula("S.L1*2", result));
  EXPECT_EQ(result, "untouched");
  EXPECT_TRUE(messages->Boxes().empty());
  // The wait stops at once: a later variable of class 0 is not looked at.
  EXPECT_FALSE(EvaluateFormula("S.L1 + D", result));
  EXPECT_TRUE(messages->Boxes().empty());

  Compute().StructParas->Item("S.L1")->isDoneCalValue = 1;
  EXPECT_TRUE(EvaluateFormula("S.L1*2", result));
  EXPECT_EQ(result, "25");
}

// A variable without a family names itself (D comes first, so no wait); a
// prefix in another case classifies but is looked up exactly; the component's
// failures give their reasons.
TEST_F(FormulaEvaluatorTest, EachFailureShowsOneBoxWithItsReason) {
  const std::pair<std::string, std::string> cases[] = {
      {"D + S.L1", "公式:D + S.L1中参数 D" + kUndefinedTail},
      {"s.b*2", ""},
      {"", "公式不正确：原因：公式为空（位置 1）"},
      {"O.L+", "公式:O.L+出错，错误号:14位置：5参数:0函数名称:"},
      {"Max(1,)", "公式:Max(1,)出错，错误号:14位置：7参数:2函数名称:Max"},
      {"O.L/(S.b-26)", "除数为零（位置 4）"},
  };
  for (const auto& [formula, reason] : cases) {
    std::string result = "untouched";
    EXPECT_FALSE(EvaluateFormula(formula, result));
    EXPECT_EQ(result, "untouched");
    ExpectOneBox(Box(formula, reason));
  }
  // A family collection that does not exist yet is the same failure.
  Compute().Properties.reset();
  std::string result;
  EXPECT_FALSE(EvaluateFormula("T.Mass", result));
  ExpectOneBox(Box("T.Mass", ""));
  // Nothing suppresses repeats.
  EXPECT_FALSE(EvaluateFormula("1/0", result));
  EXPECT_FALSE(EvaluateFormula("1/0", result));
  EXPECT_EQ(messages->Boxes().size(), 2u);
}

TEST(ClassifyParaName, ByPrefixOrTheScaleKeyword) {
  const std::pair<const char*, int32_t> cases[] = {
      {"O.d", 1},     {"o.d", 1},       {"S.L1", 2},    {"s.L1", 2}, {"P.A1.X", 3},   {"t.Mass", 4},
      {"QZDBSCA", 5}, {" qzdbsca ", 5}, {"QzDbSca", 5}, {"", 0},     {"   ", 0},      {"D", 0},
      {"O", 0},       {" O.d", 0},      {"OX", 0},      {"X.d", 0},  {"QZDBSCA2", 0},
  };
  for (const auto& [name, expected] : cases)
    EXPECT_EQ(ClassifyParaName(name), expected) << name;
}

TEST_F(FormulaEvaluatorTest, ConditionsCountAsTrueFalseOrUnknown) {
  const std::pair<const char*, int32_t> cases[] = {
      {"\"False\"", 2}, {"\" false \"", 2}, {"False", 2},  {"0", 2}, {"O.L>S.b", 1},
      {"O.L<S.b", 2},   {"\"True\"", 1},    {"True", 1},   {"1", 1}, {"-3", 1},
      {"\"abc\"", 1},   {"\"0\"", 2},       {"S.L1>0", 0},  // waiting
  };
  for (const auto& [formula, expected] : cases) {
    EXPECT_EQ(EvaluateCondition(formula), expected) << formula;
  }
  EXPECT_TRUE(messages->Boxes().empty());
  EXPECT_EQ(EvaluateCondition("1/0"), 0);
  ExpectOneBox(Box("1/0", "除数为零（位置 2）"));
}

}  // namespace
}  // namespace qzdbs
