// qzdbs eval: one formula evaluated as the engine evaluates it, with the
// values of its variables given on the command line.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>
#include <vector>

#include "CommandLineErrors.h"
#include "Commands.h"
#include "compute/FormulaEvaluator.h"
#include "platform/formula/FormulaParser.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"

namespace qzdbs::cli {
namespace {

constexpr int kEvaluationFailed = 1;
constexpr int kBadArguments = 2;

struct EvalOptions {
  std::string formula;
  std::vector<std::string> variables;
  double scale = 1;
};

std::shared_ptr<colCompute>* FamilyOf(int32_t paraClass) {
  auto& state = Compute();
  switch (paraClass) {
    case 1:
      return &state.DesignParas;
    case 2:
      return &state.StructParas;
    case 3:
      return &state.Points;
    case 4:
      return &state.Properties;
    default:
      return nullptr;
  }
}

// NAME=VALUE as a final value of the family that NAME's prefix names. The
// family letter is stored in upper case, as the engine stores it.
void SetVariable(const std::string& assignment) {
  size_t equals = assignment.find('=');
  std::string name = assignment.substr(0, equals);
  auto* family = FamilyOf(ClassifyParaName(name));
  if (equals == std::string::npos || !family) {
    std::cerr << "qzdbs eval: --var " << assignment
              << ": give NAME=VALUE with NAME starting O., S., T. or P.\n";
    throw CLI::RuntimeError(kBadArguments);
  }
  std::string type(1, static_cast<char>(std::toupper(static_cast<unsigned char>(name[0]))));
  if (!Ensure(*family).Add(type, name.substr(2), assignment.substr(equals + 1), 0, 1)) {
    std::cerr << "qzdbs eval: " << name << " is given twice\n";
    throw CLI::RuntimeError(kBadArguments);
  }
}

// After a failure: the variables of the formula that were given no value,
// which the engine's own message cannot name.
void HintMissingValues(std::string formula) {
  FormulaParser parser(0);
  int32_t parsed = 0;
  int32_t number = 0;
  parser.ParseFormula(formula, parsed, number);
  int32_t count = 0;
  if (parsed) parser.GetVariableCount(count);
  for (int32_t i = 1; i <= count; ++i) {
    std::string name;
    parser.GetVariableName(i, name);
    auto* family = FamilyOf(ClassifyParaName(name));
    if (family && (!*family || !(*family)->Item(name))) {
      std::cerr << "qzdbs eval: " << name << " has no value (give it with --var " << name
                << "=VALUE)\n";
    }
  }
}

void RunEval(const EvalOptions& options) {
  Compute() = ComputeState{};
  Engine().DrawScale = options.scale;
  for (const std::string& assignment : options.variables)
    SetVariable(assignment);
  std::string result;
  if (!EvaluateFormula(options.formula, result)) {
    HintMissingValues(options.formula);
    throw CLI::RuntimeError(kEvaluationFailed);
  }
  std::cout << result << '\n';
}

void SetUpEval(CLI::App& program) {
  auto options = std::make_shared<EvalOptions>();
  CLI::App* eval = program.add_subcommand(
      "eval",
      "Evaluate a formula as the engine does: its value, or the engine's message and "
      "exit status 1");
  eval->add_option("formula", options->formula, "the formula, e.g. \"S.s/2/CosD(30)\"")->required();
  eval->add_option("--var,--set", options->variables,
                   "NAME=VALUE, a final value of the family named by its prefix (O., S., T., "
                   "P.); repeat for each variable")
      ->type_name("NAME=VALUE");
  PositiveNumber(eval->add_option("--scale", options->scale,
                                  "the drawing scale, the value of QZDBSCA, above 0"))
      ->capture_default_str();
  eval->callback([options] { RunEval(*options); });
}

const RegisterCommand kEval("eval", SetUpEval);

}  // namespace
}  // namespace qzdbs::cli
