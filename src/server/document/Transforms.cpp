// Transform plans.
#include "server/document/Transforms.h"

#include <algorithm>
#include <cmath>

#include "host/HostClasses.h"
#include "server/document/HostReading.h"

namespace qzdbs::server {

namespace {

std::string TooMany(int64_t items) {
  return "an array of " + std::to_string(items) + " items, more than " +
         std::to_string(kMaxArrayItems);
}

TransformPlan Move(const MemoryObject& o) {
  DbMove move(BorrowHandle(o));
  return {move.bEraseOld(), {Affine::Translation(move.ToPoint() - move.FromPoint())}, ""};
}

TransformPlan Rotate(const MemoryObject& o) {
  DbRotate rotate(BorrowHandle(o));
  return {rotate.bEraseOld(), {Affine::Rotation(rotate.BasePoint(), rotate.Rotation())}, ""};
}

TransformPlan Mirror(const MemoryObject& o) {
  DbMirror mirror(BorrowHandle(o));
  if (SamePoint(mirror.FromPoint(), mirror.ToPoint(), kEpsilon)) {
    return {false, {}, "the mirror line's two points coincide"};
  }
  return {mirror.bEraseOld(), {Affine::Mirror(mirror.FromPoint(), mirror.ToPoint())}, ""};
}

TransformPlan PolarArray(const MemoryObject& o) {
  DbPolarArray array(BorrowHandle(o));
  int32_t items = array.ItemNumber();
  if (items < 2) return {false, {}, "a polar array needs at least 2 items"};
  if (items > kMaxArrayItems) return {false, {}, TooMany(items)};
  double sweep = array.SweepAngle();
  if (std::fabs(sweep) < kEpsilon) return {false, {}, "the polar array sweeps no angle"};
  double step =
      std::fabs(sweep) >= 360.0 - 1e-9 ? std::copysign(360.0 / items, sweep) : sweep / (items - 1);
  TransformPlan plan;
  for (int32_t k = 1; k < items; ++k) {
    Affine turn = Affine::Rotation(array.CenterPoint(), step * k);
    if (array.isRoateEachItem()) {
      plan.maps.push_back(turn);
    } else {
      Point3 base = array.BasePoint();
      plan.maps.push_back(Affine::Translation(turn.Apply(base) - base));
    }
  }
  return plan;
}

TransformPlan RectArray(const MemoryObject& o) {
  DbRectArray array(BorrowHandle(o));
  int32_t rows = std::max(1, array.RowNumber());
  int32_t columns = std::max(1, array.ColumnNumber());
  if (rows == 1 && columns == 1) return {false, {}, "a rectangular array of one item"};
  const int64_t items = static_cast<int64_t>(rows) * columns;
  if (items > kMaxArrayItems) return {false, {}, TooMany(items)};
  Affine turn = Affine::Rotation({0, 0, 0}, array.ArrayAngle());
  TransformPlan plan;
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      if (r == 0 && c == 0) continue;
      Point3 offset{c * array.ColumnSpace(), r * array.RowSpace(), 0};
      plan.maps.push_back(Affine::Translation(turn.ApplyVector(offset)));
    }
  }
  return plan;
}

}  // namespace

bool IsTransformClass(const std::string& className) {
  return className == "DbMove" || className == "DbRotate" || className == "DbMirror" ||
         className == "DbPolarArray" || className == "DbRectArray";
}

TransformPlan PlanTransform(const MemoryObject& transform) {
  const std::string& name = transform.ClassName();
  if (name == "DbMove") return Move(transform);
  if (name == "DbRotate") return Rotate(transform);
  if (name == "DbMirror") return Mirror(transform);
  if (name == "DbPolarArray") return PolarArray(transform);
  if (name == "DbRectArray") return RectArray(transform);
  return {false, {}, "not a transform"};
}

}  // namespace qzdbs::server
