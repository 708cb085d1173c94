// Placing the views: each view's geometry is moved so that its base point
// lands on its insertion point. The first view's base point lands on the
// part's base point; each next view stands to the right of the one before,
// a gap away from it (its left edge the gap past the other's right edge),
// with its base point at the height of the part's base point, so views that
// share an axis line up as projections do.
#pragma once

#include "server/Document.h"

namespace qzdbs::server {

void LayOutViews(Document& document, double gap);

}  // namespace qzdbs::server
