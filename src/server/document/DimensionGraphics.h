// Dimension graphics in the style "QZ_GBDIM": what a drafter draws for each of
// the seven kinds (GB/T 4458.4 and ISO 129-1): extension lines from the
// feature past the dimension line, the dimension line or arc with closed
// filled arrowheads, and the text above the line, aligned with it, or
// horizontal for angles.
#pragma once

#include <string>
#include <vector>

#include "server/Document.h"

namespace qzdbs::server {

// Measures the dimension, writes its text and draws it into dim.graphics.
// A dimension whose defining points give no measurement (coincident points,
// parallel lines) is reported and keeps no graphics. Choice 0 places the
// text by the library and the rules; choices 1 to TextChoices() are the
// other places a drafter would try when something crosses it there.
void CompleteDimension(DimensionShape& dim, const DimStyle& style, std::vector<Finding>& findings,
                       const std::string& where, int textChoice = 0);

int TextChoices(const DimensionShape& dim);

}  // namespace qzdbs::server
