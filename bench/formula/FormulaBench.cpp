// Formula evaluations per second, parse included: the component driven as the
// evaluator drives it, the evaluator itself, and muparser on the same numeric
// formulas for reference.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <unordered_map>

#include "Corpus.h"
#include "base/NumberText.h"
#include "compute/FormulaEvaluator.h"
#include "platform/formula/FormulaParser.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"

#ifdef QZDBS_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace qzdbs::bench {
namespace {

constexpr const char* kTypical = "IIf(O.L<=125, 2*S.d+6, 2*S.d+12)";

struct Values {
  std::unordered_map<std::string, std::string> text;
  std::unordered_map<std::string, double> number;
  Values() {
    for (const CorpusValue& v : CorpusValues()) {
      text[v.name] = v.value;
      number[v.name] = ParseNumber(v.value).value_or(GetBaseLength(v.value));
    }
  }
};

const Values& TheValues() {
  static const Values values;
  return values;
}

// The calls of the evaluator, in its order, without the parameter collections.
double Evaluate(FormulaParser& parser, const std::string& source, std::string& text) {
  std::string formula = source;
  int32_t flag = 0;
  int32_t number = 0;
  parser.Reset();
  parser.CheckFormula(formula, flag);
  parser.ParseFormula(formula, flag, number);
  std::string result = "Result";
  parser.DefineVariable(2, result, 0, formula);
  int32_t count = 0;
  parser.GetVariableCount(count);
  const Values& values = TheValues();
  for (int32_t i = 1; i <= count; ++i) {
    std::string name;
    int32_t type = 0;
    parser.GetVariableName(i, name);
    parser.GetVariableType(i, type);
    if (type == 0 || type == 1) {
      parser.DefineVariable(1, name, values.number.at(name), formula);
    } else {
      std::string value = values.text.at(name);
      parser.DefineTextVariable(1, name, value, formula);
    }
  }
  double value = 0;
  int32_t resultType = 0;
  int32_t succeeded = 0;
  parser.GetNumericValue(result, value);
  parser.GetResultType(resultType);
  parser.GetSucceeded(succeeded);
  if (resultType == 2) parser.GetTextValue(result, text);
  return succeeded ? value : std::nan("");
}

std::vector<std::string> Formulas(bool numericOnly) {
  std::vector<std::string> out;
  for (const CorpusFormula& f : Corpus()) {
    if (!numericOnly || f.muparser) out.emplace_back(f.formula);
  }
  return out;
}

void RunComponent(benchmark::State& state, const std::vector<std::string>& formulas,
                  size_t cacheSize) {
  FormulaParser parser(cacheSize);
  std::string text;
  for (const std::string& f : formulas) {
    if (std::isnan(Evaluate(parser, f, text)) && text.empty()) {
      state.SkipWithError(("fails: " + f).c_str());
      return;
    }
  }
  for (auto _ : state) {
    for (const std::string& f : formulas)
      benchmark::DoNotOptimize(Evaluate(parser, f, text));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(formulas.size()));
}

void BM_ComponentTypical(benchmark::State& state) {
  RunComponent(state, {kTypical}, static_cast<size_t>(state.range(0)));
}
BENCHMARK(BM_ComponentTypical)->Arg(0)->Arg(FormulaParser::kDefaultCacheSize);

void BM_ComponentCorpus(benchmark::State& state) {
  RunComponent(state, Formulas(false), static_cast<size_t>(state.range(0)));
}
BENCHMARK(BM_ComponentCorpus)->Arg(0)->Arg(FormulaParser::kDefaultCacheSize);

void BM_ComponentNumeric(benchmark::State& state) {
  RunComponent(state, Formulas(true), static_cast<size_t>(state.range(0)));
}
BENCHMARK(BM_ComponentNumeric)->Arg(0)->Arg(FormulaParser::kDefaultCacheSize);

// The evaluator proper: values looked up in the family collections, the
// result written as text.
void BM_EvaluateFormulaCorpus(benchmark::State& state) {
  Compute() = ComputeState{};
  Engine().DrawScale = 1;
  for (const CorpusValue& v : CorpusValues()) {
    std::string name = v.name;
    if (name == "QZDBSCA") continue;  // the drawing scale, not a family
    auto& family = name[0] == 'O'   ? Compute().DesignParas
                   : name[0] == 'S' ? Compute().StructParas
                                    : Compute().Points;
    Ensure(family).Add(name.substr(0, 1), name.substr(2), v.value, 0, 1);
  }
  std::vector<std::string> formulas = Formulas(false);
  std::string result;
  for (auto _ : state) {
    for (const std::string& f : formulas)
      benchmark::DoNotOptimize(EvaluateFormula(f, result));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(formulas.size()));
  Compute() = ComputeState{};
}
BENCHMARK(BM_EvaluateFormulaCorpus);

#ifdef QZDBS_HAVE_MUPARSER
double Floor(double x) {
  return std::floor(x);
}

struct Muparser {
  mu::Parser parser;
  std::unordered_map<std::string, double> storage;
  Muparser() {
    parser.DefineNameChars("0123456789_.abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    parser.DefineFun("floor", Floor);
    for (const auto& [name, value] : TheValues().number)
      storage[name] = value;
    for (auto& [name, value] : storage)
      parser.DefineVar(name, &value);
  }
};

void RunMuparser(benchmark::State& state, bool typicalOnly) {
  Muparser mu;
  std::vector<std::pair<std::string, std::string>> formulas;  // ours, muparser's
  for (const CorpusFormula& f : Corpus()) {
    if (f.muparser && (!typicalOnly || std::string(f.formula) == kTypical)) {
      formulas.emplace_back(f.formula, f.muparser);
    }
  }
  // Both must agree, or the comparison means nothing.
  FormulaParser ours;
  std::string text;
  for (const auto& [formula, expression] : formulas) {
    mu.parser.SetExpr(expression);
    double theirs = mu.parser.Eval();
    double mine = Evaluate(ours, formula, text);
    if (std::fabs(theirs - mine) > 1e-9 * std::max(1.0, std::fabs(mine))) {
      state.SkipWithError(("results differ: " + formula).c_str());
      return;
    }
  }
  for (auto _ : state) {
    for (const auto& [formula, expression] : formulas) {
      mu.parser.SetExpr(expression);
      benchmark::DoNotOptimize(mu.parser.Eval());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(formulas.size()));
}

void BM_MuparserTypical(benchmark::State& state) {
  RunMuparser(state, true);
}
BENCHMARK(BM_MuparserTypical);

void BM_MuparserNumeric(benchmark::State& state) {
  RunMuparser(state, false);
}
BENCHMARK(BM_MuparserNumeric);
#endif

}  // namespace
}  // namespace qzdbs::bench
