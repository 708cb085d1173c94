// Dimension texts.
#include "server/document/DimensionText.h"

#include <cmath>
#include <optional>
#include <utility>

#include "platform/iso286/DimTolerance.h"
#include "server/text/AnnotationText.h"

namespace qzdbs::server {

namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// A literal text that is the measured value, with or without the diameter
// or radius sign ("Ø20", "7.5"): the same with "<>" for the value, and the
// decimals that write it; nothing when the text says something else.
std::optional<std::pair<std::string, int>> MeasuringText(const DimensionShape& dim,
                                                         const std::string& text,
                                                         double measurement) {
  std::string prefix;
  for (const char* sign : {"Ø", "R"}) {
    if (text.rfind(sign, 0) == 0) prefix = sign;
  }
  const std::string number = text.substr(prefix.size());
  for (int decimals = 0; decimals <= 4; ++decimals) {
    if (number != FormatMeasure(measurement, decimals)) continue;
    // CAD programs write the sign of a diameter or radius dimension themselves.
    const bool own = (dim.kind == DimKind::Diametric && prefix == "Ø") ||
                     (dim.kind == DimKind::Radial && prefix == "R");
    return std::pair{(own ? "" : prefix) + "<>", decimals};
  }
  return std::nullopt;
}

}  // namespace

std::string MeasuredValueText(const DimensionShape& dim, double measurement) {
  std::string value = FormatMeasure(measurement, dim.attributes.dimdec);
  switch (dim.kind) {
    case DimKind::Diametric:
      return "Ø" + value;
    case DimKind::Radial:
      return "R" + value;
    case DimKind::Angular3Point:
    case DimKind::Angular2Line:
      return value + "°";
    default:
      return value;
  }
}

void SetDimensionText(DimensionShape& dim, double measurement, std::vector<Finding>& findings,
                      const std::string& where) {
  const DimAttributes& a = dim.attributes;
  const std::string withCodes = ExpandSpecialCodes(a.textString.empty() ? "<>" : a.textString);

  AnnotationParts parts;
  parts.body = ReplaceAll(withCodes, "<>", MeasuredValueText(dim, measurement));
  parts.haveCode = a.haveTolCode;
  parts.code = a.tolCode;
  parts.haveValues = a.haveTolVal;
  parts.upper = a.topTol;
  parts.lower = a.bottomTol;
  parts.haveFollow = a.haveFollow;
  parts.follow = ExpandSpecialCodes(a.follow);

  if (a.calcTolerance && !a.tolCode.empty()) {
    double nominal = a.hostMeasurement > 0 ? a.hostMeasurement : std::fabs(measurement);
    std::string code = a.tolCode;
    double upper = a.topTol;
    double lower = a.bottomTol;
    if (GetDimTolerance(code, nominal, upper, lower)) {
      parts.code = code;
      parts.upper = upper;
      parts.lower = lower;
      parts.haveValues = true;
    } else {
      findings.push_back(Finding{AuditCode::Tolerance,
                                 "no deviations for tolerance code \"" + a.tolCode +
                                     "\" at nominal size " + FormatMeasure(nominal, 6) +
                                     "; the stored deviations are shown",
                                 where, true});
    }
  }
  dim.text = ComposeAnnotation(parts);

  dim.cadText.clear();
  dim.cadTolerance = {};
  dim.cadDecimals = a.dimdec;
  if (withCodes.find("<>") != std::string::npos) {
    // CAD programs put Ø, R and ° round "<>" themselves.
    parts.body = withCodes;
  } else if (auto measuring = MeasuringText(dim, withCodes, measurement)) {
    parts.body = measuring->first;
    dim.cadDecimals = measuring->second;
  } else {
    return;
  }
  if (parts.haveValues && !parts.haveCode && (parts.upper != 0 || parts.lower != 0)) {
    dim.cadTolerance = {true, parts.upper, parts.lower};
    parts.haveValues = false;
  }
  dim.cadText = ComposeAnnotation(parts);
}

}  // namespace qzdbs::server
