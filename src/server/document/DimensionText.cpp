// Dimension texts.
#include "server/document/DimensionText.h"

#include <cmath>

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

RichText DimensionText(const DimensionShape& dim, double measurement,
                       std::vector<Finding>& findings, const std::string& where) {
  const DimAttributes& a = dim.attributes;
  std::string body = a.textString.empty() ? "<>" : a.textString;
  body = ReplaceAll(ExpandSpecialCodes(body), "<>", MeasuredValueText(dim, measurement));

  AnnotationParts parts;
  parts.body = body;
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
  return ComposeAnnotation(parts);
}

}  // namespace qzdbs::server
