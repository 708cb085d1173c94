// The conversions of parameter texts that every builder uses, row by row from
// tests/data/conversions/values.tsv.
#include "output/ValueConversions.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>

#include "base/EngineError.h"
#include "support/ScratchLibrary.h"
#include "support/TestPaths.h"

namespace qzdbs {
namespace {

TEST(ValueConversions, EachTextGivesItsValueOrFails) {
  const std::map<std::string, std::function<double(const std::string&)>> conversions = {
      {"ToInt16", ToInt16},     {"ToInt32", ToInt32}, {"ToFlag", ToFlag},
      {"EqualsOne", EqualsOne}, {"NotZero", NotZero}, {"ToReal", ToReal}};
  std::istringstream table(test::ReadText(test::TestDataDir() / "conversions" / "values.tsv"));
  size_t rows = 0;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    const size_t first = line.find('\t'), second = line.find('\t', first + 1);
    const std::string name = line.substr(0, first),
                      text = line.substr(first + 1, second - first - 1),
                      expected = line.substr(second + 1);
    SCOPED_TRACE(name + " \"" + text + "\"");
    const auto& convert = conversions.at(name);
    if (expected == "!") {
      EXPECT_THROW(convert(text), EngineError);
    } else {
      EXPECT_EQ(convert(text), std::stod(expected));
    }
    ++rows;
  }
  EXPECT_GE(rows, 40u);
}

}  // namespace
}  // namespace qzdbs
