// Move, polar array, rectangular array, rotate and mirror: host objects that
// carry a transform and the identifiers of the entities it acts on; the host
// does the geometry.
#include "output/OutputCommon.h"
#include "output/ValueConversions.h"
#include "output/builders/BuilderSteps.h"
#include "output/builders/Builders.h"

namespace qzdbs {

namespace {

// Keys of each transform's collection besides its identifiers.
constexpr int32_t kTwoPointOtherKeys = 7;  // bEraseOld, FromPoint.X/Y/Z, ToPoint.X/Y/Z
constexpr int32_t kPolarOtherKeys = 9;     // CenterPoint, BasePoint, isRoateEachItem, ItemNumber,
                                           // SweepAngle
constexpr int32_t kRectOtherKeys = 5;      // RowNumber, ColumnNumber, RowSpace, ColumnSpace,
                                           // ArrayAngle
constexpr int32_t kRotateOtherKeys = 5;    // BasePoint.X/Y/Z, Rotation, bEraseOld

// The entities the transform acts on, then the common attributes.
HostHandle FinishTransform(int32_t sequence, const clsEntityList& record,
                           const DbTransform& transform, const EntityParams& params,
                           int32_t otherKeys) {
  for (int32_t id : params.EntityIDs(params.Count() - otherKeys))
    transform.AddEntityID(id);
  return Finish(sequence, record, transform);
}

// Move and mirror read and set the same members: whether the source entities
// go, and the two points of the move or of the mirror line.
template <typename Transform>
HostHandle BuildTwoPointTransform(const EntityParams& params, int32_t sequence,
                                  const clsEntityList& record) {
  bool eraseOld = ToFlag(params.Literal("bEraseOld.S"));
  Point3 from = params.Point("FromPoint");
  Point3 to = params.Point("ToPoint");
  auto transform = NewHostObject<Transform>();
  transform.bEraseOld(eraseOld);
  transform.FromPoint(from);
  transform.ToPoint(to);
  return FinishTransform(sequence, record, transform, params, kTwoPointOtherKeys);
}

}  // namespace

HostHandle OutputTransMove(const EntityParams& params, int32_t sequence,
                           const clsEntityList& record) {
  return BuildTwoPointTransform<DbMove>(params, sequence, record);
}

HostHandle OutputTransMirror(const EntityParams& params, int32_t sequence,
                             const clsEntityList& record) {
  return BuildTwoPointTransform<DbMirror>(params, sequence, record);
}

HostHandle OutputTransPolarArray(const EntityParams& params, int32_t sequence,
                                 const clsEntityList& record) {
  bool rotateEach = EqualsOne(params.Literal("isRoateEachItem.S"));
  Point3 center = params.Point("CenterPoint");
  Point3 base = params.Point("BasePoint");
  int32_t items = ToInt32(params.Reference("ItemNumber.S"));
  double sweep = ToReal(params.Reference("SweepAngle.S"));
  // An array of fewer than two items is no array.
  Require(items >= 2);
  auto array = NewHostObject<DbPolarArray>();
  array.CenterPoint(center);
  array.BasePoint(base);
  array.ItemNumber(items);
  array.SweepAngle(sweep);
  array.isRoateEachItem(rotateEach);
  return FinishTransform(sequence, record, array, params, kPolarOtherKeys);
}

HostHandle OutputTransRectArray(const EntityParams& params, int32_t sequence,
                                const clsEntityList& record) {
  int32_t rows = ToInt32(params.Reference("RowNumber.S"));
  int32_t columns = ToInt32(params.Reference("ColumnNumber.S"));
  double rowSpace = ToReal(params.Reference("RowSpace.S"));
  double columnSpace = ToReal(params.Reference("ColumnSpace.S"));
  double angle = ToReal(params.Reference("ArrayAngle.S"));
  // One of the two may be 0 (a single row or column); both
  // 0 leaves nothing to array.
  Require(rows != 0 || columns != 0);
  auto array = NewHostObject<DbRectArray>();
  array.RowNumber(rows);
  array.ColumnNumber(columns);
  array.RowSpace(rowSpace);
  array.ColumnSpace(columnSpace);
  array.ArrayAngle(angle);
  return FinishTransform(sequence, record, array, params, kRectOtherKeys);
}

HostHandle OutputTransRotate(const EntityParams& params, int32_t sequence,
                             const clsEntityList& record) {
  bool eraseOld = ToFlag(params.Literal("bEraseOld.S"));
  Point3 base = params.Point("BasePoint");
  double rotation = ToReal(params.Reference("Rotation.S"));
  auto rotate = NewHostObject<DbRotate>();
  rotate.BasePoint(base);
  rotate.Rotation(rotation);
  rotate.bEraseOld(eraseOld);
  return FinishTransform(sequence, record, rotate, params, kRotateOtherKeys);
}

}  // namespace qzdbs
