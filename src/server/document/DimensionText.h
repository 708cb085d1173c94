// The text a dimension shows: its text with "<>" standing for the measured
// value, the tolerance code, the deviations and the follow text.
#pragma once

#include <string>
#include <vector>

#include "server/Document.h"

namespace qzdbs::server {

// The measured value as "<>" shows it: with Ø before diameters, R before
// radii and ° after angles.
std::string MeasuredValueText(const DimensionShape& dim, double measurement);

// When the engine asked for the deviations (CalcTolerance), they come from
// the tolerance code at the nominal size (the engine's measurement, or the
// measured one when the text held none); otherwise the stored ones are shown.
// A code without deviations is reported and the stored values stay.
RichText DimensionText(const DimensionShape& dim, double measurement,
                       std::vector<Finding>& findings, const std::string& where);

}  // namespace qzdbs::server
