// The conversions of parameter texts that every builder uses: the text, and
// the value it gives or a failure.
#include "output/ValueConversions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "base/EngineError.h"

namespace qzdbs {
namespace {

TEST(ValueConversions, EachTextGivesItsValueOrFails) {
  using Convert = std::function<double(const std::string&)>;
  const Convert int16 = ToInt16, int32 = ToInt32, flag = ToFlag, one = EqualsOne, notZero = NotZero,
                real = ToReal;
  struct Row {
    const Convert& convert;
    std::string text;
    std::optional<double> value;  // nullopt: EngineError
  };
  const std::nullopt_t fails = std::nullopt;
  // Integers round halves to even and refuse what does not fit.
  const Row rows[] = {
      {int16, "2.5", 2},
      {int16, "3.5", 4},
      {int16, "-2.5", -2},
      {int16, "-3.5", -4},
      {int16, "0.5", 0},
      {int16, "2.5000001", 3},
      {int16, " 7 ", 7},
      {int16, "1E3", 1000},
      {int16, "32767.49", 32767},
      {int16, "-32768.5", -32768},
      {int16, "32767.5", fails},
      {int16, "-32769", fails},
      {int16, "12abc", fails},
      {int16, "", fails},
      {int32, "4.5", 4},
      {int32, "40000", 40000},
      {int32, "2147483647", 2147483647},
      {int32, "-2147483648.5", INT32_MIN},
      {int32, "2147483647.5", fails},
      {int32, "M12", fails},
      {flag, "0", 0},
      {flag, "-1", 1},
      {flag, "0.5", 1},
      {flag, "TRUE", 1},
      {flag, "fAlSe", 0},
      {flag, "yes", fails},
      {flag, "", fails},
      {one, "1", 1},
      {one, "1.0", 1},
      {one, "-1", 0},
      {one, "2", 0},
      {one, "1.0000001", 0},
      {one, "true", fails},
      {notZero, "-1", 1},
      {notZero, "1E-300", 1},
      {notZero, "0", 0},
      {notZero, "-0.0", 0},
      {notZero, "x", fails},
      {real, "1.5", 1.5},
      {real, "-2", -2},
      {real, "1,5", fails},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("\"" + row.text + "\"");
    if (row.value) {
      EXPECT_EQ(row.convert(row.text), *row.value);
    } else {
      EXPECT_THROW(row.convert(row.text), EngineError);
    }
  }
}

}  // namespace
}  // namespace qzdbs
