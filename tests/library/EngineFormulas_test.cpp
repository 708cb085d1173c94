// The engine's formula evaluator agrees with the library build on every formula of the sample
// library: for a few rows of each part, the build wrote each formula with the values of the
// variables it uses and the result it computed; the engine must compute the same, with no
// message box.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "base/MessageService.h"
#include "compute/FormulaEvaluator.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

// Both numbers in the general format agree to the last digits the format keeps; texts agree
// exactly.
bool SameResult(const std::string& engine, const std::string& build) {
  char* endEngine = nullptr;
  char* endBuild = nullptr;
  double a = std::strtod(engine.c_str(), &endEngine);
  double b = std::strtod(build.c_str(), &endBuild);
  if (engine.empty() || build.empty() || *endEngine || *endBuild) return engine == build;
  return std::fabs(a - b) <= 1e-12 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

std::shared_ptr<colCompute>& Family(char prefix) {
  ComputeState& state = Compute();
  switch (prefix) {
    case 'O':
      return state.DesignParas;
    case 'S':
      return state.StructParas;
    case 'T':
      return state.Properties;
    default:
      return state.Points;
  }
}

TEST(EngineFormulas, EveryFormulaGivesTheResultTheBuildComputed) {
  std::ifstream in(BuildDir() / "library" / "metric-parts.values.json");
  ASSERT_TRUE(in) << "the sample library's values file is missing";
  const nlohmann::json values = nlohmann::json::parse(in);
  auto messages = std::make_shared<RecordingMessageService>();
  Engine().messages = messages;
  size_t evaluated = 0;
  for (const auto& c : values.at("cases")) {
    SCOPED_TRACE(c.at("key").get<std::string>() + " row " + std::to_string(c.at("row").get<int>()));
    Compute() = ComputeState{};
    Engine().DrawScale = c.at("scale").get<double>();
    for (const auto& [name, value] : c.at("variables").items()) {
      // Final values, stored under the family's letter as the computation stores them.
      ASSERT_TRUE(Ensure(Family(name[0]))
                      .Add(std::string(1, name[0]), name.substr(2), value.get<std::string>(), 0, 1))
          << name;
    }
    for (const auto& f : c.at("formulas")) {
      const std::string label = f.at(0), formula = f.at(1), expected = f.at(2);
      std::string result;
      EXPECT_TRUE(EvaluateFormula(formula, result)) << label << ": " << formula;
      EXPECT_TRUE(SameResult(result, expected))
          << label << ": " << formula << " gives " << result << ", the build " << expected;
      ++evaluated;
    }
  }
  EXPECT_GT(evaluated, 4000u);
  for (const MessageBoxRecord& box : messages->Boxes()) {
    ADD_FAILURE() << "message box " << box.title << " " << box.text;
  }
  Compute() = ComputeState{};
  Engine().messages.reset();
}

}  // namespace
}  // namespace qzdbs::test
