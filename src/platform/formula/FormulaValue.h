// A value during formula evaluation (a number or a text) and the conversions
// between the two that the language allows.
#pragma once

#include <string>
#include <string_view>

namespace qzdbs::formula {

struct Value {
  double number = 0;
  std::string text;  // kept when the value turns numeric, so its buffer is reused
  bool isText = false;

  void SetNumber(double value) {
    number = value;
    isText = false;
  }
  void SetText(std::string_view value) {
    text.assign(value);
    isText = true;
  }
};

// A text converts when it is decimal text (surrounding blanks allowed);
// anything else is "a text where a number is needed".
bool ToNumber(const Value& value, double& number, std::string& error);

// Numbers are written in the general format.
void AppendText(const Value& value, std::string& out);
std::string ToText(const Value& value);

// Nonzero numbers are true; texts may also be the words True and False.
bool ToTruth(const Value& value, bool& truth, std::string& error);

}  // namespace qzdbs::formula
