// The host's classes and interfaces as the engine uses them: a thin typed
// face over HostObject with the members of each class under their own names.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/HostObject.h"

namespace qzdbs {

// Reading a value back converts what the host holds; an unset member reads
// as the type's empty value.
template <typename T>
T HostValueAs(const HostValue& value) {
  if (const T* direct = std::get_if<T>(&value)) return *direct;
  if constexpr (std::is_arithmetic_v<T>) {
    if (auto* b = std::get_if<bool>(&value)) return static_cast<T>(*b ? -1 : 0);
    if (auto* i = std::get_if<int32_t>(&value)) return static_cast<T>(*i);
    if (auto* d = std::get_if<double>(&value)) return static_cast<T>(*d);
  }
  return T{};
}

template <>
inline bool HostValueAs<bool>(const HostValue& value) {
  if (auto* b = std::get_if<bool>(&value)) return *b;
  if (auto* i = std::get_if<int32_t>(&value)) return *i != 0;
  if (auto* d = std::get_if<double>(&value)) return *d != 0;
  return false;
}

// A shared reference to a host object seen through one of its interfaces.
class HostHandle {
 public:
  HostHandle() = default;
  explicit HostHandle(std::shared_ptr<HostObject> object) : object_(std::move(object)) {}

  const std::shared_ptr<HostObject>& Object() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  void Release() { object_.reset(); }

 protected:
  HostObject& Target() const {
    if (!object_) throw HostError("host object not set");
    return *object_;
  }
  void SetMember(std::string_view member, HostValue value) const {
    Target().Set(member, std::move(value));
  }
  template <typename T>
  T GetMember(std::string_view member) const {
    return HostValueAs<T>(Target().Get(member));
  }
  void Invoke(std::string_view member, std::vector<HostValue>& args) const {
    Target().Call(member, args);
  }
  void Invoke(std::string_view member) const {
    std::vector<HostValue> none;
    Target().Call(member, none);
  }
  void Invoke1(std::string_view member, HostValue arg) const {
    std::vector<HostValue> args{std::move(arg)};
    Target().Call(member, args);
  }

