// The host's tolerance call over the ISO 286 tables compiled into the library.
#include "platform/iso286/DimTolerance.h"

#include <string_view>

#include "platform/iso286/Iso286Limits.h"

namespace qzdbs {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string_view TrimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

constexpr double kMicrometresPerMillimetre = 1000;

}  // namespace

bool GetDimTolerance(std::string& code, double nominal, double& upper, double& lower) {
  std::string_view trimmed = TrimBlanks(code);
  std::optional<iso286::ToleranceClass> tolerance = iso286::ParseToleranceClass(trimmed);
  if (!tolerance) return false;
  std::optional<iso286::LimitDeviations> limits = iso286::Limits(*tolerance, nominal);
  if (!limits) return false;
  upper = limits->upper / kMicrometresPerMillimetre;
  lower = limits->lower / kMicrometresPerMillimetre;
  code = std::string(trimmed);
  return true;
}

}  // namespace qzdbs
