// Dimension texts moved out of the way: where a line, an arrow or another
// text crosses a dimension's text in the place the library and the rules
// gave it, the drafter's other places for it are tried in turn and the one
// that leaves the fewest crossed texts in the view is kept.
#pragma once

#include "server/Document.h"

namespace qzdbs::server {

void ClearDimensionTexts(Document& document);

}  // namespace qzdbs::server
