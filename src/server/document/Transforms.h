// What the five transform classes do to the entities they name.
//
// A transform acts on the document as it stands when the transform arrives:
// every entity that carries a named identifier is taken, the one received
// under it and every copy an earlier transform made of it (copies keep their
// source's identifier). Moving, turning and mirroring with bEraseOld change
// the entities in place; otherwise, and for arrays, copies are added to the
// source's view after its other entities, and the originals stay.
#pragma once

#include <string>
#include <vector>

#include "host/memory/MemoryHost.h"
#include "server/Geometry.h"

namespace qzdbs::server {

struct TransformPlan {
  bool inPlace = false;      // change the entities themselves (one map)
  std::vector<Affine> maps;  // otherwise one copy per map, item 2, 3, ...
  std::string problem;       // why the transform does nothing, when it does nothing
};

// DbMove, DbRotate, DbMirror, DbPolarArray, DbRectArray; other classes give
// an empty plan with a problem.
//
// Polar array: ItemNumber items including the original, spread over
// SweepAngle degrees counter-clockwise (negative: clockwise) round
// CenterPoint: a sweep of a full turn (or more) gives steps of 360/n,
// otherwise sweep/(n-1) so that the last item lands on the sweep's end. With
// isRoateEachItem the copies turn with the array; without it they are moved
// so that BasePoint follows the circle.
// Rectangular array: RowNumber x ColumnNumber items including the original (a
// count of 0 counts as 1), ColumnSpace apart along X and RowSpace apart along
// Y, the grid turned by ArrayAngle degrees.
// An array of more than kMaxArrayItems items is refused with a problem.
TransformPlan PlanTransform(const MemoryObject& transform);

// Limits a library cannot pass: items of one array, entities the arrays of
// one part may make in all, and vertices (polylines, leaders, hatch loops) one
// part may hold in all, copies included: 100,000 copies of a polyline of
// 100,000 vertices would otherwise ask for 10^10 points.
inline constexpr int64_t kMaxArrayItems = 100000;
inline constexpr int64_t kMaxArrayCopiesPerPart = 100000;
inline constexpr int64_t kMaxVerticesPerPart = 1000000;

bool IsTransformClass(const std::string& className);

}  // namespace qzdbs::server
