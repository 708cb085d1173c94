// Placing the views as projections: each view's role comes from its name,
// and the views stand round the front view as GB/T 4458.1 places them in
// first-angle projection (the left view to the right of the front view, the
// top view below it), or swapped in third-angle projection. Views beside the
// front view share its base point's height, views above and below it share
// its base point's abscissa, so features line up as projections do. Rear
// views, sections and views of no known direction follow to the right.
#pragma once

#include <string>

#include "server/Document.h"

namespace qzdbs::server {

enum class Projection { FirstAngle, ThirdAngle };

enum class ViewRole { Front, Left, Right, Top, Bottom, Rear, Section, Other };

// 主视图/前视图/front, 左视图/left, 右视图/right, 俯视图/top, 仰视图/bottom,
// 后视图/rear, 剖视图/断面图/section or a label such as "A-A"; a direction
// named wins over a section ("主视图 全剖" is the front view).
ViewRole RoleOfView(const std::string& name);

// The first front view (else the first view) lands on the part's base point.
// `gap` is the room between views in drawing units; 0 takes it from the
// part's size.
void LayOutViews(Document& document, double gap, Projection projection);

}  // namespace qzdbs::server
