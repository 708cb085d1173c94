// The ISO 286-1 rules that turn the tables' fundamental deviations and
// standard tolerances into limit deviations.
#include "platform/iso286/Iso286Limits.h"

#include <algorithm>
#include <array>

#include "platform/iso286/Iso286Tables.h"

namespace qzdbs::iso286 {
namespace {

enum class Rule {
  kUpperFromColumn,  // a..h: es from the table, ei = es - IT
  kLowerFromColumn,  // m..zc and A..H: the lower deviation from the table, the upper = lower + IT
  kSymmetric,        // js, JS: +-IT/2, no fundamental deviation
  kShaftJ,           // j5..j8: ei from the column of the grade
  kShaftK,           // k: ei from one of two columns by grade
  kHoleJ,            // J6..J8: ES from the column of the grade
  kHoleKMN,          // K, M, N: up to IT8 base + delta, above IT8 a column of its own
  kHoleWithDelta,    // P..ZC: ES from the table, plus delta up to IT7
};

struct LetterRule {
  std::string_view letter;
  Rule rule;
};

constexpr std::array kLetters{
    LetterRule{"a", Rule::kUpperFromColumn},
    LetterRule{"b", Rule::kUpperFromColumn},
    LetterRule{"c", Rule::kUpperFromColumn},
    LetterRule{"cd", Rule::kUpperFromColumn},
    LetterRule{"d", Rule::kUpperFromColumn},
    LetterRule{"e", Rule::kUpperFromColumn},
    LetterRule{"ef", Rule::kUpperFromColumn},
    LetterRule{"f", Rule::kUpperFromColumn},
    LetterRule{"fg", Rule::kUpperFromColumn},
    LetterRule{"g", Rule::kUpperFromColumn},
    LetterRule{"h", Rule::kUpperFromColumn},
    LetterRule{"js", Rule::kSymmetric},
    LetterRule{"j", Rule::kShaftJ},
    LetterRule{"k", Rule::kShaftK},
    LetterRule{"m", Rule::kLowerFromColumn},
    LetterRule{"n", Rule::kLowerFromColumn},
    LetterRule{"p", Rule::kLowerFromColumn},
    LetterRule{"r", Rule::kLowerFromColumn},
    LetterRule{"s", Rule::kLowerFromColumn},
    LetterRule{"t", Rule::kLowerFromColumn},
    LetterRule{"u", Rule::kLowerFromColumn},
    LetterRule{"v", Rule::kLowerFromColumn},
    LetterRule{"x", Rule::kLowerFromColumn},
    LetterRule{"y", Rule::kLowerFromColumn},
    LetterRule{"z", Rule::kLowerFromColumn},
    LetterRule{"za", Rule::kLowerFromColumn},
    LetterRule{"zb", Rule::kLowerFromColumn},
    LetterRule{"zc", Rule::kLowerFromColumn},
    LetterRule{"A", Rule::kLowerFromColumn},
    LetterRule{"B", Rule::kLowerFromColumn},
    LetterRule{"C", Rule::kLowerFromColumn},
    LetterRule{"CD", Rule::kLowerFromColumn},
    LetterRule{"D", Rule::kLowerFromColumn},
    LetterRule{"E", Rule::kLowerFromColumn},
    LetterRule{"EF", Rule::kLowerFromColumn},
    LetterRule{"F", Rule::kLowerFromColumn},
    LetterRule{"FG", Rule::kLowerFromColumn},
    LetterRule{"G", Rule::kLowerFromColumn},
    LetterRule{"H", Rule::kLowerFromColumn},
    LetterRule{"JS", Rule::kSymmetric},
    LetterRule{"J", Rule::kHoleJ},
    LetterRule{"K", Rule::kHoleKMN},
    LetterRule{"M", Rule::kHoleKMN},
    LetterRule{"N", Rule::kHoleKMN},
    LetterRule{"P", Rule::kHoleWithDelta},
    LetterRule{"R", Rule::kHoleWithDelta},
    LetterRule{"S", Rule::kHoleWithDelta},
    LetterRule{"T", Rule::kHoleWithDelta},
    LetterRule{"U", Rule::kHoleWithDelta},
    LetterRule{"V", Rule::kHoleWithDelta},
    LetterRule{"X", Rule::kHoleWithDelta},
    LetterRule{"Y", Rule::kHoleWithDelta},
    LetterRule{"Z", Rule::kHoleWithDelta},
    LetterRule{"ZA", Rule::kHoleWithDelta},
    LetterRule{"ZB", Rule::kHoleWithDelta},
    LetterRule{"ZC", Rule::kHoleWithDelta},
};

const LetterRule* FindLetter(std::string_view letter) {
  auto found = std::find_if(kLetters.begin(), kLetters.end(),
                            [letter](const LetterRule& l) { return l.letter == letter; });
  return found == kLetters.end() ? nullptr : &*found;
}

std::string GradeName(int grade) {
  return grade < 0 ? "01" : std::to_string(grade);
}

// The fundamental deviation, and whether it is the upper or the lower limit.
struct Fundamental {
  bool isUpper = false;
  double value = 0;
};

std::optional<Fundamental> Upper(std::optional<double> value) {
  if (!value) return std::nullopt;
  return Fundamental{true, *value};
}

std::optional<Fundamental> Lower(std::optional<double> value) {
  if (!value) return std::nullopt;
  return Fundamental{false, *value};
}

// ISO 286-1 delta: added to the hole deviations K, M, N up to IT8 and P..ZC up
// to IT7; it is given for IT3..IT8 and is 0 for the finer grades.
std::optional<double> Delta(int grade, double nominal, const Iso286Table& hole) {
  if (grade < 3) return 0.0;
  return hole.Lookup("delta_IT" + GradeName(grade), nominal);
}

std::optional<Fundamental> HoleKMN(const ToleranceClass& tolerance, double nominal,
                                   const Iso286Table& hole) {
  const std::string& letter = tolerance.letter;
  if (tolerance.grade > 8) return Upper(hole.Lookup(letter + "_gt_IT8", nominal));
  // ISO 286-1's one exception to the delta rule: M6 above 250 up to 315 mm.
  if (letter == "M" && tolerance.grade == 6 && nominal > 250 && nominal <= 315) {
    return Fundamental{true, -9};
  }
  std::optional<double> base = hole.Lookup(letter + "_le_IT8", nominal);
  std::optional<double> delta = Delta(tolerance.grade, nominal, hole);
  if (!base || !delta) return std::nullopt;
  return Fundamental{true, *base + *delta};
}

std::optional<Fundamental> FundamentalDeviation(const ToleranceClass& tolerance, Rule rule,
                                                double nominal) {
  const Iso286Tables& tables = Iso286Tables::Compiled();
  const std::string& letter = tolerance.letter;
  const int grade = tolerance.grade;
  switch (rule) {
    case Rule::kUpperFromColumn:
      return Upper(tables.shaft.Lookup(letter, nominal));
    case Rule::kLowerFromColumn:
      return Lower((letter[0] >= 'a' ? tables.shaft : tables.hole).Lookup(letter, nominal));
    case Rule::kShaftJ:
      if (grade < 5 || grade > 8) return std::nullopt;
      return Lower(
          tables.shaft.Lookup(grade <= 6 ? "j_IT5_IT6" : "j_IT" + GradeName(grade), nominal));
    case Rule::kShaftK:
      return Lower(tables.shaft.Lookup(
          grade >= 4 && grade <= 7 ? "k_IT4_to_IT7" : "k_le_IT3_or_gt_IT7", nominal));
    case Rule::kHoleJ:
      if (grade < 6 || grade > 8) return std::nullopt;
      return Upper(tables.hole.Lookup("J_IT" + GradeName(grade), nominal));
    case Rule::kHoleKMN:
      return HoleKMN(tolerance, nominal, tables.hole);
    case Rule::kHoleWithDelta: {
      std::optional<double> base = tables.hole.Lookup(letter, nominal);
      std::optional<double> delta = grade <= 7 ? Delta(grade, nominal, tables.hole) : 0.0;
      if (!base || !delta) return std::nullopt;
      return Fundamental{true, *base + *delta};
    }
    case Rule::kSymmetric:
      break;
  }
  return std::nullopt;
}

// ISO 286-1's footnotes: a and b (A and B), N9..N18 and IT14..IT18 shall not be
// used for nominal sizes up to 1 mm.
bool AllowedAtSize(const ToleranceClass& tolerance, double nominal) {
  if (nominal > 1) return true;
  const std::string& letter = tolerance.letter;
  if (letter == "a" || letter == "b" || letter == "A" || letter == "B") return false;
  if (letter == "N" && tolerance.grade > 8) return false;
  return tolerance.grade < 14;
}

}  // namespace

std::optional<ToleranceClass> ParseToleranceClass(std::string_view code) {
  size_t digits = code.find_first_of("0123456789");
  if (digits == 0 || digits == std::string_view::npos) return std::nullopt;
  std::string_view letter = code.substr(0, digits);
  std::string_view grade = code.substr(digits);
  if (!FindLetter(letter)) return std::nullopt;
  if (grade.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;

  ToleranceClass tolerance{std::string(letter), 0};
  if (grade == "01") {
    tolerance.grade = -1;
  } else if (grade == "0") {
    tolerance.grade = 0;
  } else if (grade.size() <= 2 && grade[0] != '0') {
    tolerance.grade = std::stoi(std::string(grade));
    if (tolerance.grade > 18) return std::nullopt;
  } else {
    return std::nullopt;
  }
  return tolerance;
}

std::optional<LimitDeviations> Limits(const ToleranceClass& tolerance, double nominal) {
  const LetterRule* letter = FindLetter(tolerance.letter);
  if (!letter || tolerance.grade < -1 || tolerance.grade > 18) return std::nullopt;
  if (!AllowedAtSize(tolerance, nominal)) return std::nullopt;

  std::optional<double> it =
      Iso286Tables::Compiled().itGrades.Lookup("IT" + GradeName(tolerance.grade), nominal);
  if (!it) return std::nullopt;
  // No rounding of odd IT values for js7..js11: the printed tables do not round either.
  if (letter->rule == Rule::kSymmetric) return LimitDeviations{*it / 2, -*it / 2};

  std::optional<Fundamental> fundamental = FundamentalDeviation(tolerance, letter->rule, nominal);
  if (!fundamental) return std::nullopt;
  if (fundamental->isUpper) return LimitDeviations{fundamental->value, fundamental->value - *it};
  return LimitDeviations{fundamental->value + *it, fundamental->value};
}

}  // namespace qzdbs::iso286
