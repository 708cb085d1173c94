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
//
// Sets dim.text, what the drawing shows, and dim.cadText, the same with "<>"
// for the measured value so that a CAD program keeps the text in step with
// the dimension (left empty when the library's text holds no "<>"); the
// deviations of a text without a tolerance code go into dim.cadTolerance.
void SetDimensionText(DimensionShape& dim, double measurement, std::vector<Finding>& findings,
                      const std::string& where);

}  // namespace qzdbs::server
