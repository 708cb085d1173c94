#include "platform/formula/FormulaErrors.h"

#include "platform/formula/FormulaProgram.h"

namespace qzdbs::formula {

std::string Describe(SyntaxError error) {
  switch (error) {
    case SyntaxError::None:
      return "";
    case SyntaxError::Empty:
      return "公式为空";
    case SyntaxError::TooLong:
      return "公式过长（最多 " + std::to_string(kMaxFormulaBytes) + " 字节）";
    case SyntaxError::InvalidUtf8:
      return "公式含有无效的 UTF-8 字节";
    case SyntaxError::ControlCharacter:
      return "公式含有不允许的控制字符";
    case SyntaxError::UnexpectedCharacter:
      return "无法识别的字符";
    case SyntaxError::UnterminatedText:
      return "文字常量缺少结束引号";
    case SyntaxError::MalformedNumber:
      return "数字格式不正确";
    case SyntaxError::NumberOutOfRange:
      return "数字超出范围";
    case SyntaxError::MissingOperand:
      return "缺少运算数";
    case SyntaxError::MissingClosingParenthesis:
      return "缺少右括号";
    case SyntaxError::UnexpectedToken:
      return "此处不应有此内容";
    case SyntaxError::UnknownFunction:
      return "未知的函数";
    case SyntaxError::WrongArgumentCount:
      return "函数参数个数不正确";
    case SyntaxError::FunctionWithoutArguments:
      return "函数名后缺少括号";
    case SyntaxError::ResultInFormula:
      return "Result 只能出现在公式开头";
    case SyntaxError::NestedTooDeeply:
      return "公式嵌套过深（最多 " + std::to_string(kMaxNesting) + " 层）";
  }
  return "未知错误";
}

std::string ParseErrorText(const ParseError& error) {
  std::string text = Describe(error.error);
  text += "（位置 " + std::to_string(error.position);
  if (!error.function.empty()) {
    text += "，函数 " + error.function + " 的第 " + std::to_string(error.argument) + " 个参数";
  }
  text += "）";
  return text;
}

}  // namespace qzdbs::formula
