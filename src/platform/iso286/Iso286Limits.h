// ISO 286-1 limits and fits: a tolerance class such as H7, g6 or js9 and a
// nominal size give the upper and lower limit deviations, in micrometres.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qzdbs::iso286 {

struct ToleranceClass {
  std::string letter;  // as written: lower case for a shaft ("js", "zc"), upper for a hole
  int grade = 0;       // the number after the letters; IT01 is -1, IT0 is 0
};

// "H7", "zc11", "JS01". The letters must be one of ISO's, all lower or all
// upper case; the grade 01, 0 or 1..18 without a leading zero. Anything else
// (blanks included, "H7/g6", thread classes such as "6g") gives no value.
std::optional<ToleranceClass> ParseToleranceClass(std::string_view code);

struct LimitDeviations {
  double upper = 0;  // es or ES, micrometres
  double lower = 0;  // ei or EI, micrometres
};

// No value where the standard does not define the class at that size (a blank
// table cell, a grade the letter has no rule for, a size outside 0 < D <= 3150)
// or forbids it (a, b, A, B, N9..N18 and IT14..IT18 up to 1 mm).
std::optional<LimitDeviations> Limits(const ToleranceClass& tolerance, double nominal);

}  // namespace qzdbs::iso286
