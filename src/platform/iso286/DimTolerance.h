// The host's tolerance call: ISO 286 limit deviations for a tolerance code and
// a nominal size, as the builders of texts and dimensions use them.
#pragma once

#include <string>

namespace qzdbs {

// code: an ISO 286 tolerance class such as "H7", "g6", "js9" or "ZC8" (letter
// case tells hole from shaft, as in ISO 286). Blanks around it are ignored; on
// success the code is rewritten without them, so the caller reads back the
// canonical text.
// nominal: the nominal size in millimetres, 0 < nominal <= 3150.
// upper, lower: on success the upper and lower limit deviations in
// millimetres (H7 at 30: 0.021 and 0), the unit of the library's stored
// deviations and of dimension texts.
// Returns false for a code it does not know or a size the standard does not
// cover for that class; code, upper and lower are then left as they were.
bool GetDimTolerance(std::string& code, double nominal, double& upper, double& lower);

}  // namespace qzdbs