 private:
  std::shared_ptr<HostObject> object_;
};

#define QZDBS_HOST_PROPERTY(Type, Name) \
  void Name(const Type& value) const {  \
    SetMember(#Name, HostValue(value)); \
  }                                     \
  Type Name() const {                   \
    return GetMember<Type>(#Name);      \
  }

#define QZDBS_HOST_CLASS(ClassName_, Base)               \
  static constexpr const char* kClassName = #ClassName_; \
  using Base::Base;

// Identity interface of every host object.
class DbIdentity : public HostHandle {
 public:
  using HostHandle::HostHandle;
  QZDBS_HOST_PROPERTY(std::string, Name)
  QZDBS_HOST_PROPERTY(int32_t, ID)
  QZDBS_HOST_PROPERTY(int32_t, Sequence)
};

// Common entity interface of drawable objects.
class DbEntity : public DbIdentity {
 public:
  using DbIdentity::DbIdentity;
  QZDBS_HOST_PROPERTY(int32_t, Color)
  QZDBS_HOST_PROPERTY(std::string, LayerName)
  QZDBS_HOST_PROPERTY(bool, Visible)
  QZDBS_HOST_PROPERTY(bool, IsAssist)
  QZDBS_HOST_PROPERTY(bool, IsMatchProp)
};

// Common dimension interface of the dimension classes.
class DbDimension : public DbEntity {
 public:
  using DbEntity::DbEntity;
  QZDBS_HOST_PROPERTY(Point3, Normal)
  QZDBS_HOST_PROPERTY(double, Elevation)
  QZDBS_HOST_PROPERTY(Point3, TextPosition)
  QZDBS_HOST_PROPERTY(double, TextRotation)
  QZDBS_HOST_PROPERTY(std::string, TextString)
  QZDBS_HOST_PROPERTY(std::string, DimStyleName)
  bool CalcTolerance() const {
    std::vector<HostValue> args{false};
    Invoke("CalcTolerance", args);
    return HostValueAs<bool>(args[0]);
  }
  QZDBS_HOST_PROPERTY(int32_t, DimType)
  QZDBS_HOST_PROPERTY(double, Measurement)
  QZDBS_HOST_PROPERTY(std::string, str_DimTolNo)
  QZDBS_HOST_PROPERTY(double, fTopTol)
  QZDBS_HOST_PROPERTY(double, fBottomTol)
  QZDBS_HOST_PROPERTY(std::string, str_TolUnit)
  QZDBS_HOST_PROPERTY(bool, isHaveTolCode)
  QZDBS_HOST_PROPERTY(bool, isHaveTolVal)
  QZDBS_HOST_PROPERTY(bool, isHaveFollow)
  QZDBS_HOST_PROPERTY(std::string, str_DimFollow)
  QZDBS_HOST_PROPERTY(bool, isRectText)
  QZDBS_HOST_PROPERTY(int32_t, dimdec)
  QZDBS_HOST_PROPERTY(int32_t, iOutIndex)
  QZDBS_HOST_PROPERTY(int32_t, iInIndex)
  QZDBS_HOST_PROPERTY(bool, isHasLAngle)
  QZDBS_HOST_PROPERTY(double, dLAngle)
  QZDBS_HOST_PROPERTY(int32_t, DimJust)
  QZDBS_HOST_PROPERTY(int32_t, DimDad)
  QZDBS_HOST_PROPERTY(bool, isRotateText)
  QZDBS_HOST_PROPERTY(bool, HasFirstArr)
  QZDBS_HOST_PROPERTY(bool, HasSecondArr)
  QZDBS_HOST_PROPERTY(bool, HasFirstLine)
  QZDBS_HOST_PROPERTY(bool, HasSecondLine)
};

class DbView : public DbIdentity {
 public:
  QZDBS_HOST_CLASS(DbView, DbIdentity)
  QZDBS_HOST_PROPERTY(std::string, AssistViewName)
  QZDBS_HOST_PROPERTY(Point3, BasePoint)
  void AddEntity(const std::string& key, const HostHandle& object) const {
    std::vector<HostValue> args{key, object.Object()};
    Invoke("AddEntity", args);
  }
  void Init() const { Invoke("Init"); }
};

class DbDictionary : public DbIdentity {
 public:
  QZDBS_HOST_CLASS(DbDictionary, DbIdentity)
  void Add(const std::string& value, const std::string& name) const {
    std::vector<HostValue> args{value, name};
    Invoke("Add", args);
  }
  void Clear() const { Invoke("Clear"); }
  // Delivers the next entry; false once the walk is past the end.
  bool GetNext(std::string& name, std::string& value) const {
    std::vector<HostValue> args{std::string(), std::string(), false};
    Invoke("GetNext", args);
    name = HostValueAs<std::string>(args[0]);
    value = HostValueAs<std::string>(args[1]);
    return HostValueAs<bool>(args[2]);
  }
  void Reset() const { Invoke("Reset"); }
};

// The host session: the part being placed.
class QZdbSPart : public HostHandle {
 public:
  QZDBS_HOST_CLASS(QZdbSPart, HostHandle)
  QZDBS_HOST_PROPERTY(std::string, PartName)
  QZDBS_HOST_PROPERTY(Point3, BasePoint)
  void AddView(const DbView& view) const { Invoke1("AddView", view.Object()); }
  void PartProperties(const DbDictionary& dictionary) const {
    SetMember("PartProperties", dictionary.Object());
  }
  DbDictionary InputParameters() const {
    return DbDictionary(GetMember<std::shared_ptr<HostObject>>("InputParameters"));
  }
  void InputParameters(const DbDictionary& dictionary) const {
    SetMember("InputParameters", dictionary.Object());
  }
  void UpdatePart() const { Invoke("UpdatePart"); }
  QZDBS_HOST_PROPERTY(std::string, DBPath)
  QZDBS_HOST_PROPERTY(bool, AllowMove)
  double DrawScale() const { return GetMember<double>("DrawScale"); }
  std::string BlockFolder() const { return GetMember<std::string>("BlockFolder"); }
  QZDBS_HOST_PROPERTY(bool, RemoveDimension)
  QZDBS_HOST_PROPERTY(bool, GroupPart)
  QZDBS_HOST_PROPERTY(bool, MakeBlock)
  QZDBS_HOST_PROPERTY(bool, HideBackground)
  bool IsEditing() const { return GetMember<bool>("IsEditing"); }
  // The identity interface of the same object (Name = part GUID, ID = part ID).
  DbIdentity Identity() const { return DbIdentity(Object()); }
};

// Curve entities.
class DbLine : public DbEntity {
 public:
  QZDBS_HOST_CLASS(DbLine, DbEntity)
  QZDBS_HOST_PROPERTY(Point3, StartPoint)
  QZDBS_HOST_PROPERTY(Point3, EndPoint)
};

class DbCircle : public DbEntity {
 public:
  QZDBS_HOST_CLASS(DbCircle, DbEntity)
  QZDBS_HOST_PROPERTY(Point3, CenterPoint)
  QZDBS_HOST_PROPERTY(double, Radius)
};

class DbArc : public DbEntity {
 public:
  QZDBS_HOST_CLASS(DbArc, DbEntity)
  QZDBS_HOST_PROPERTY(double, Radius)
  QZDBS_HOST_PROPERTY(Point3, CenterPoint)
  QZDBS_HOST_PROPERTY(double, StartAngle)
  QZDBS_HOST_PROPERTY(double, EndAngle)
};

class DbEllipse : public DbEntity {
 public:
  QZDBS_HOST_CLASS(DbEllipse, DbEntity)
  QZDBS_HOST_PROPERTY(Point3, CenterPoint)
  QZDBS_HOST_PROPERTY(double, MajorRadius)
  QZDBS_HOST_PROPERTY(double, MinorRadius)
  QZDBS_HOST_PROPERTY(double, StartAngle)
  QZDBS_HOST_PROPERTY(double, EndAngle)
  QZDBS_HOST_PROPERTY(Point3, MajorAxis)
  QZDBS_HOST_PROPERTY(Point3, MinorAxis)
};

class DbPolyline : public DbEntity {
 public:
  QZDBS_HOST_CLASS(DbPolyline, DbEntity)
  void AddVertex(const Point3& vertex) const { Invoke1("AddVertex", vertex); }
  QZDBS_HOST_PROPERTY(bool, isClosed)
  QZDBS_HOST_PROPERTY(double, ConstantWidth)
  QZDBS_HOST_PROPERTY(int32_t, PlineType)
};

class Db3dPolyline : public DbEntity {
 public:
  QZDBS_HOST_CLASS(Db3dPolyline, DbEntity)
  void AddVertex(const Point3& vertex) const { Invoke1("AddVertex", vertex); }
  QZDBS_HOST_PROPERTY(bool, isClosed)
  QZDBS_HOST_PROPERTY(int32_t, PlineType)
};

// Blocks, groups and hatches.
class DbBlockDefinition : public DbIdentity {
 public:
  QZDBS_HOST_CLASS(DbBlockDefinition, DbIdentity)
  QZDBS_HOST_PROPERTY(std::string, BlockName)
  QZDBS_HOST_PROPERTY(bool, hasAttribute)
};

class DbBlockReference : public DbEntity {
 public:
  QZDBS_HOST_CLASS(DbBlockReference, DbEntity)
  QZDBS_HOST_PROPERTY(Point3, InsertPoint)
  QZDBS_HOST_PROPERTY(double, Rotation)
  QZDBS_HOST_PROPERTY(double, ScaleFactor)
  QZDBS_HOST_PROPERTY(std::string, BlockName)
  QZDBS_HOST_PROPERTY(bool, hasAttribute)
  void AddAttributeID(int32_t id) const { Invoke1("AddAttributeID", id); }
  void ClearAttributeIDs() const { Invoke("ClearAttributeIDs"); }
};

class DbGroup : public DbIdentity {
 public:
  QZDBS_HOST_CLASS(DbGroup, DbIdentity)
  QZDBS_HOST_PROPERTY(std::string, GroupName)
  void AddEntityID(int32_t id) const { Invoke1("AddEntityID", id); }
  void ClearEntityIDs() const { Invoke("ClearEntityIDs"); }
};

class DbHatch : public DbEntity {
 public:
  QZDBS_HOST_CLASS(DbHatch, DbEntity)
  QZDBS_HOST_PROPERTY(std::string, PatternName)
  QZDBS_HOST_PROPERTY(bool, PatternIsDoubled)
  QZDBS_HOST_PROPERTY(double, PatternScale)
  QZDBS_HOST_PROPERTY(double, PatternAngle)
  void AddInnerLoopEntity(int32_t id) const { Invoke1("AddInnerLoopEntity", id); }
  void ClearInnerLoop() const { Invoke("ClearInnerLoop"); }
  void AddOuterLoopEntity(int32_t id) const { Invoke1("AddOuterLoopEntity", id); }
  void ClearOuterLoop() const { Invoke("ClearOuterLoop"); }
};

// Dimensions and leaders.
class DbLeader : public DbEntity {
 public:
  QZDBS_HOST_CLASS(DbLeader, DbEntity)
  void AddVertex(const Point3& vertex) const { Invoke1("AddVertex", vertex); }
  QZDBS_HOST_PROPERTY(int32_t, AnnotationID)
  QZDBS_HOST_PROPERTY(int32_t, LeaderType)
  QZDBS_HOST_PROPERTY(bool, hasHookLine)
};

class DbRotatedDimension : public DbDimension {
 public:
  QZDBS_HOST_CLASS(DbRotatedDimension, DbDimension)
  QZDBS_HOST_PROPERTY(Point3, ExtLine1Point)
  QZDBS_HOST_PROPERTY(Point3, ExtLine2Point)
  QZDBS_HOST_PROPERTY(Point3, DimLinePoint)
  QZDBS_HOST_PROPERTY(double, Rotation)
};

class DbAlignedDimension : public DbDimension {
 public:
  QZDBS_HOST_CLASS(DbAlignedDimension, DbDimension)
  QZDBS_HOST_PROPERTY(Point3, ExtLine1Point)
  QZDBS_HOST_PROPERTY(Point3, ExtLine2Point)
  QZDBS_HOST_PROPERTY(Point3, DimLinePoint)
};

class DbDiametricDimension : public DbDimension {
 public:
  QZDBS_HOST_CLASS(DbDiametricDimension, DbDimension)
  QZDBS_HOST_PROPERTY(Point3, CenterPoint)
  QZDBS_HOST_PROPERTY(double, Radius)
};

class DbRadialDimension : public DbDimension {
 public:
  QZDBS_HOST_CLASS(DbRadialDimension, DbDimension)
  QZDBS_HOST_PROPERTY(Point3, CenterPoint)
  QZDBS_HOST_PROPERTY(double, Radius)
};

class Db3PointAngularDimension : public DbDimension {
 public:
  QZDBS_HOST_CLASS(Db3PointAngularDimension, DbDimension)
  QZDBS_HOST_PROPERTY(Point3, ExtLine1EndPoint)
  QZDBS_HOST_PROPERTY(Point3, ExtLine2EndPoint)
  QZDBS_HOST_PROPERTY(Point3, AngleVertPoint)
  QZDBS_HOST_PROPERTY(Point3, ArcPoint)
};

class Db2LineAngularDimension : public DbDimension {
 public:
  QZDBS_HOST_CLASS(Db2LineAngularDimension, DbDimension)
  QZDBS_HOST_PROPERTY(Point3, ExtLine1StartPoint)
  QZDBS_HOST_PROPERTY(Point3, ExtLine1EndPoint)
  QZDBS_HOST_PROPERTY(Point3, ExtLine2StartPoint)
  QZDBS_HOST_PROPERTY(Point3, ExtLine2EndPoint)
  QZDBS_HOST_PROPERTY(Point3, ArcPoint)
};

class DbOrdinateDimension : public DbDimension {
 public:
  QZDBS_HOST_CLASS(DbOrdinateDimension, DbDimension)
  QZDBS_HOST_PROPERTY(Point3, DefiningPoint)
  QZDBS_HOST_PROPERTY(Point3, Origin)
  QZDBS_HOST_PROPERTY(Point3, LeaderEndPoint)
  QZDBS_HOST_PROPERTY(int32_t, useXYAxis)
};

// Texts.
class DbText : public DbEntity {
 public:
  QZDBS_HOST_CLASS(DbText, DbEntity)
  QZDBS_HOST_PROPERTY(double, Height)
  QZDBS_HOST_PROPERTY(double, Rotation)
  QZDBS_HOST_PROPERTY(double, ScaleFactor)
  QZDBS_HOST_PROPERTY(double, ObliqueAngle)
  QZDBS_HOST_PROPERTY(Point3, InsertionPoint)
  QZDBS_HOST_PROPERTY(std::string, TextString)
  QZDBS_HOST_PROPERTY(std::string, TextStyleName)
};

class DbMText : public DbEntity {
 public:
  QZDBS_HOST_CLASS(DbMText, DbEntity)
  QZDBS_HOST_PROPERTY(double, Height)
  QZDBS_HOST_PROPERTY(double, Rotation)
  QZDBS_HOST_PROPERTY(double, Width)
  QZDBS_HOST_PROPERTY(double, LineSpacingFactor)
  QZDBS_HOST_PROPERTY(Point3, InsertionPoint)
  QZDBS_HOST_PROPERTY(std::string, TextString)
  QZDBS_HOST_PROPERTY(std::string, TextStyleName)
  QZDBS_HOST_PROPERTY(int32_t, AttachmentPoint)
  QZDBS_HOST_PROPERTY(bool, isHaveTolCode)
  QZDBS_HOST_PROPERTY(std::string, ToleranceCode)
  QZDBS_HOST_PROPERTY(double, TopTol)
  QZDBS_HOST_PROPERTY(double, BottomTol)
  QZDBS_HOST_PROPERTY(bool, isHaveTolVal)
  QZDBS_HOST_PROPERTY(bool, isHaveFollow)
  QZDBS_HOST_PROPERTY(std::string, DimFront)
  QZDBS_HOST_PROPERTY(std::string, DimFollow)
};

// Transforms: each names the entities it works on by their ID.
class DbTransform : public DbEntity {
 public:
  using DbEntity::DbEntity;
  void AddEntityID(int32_t id) const { Invoke1("AddEntityID", id); }
};

class DbMove : public DbTransform {
 public:
  QZDBS_HOST_CLASS(DbMove, DbTransform)
  QZDBS_HOST_PROPERTY(Point3, FromPoint)
  QZDBS_HOST_PROPERTY(Point3, ToPoint)
  QZDBS_HOST_PROPERTY(bool, bEraseOld)
};

class DbPolarArray : public DbTransform {
 public:
  QZDBS_HOST_CLASS(DbPolarArray, DbTransform)
  QZDBS_HOST_PROPERTY(Point3, BasePoint)
  QZDBS_HOST_PROPERTY(Point3, CenterPoint)
  QZDBS_HOST_PROPERTY(bool, isRoateEachItem)
  QZDBS_HOST_PROPERTY(int32_t, ItemNumber)
  QZDBS_HOST_PROPERTY(double, SweepAngle)
};

class DbRectArray : public DbTransform {
 public:
  QZDBS_HOST_CLASS(DbRectArray, DbTransform)
  QZDBS_HOST_PROPERTY(int32_t, RowNumber)
  QZDBS_HOST_PROPERTY(int32_t, ColumnNumber)
  QZDBS_HOST_PROPERTY(double, RowSpace)
  QZDBS_HOST_PROPERTY(double, ColumnSpace)
  QZDBS_HOST_PROPERTY(double, ArrayAngle)
};

class DbRotate : public DbTransform {
 public:
  QZDBS_HOST_CLASS(DbRotate, DbTransform)
  QZDBS_HOST_PROPERTY(Point3, BasePoint)
  QZDBS_HOST_PROPERTY(double, Rotation)
  QZDBS_HOST_PROPERTY(bool, bEraseOld)
};

class DbMirror : public DbTransform {
 public:
  QZDBS_HOST_CLASS(DbMirror, DbTransform)
  QZDBS_HOST_PROPERTY(Point3, FromPoint)
  QZDBS_HOST_PROPERTY(Point3, ToPoint)
  QZDBS_HOST_PROPERTY(bool, bEraseOld)
};

// Creates a new, empty host object of class T in the component.
template <typename T>
T CreateHostObject(HostComponent& component) {
  return T(component.CreateObject(T::kClassName));
}

}  // namespace qzdbs
