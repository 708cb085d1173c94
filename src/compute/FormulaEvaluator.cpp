#include "compute/FormulaEvaluator.h"

#include <memory>
#include <optional>

#include "base/OrderedMap.h"
#include "platform/formula/FormulaParser.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "state/Messages.h"

namespace qzdbs {

namespace {

enum ParaClass : int32_t {
  kUnknownPara = 0,
  kDesignPara = 1,
  kStructPara = 2,
  kPointPara = 3,
  kProperty = 4,
  kDrawScale = 5,
};

constexpr int32_t kResultKind = 2;
constexpr int32_t kValueKind = 1;
constexpr int32_t kTextResultType = 2;

// Why a formula cannot be evaluated; the box says it once, the caller gets false.
struct Failure {
  std::string reason;
};

FormulaParser& Parser() {
  auto& parser = Compute().Parser;
  if (!parser) parser = std::make_shared<FormulaParser>();
  return *parser;
}

std::string UndefinedReason(const std::string& formula, const std::string& name) {
  return "公式:" + formula + "中参数 " + name +
         "没有定义或出错，参数的类型必须为数字、字符串或常量" +
         "，如果参数变量来自设计参数、结构参数、零件属性表和点表，请以O.、S.、P.、T.加以区分，" +
         "自变量参数的字母必须使用正确的大小写！";
}

// The value text of one variable of the formula; none while the record is
// not computed yet (a later pass retries, nothing is shown). This happens all
// the time in a part stored out of order, so it is no exception.
std::optional<std::string> ValueOf(const std::string& formula, const std::string& name,
                                   clsComputePtr& waitsOn) {
  auto& state = Compute();
  int32_t paraClass = ClassifyParaName(name);
  if (paraClass == kDrawScale) return FormatNumber(Engine().DrawScale);
  if (paraClass == kUnknownPara) throw Failure{UndefinedReason(formula, name)};
  const std::shared_ptr<colCompute>* family = nullptr;
  switch (paraClass) {
    case kDesignPara:
      family = &state.DesignParas;
      break;
    case kStructPara:
      family = &state.StructParas;
      break;
    case kPointPara:
      family = &state.Points;
      break;
    default:
      family = &state.Properties;
      break;
  }
  clsComputePtr record = *family ? (*family)->Item(name) : nullptr;
  if (!record) throw Failure{};  // a referenced record that is missing: no reason of its own
  // Design parameters are final by nature; the others may still be waiting.
  if (paraClass != kDesignPara && record->isDoneCalValue == 0) {
    waitsOn = std::move(record);
    return std::nullopt;
  }
  return record->ParaValue;
}

void DefineValue(FormulaParser& parser, std::string& formula, std::string& name, int32_t type,
                 std::string value) {
  if (type == 0 || type == 1) {
    std::optional<double> number = ParseNumber(value);
    if (!number) {
      // Values such as M20 are used by their digits; the number goes through
      // its text as every value of the engine does.
      value = FormatNumber(GetBaseLength(value));
      number = ParseNumber(value).value_or(0);
    }
    parser.DefineVariable(kValueKind, name, *number, formula);
  } else {
    parser.DefineTextVariable(kValueKind, name, value, formula);
  }
}

// The component calls in their fixed order; throws Failure, gives nothing
// while a variable is not computed yet.
std::optional<std::string> Evaluate(FormulaParser& parser, std::string& formula,
                                    clsComputePtr& waitsOn) {
  parser.Reset();
  int32_t flag = 0;
  parser.CheckFormula(formula, flag);
  if (flag == 0) {
    std::string why;
    parser.GetErrorText(why);
    throw Failure{"公式不正确：" + std::string("原因：") + why};
  }
  int32_t number = 0;
  parser.ParseFormula(formula, flag, number);
  if (flag == 0) {
    int32_t unused = 0, error = 0, position = 0, argument = 0;
    std::string function;
    parser.GetParseError(unused, error, position, argument, function);
    throw Failure{"公式:" + formula + "出错，错误号:" + std::to_string(error) + "位置：" +
                  std::to_string(position) + "参数:" + std::to_string(argument) +
                  "函数名称:" + function};
  }
  std::string resultName = "Result";
  parser.DefineVariable(kResultKind, resultName, 0, formula);
  int32_t count = 0;
  parser.GetVariableCount(count);
  for (int32_t i = 1; i <= count; ++i) {
    std::string name;
    int32_t type = 0;
    parser.GetVariableName(i, name);
    parser.GetVariableType(i, type);
    std::optional<std::string> value = ValueOf(formula, name, waitsOn);
    if (!value) return std::nullopt;
    DefineValue(parser, formula, name, type, std::move(*value));
  }
  double value = 0;
  int32_t resultType = 0;
  int32_t succeeded = 0;
  parser.GetNumericValue(resultName, value);
  parser.GetResultType(resultType);
  parser.GetSucceeded(succeeded);
  if (succeeded == 0) {
    std::string why;
    parser.GetErrorText(why);
    throw Failure{why};
  }
  if (resultType != kTextResultType) return FormatNumber(value);
  std::string text;
  parser.GetTextValue(resultName, text);
  return text;
}

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

bool EvaluateFormula(const std::string& formula, std::string& result) {
  clsComputePtr waitsOn;
  return EvaluateFormula(formula, result, waitsOn);
}

bool EvaluateFormula(const std::string& formula, std::string& result, clsComputePtr& waitsOn) {
  waitsOn.reset();
  std::string text = formula;  // the component may rewrite it; messages show what it left
  std::string reason;
  try {
    std::optional<std::string> value = Evaluate(Parser(), text, waitsOn);
    if (!value) return false;
    result = std::move(*value);
    return true;
  } catch (const Failure& failure) {
    reason = failure.reason;
  } catch (...) {
    // An unexpected failure: the same box, with no reason to give.
  }
  MsgBox("计算模块：公式 " + text + " 求解可能失败，请仔细检查！" + "\r\n" + reason,
         MsgIcon::Information, "提示：");
  return false;
}

int32_t ClassifyParaName(const std::string& name) {
  std::string trimmed = Trimmed(name);
  if (trimmed.empty()) return kUnknownPara;
  if (FoldCase(trimmed) == "qzdbsca") return kDrawScale;
  std::string prefix = FoldCase(name.substr(0, 2));
  if (prefix == "o.") return kDesignPara;
  if (prefix == "s.") return kStructPara;
  if (prefix == "p.") return kPointPara;
  if (prefix == "t.") return kProperty;
  return kUnknownPara;
}

int32_t EvaluateCondition(const std::string& formula) {
  std::string result;
  if (!EvaluateFormula(formula, result)) return 0;
  std::string word = FoldCase(Trimmed(result));
  if (word == "false") return 2;
  if (word == "true") return 1;
  std::optional<double> number = ParseNumber(result);
  if (number && *number == 0) return 2;
  return 1;
}

}  // namespace qzdbs
