// Leader graphics: the path through the vertices (a smooth curve for spline
// leaders), a closed arrowhead at the first vertex, and a hook line one
// arrow long at the last, turned towards the annotation.
#pragma once

#include "server/Document.h"

namespace qzdbs::server {

// annotation: the text the leader points from, or null.
void CompleteLeader(LeaderShape& leader, const DimStyle& style, const TextShape* annotation);

}  // namespace qzdbs::server
