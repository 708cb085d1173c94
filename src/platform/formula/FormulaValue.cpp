#include "platform/formula/FormulaValue.h"

#include "base/NumberText.h"
#include "base/OrderedMap.h"
#include "base/Utf8.h"

namespace qzdbs::formula {

namespace {
constexpr size_t kQuotedChars = 32;  // enough of a text to recognise it in a message

std::string NotANumber(std::string_view text) {
  std::string shown(text.substr(0, CharOffset(text, kQuotedChars)));
  if (shown.size() < text.size()) shown += "…";
  return "需要数字，而不是文字 \"" + shown + "\"";
}
}  // namespace

bool ToNumber(const Value& value, double& number, std::string& error) {
  if (!value.isText) {
    number = value.number;
    return true;
  }
  if (auto parsed = ParseNumber(value.text)) {
    number = *parsed;
    return true;
  }
  error = NotANumber(value.text);
  return false;
}

void AppendText(const Value& value, std::string& out) {
  if (value.isText) {
    out += value.text;
  } else {
    out += FormatNumber(value.number);
  }
}

std::string ToText(const Value& value) {
  return value.isText ? value.text : FormatNumber(value.number);
}

bool ToTruth(const Value& value, bool& truth, std::string& error) {
  if (value.isText) {
    std::string word = FoldCase(value.text);
    size_t first = word.find_first_not_of(" \t");
    size_t last = word.find_last_not_of(" \t");
    if (first != std::string::npos) word = word.substr(first, last - first + 1);
    if (word == "true" || word == "false") {
      truth = word == "true";
      return true;
    }
  }
  double number = 0;
  if (!ToNumber(value, number, error)) return false;
  truth = number != 0;
  return true;
}

}  // namespace qzdbs::formula
