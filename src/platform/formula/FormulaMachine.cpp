#include "platform/formula/FormulaMachine.h"

#include <cmath>
#include <utility>

#include "base/Utf8.h"
#include "platform/formula/FormulaFunctions.h"

namespace qzdbs::formula {

namespace {

constexpr const char* kDivisionByZero = "除数为零";
constexpr const char* kNotFinite = "计算结果超出数值范围";

bool DivisionByZero(std::string& error) {
  error = kDivisionByZero;
  return false;
}

bool Compare(Op op, const Value& a, const Value& b, bool& truth, std::string& error) {
  int order = 0;
  if (a.isText && b.isText) {
    order = a.text.compare(b.text);
  } else {
    double x = 0;
    double y = 0;
    if (!ToNumber(a, x, error) || !ToNumber(b, y, error)) return false;
    order = x < y ? -1 : (x > y ? 1 : 0);
  }
  switch (op) {
    case Op::Equal:
      truth = order == 0;
      break;
    case Op::NotEqual:
      truth = order != 0;
      break;
    case Op::Less:
      truth = order < 0;
      break;
    case Op::Greater:
      truth = order > 0;
      break;
    case Op::LessEqual:
      truth = order <= 0;
      break;
    default:
      truth = order >= 0;
      break;
  }
  return true;
}

bool Logic(Op op, const Value& a, const Value& b, bool& truth, std::string& error) {
  bool x = false;
  bool y = false;
  if (!ToTruth(a, x, error) || !ToTruth(b, y, error)) return false;
  truth = op == Op::And ? (x && y) : (op == Op::Or ? (x || y) : (x != y));
  return true;
}

bool Arithmetic(Op op, const Value& a, const Value& b, double& r, std::string& error) {
  double x = 0;
  double y = 0;
  if (!ToNumber(a, x, error) || !ToNumber(b, y, error)) return false;
  switch (op) {
    case Op::Add:
      r = x + y;
      break;
    case Op::Subtract:
      r = x - y;
      break;
    case Op::Multiply:
      r = x * y;
      break;
    case Op::Divide:
      if (y == 0) return DivisionByZero(error);
      r = x / y;
      break;
    case Op::IntegerDivide:
      // Both sides become whole numbers first (halves to even), the quotient
      // is cut toward zero.
      x = std::nearbyint(x);
      y = std::nearbyint(y);
      if (y == 0) return DivisionByZero(error);
      r = std::trunc(x / y);
      break;
    case Op::Modulo:
      if (y == 0) return DivisionByZero(error);
      r = std::fmod(x, y);
      break;
    default:  // Power
      r = std::pow(x, y);
      break;
  }
  return true;
}

}  // namespace

bool Machine::Run(const Program& program, const std::vector<Value>& values,
                  const std::vector<char>& defined, Value& result, std::string& error) {
  if (stack_.size() < static_cast<size_t>(program.maxStack)) stack_.resize(program.maxStack);
  Value* sp = stack_.data();  // the next free slot
  const auto& code = program.code;
  size_t pc = 0;
  const Instruction* in = nullptr;
  auto fail = [&](const std::string& why) {
    error = why + "（位置 " + std::to_string(CharPosition(program.formula, in->offset)) + "）";
    return false;
  };
  while (pc < code.size()) {
    in = &code[pc++];
    bool truth = false;
    double r = 0;
    switch (in->op) {
      case Op::PushNumber:
        (sp++)->SetNumber(program.numbers[in->operand]);
        continue;
      case Op::PushText:
        (sp++)->SetText(program.texts[in->operand]);
        continue;
      case Op::PushVariable: {
        auto index = static_cast<size_t>(in->operand);
        const std::string& name = program.variables[index].name;
        if (!defined[index]) return fail("变量 " + name + " 没有值");
        const Value& value = values[index];
        if (value.isText) {
          (sp++)->SetText(value.text);
        } else {
          if (!std::isfinite(value.number)) return fail("变量 " + name + " 的值不是有限的数");
          (sp++)->SetNumber(value.number);
        }
        continue;
      }
      case Op::Jump:
        pc = static_cast<size_t>(in->operand);
        continue;
      case Op::JumpIfFalse:
        if (!ToTruth(*--sp, truth, error)) return fail(error);
        if (!truth) pc = static_cast<size_t>(in->operand);
        continue;
      case Op::Negate:
        if (!ToNumber(sp[-1], r, error)) return fail(error);
        sp[-1].SetNumber(-r);
        continue;
      case Op::Not:
        if (!ToTruth(sp[-1], truth, error)) return fail(error);
        sp[-1].SetNumber(truth ? 0 : -1);
        continue;
      case Op::Call: {
        Value* args = sp - in->argc;
        if (!CallFunction(static_cast<FunctionId>(in->operand), args, in->argc, error)) {
          return fail(error);
        }
        sp = args + 1;
        if (!args->isText && !std::isfinite(args->number)) return fail(kNotFinite);
        continue;
      }
      case Op::Concat: {
        Value& a = sp[-2];
        if (!a.isText) a.SetText(ToText(a));
        AppendText(sp[-1], a.text);
        if (a.text.size() > kMaxTextBytes) return fail("文字过长");
        --sp;
        continue;
      }
      case Op::Equal:
      case Op::NotEqual:
      case Op::Less:
      case Op::Greater:
      case Op::LessEqual:
      case Op::GreaterEqual:
      case Op::And:
      case Op::Or:
      case Op::Xor: {
        bool done = IsComparison(in->op) ? Compare(in->op, sp[-2], sp[-1], truth, error)
                                         : Logic(in->op, sp[-2], sp[-1], truth, error);
        if (!done) return fail(error);
        (--sp)[-1].SetNumber(truth ? -1 : 0);
        continue;
      }
      default:
        if (!Arithmetic(in->op, sp[-2], sp[-1], r, error)) return fail(error);
        if (!std::isfinite(r)) return fail(kNotFinite);
        (--sp)[-1].SetNumber(r);
        continue;
    }
  }
  std::swap(result, stack_[0]);
  return true;
}

}  // namespace qzdbs::formula
