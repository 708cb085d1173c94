// Attribute lists, block definitions, block references, groups and hatches:
// the objects that name other entities by their identifiers, which the host
// matches against what it has already received.
#include "db/colEntityList.h"
#include "output/OutputCommon.h"
#include "output/ValueConversions.h"
#include "output/builders/BuilderSteps.h"
#include "output/builders/Builders.h"

namespace qzdbs {

namespace {

// Keys of a block reference's collection besides its identifiers:
// InsertPoint.X/Y/Z, Rotation, ScaleFactor, Name, hasAttribute, BlockType.
constexpr int32_t kInsertOtherKeys = 8;
// PatternName, PatternIsDoubled, PatternScale, PatternAngle.
constexpr int32_t kHatchOtherKeys = 4;

}  // namespace

HostHandle OutputEntAttribute(const EntityParams& params, int32_t sequence,
                              const clsEntityList& record) {
  // Every formula is worked out before the list reaches the host;
  // one that fails keeps its formula text as the value.
  for (const clsComputePtr& attribute : params.Collection())
    ComputeText(*attribute);
  auto attributes = NewHostObject<DbDictionary>();
  attributes.Clear();
  for (const clsComputePtr& attribute : params.Collection())
    attributes.Add(attribute->ParaValue, attribute->ParaName);
  return FinishObject(sequence, record, attributes);
}

HostHandle OutputObjBlockDefine(const EntityParams& params, int32_t sequence,
                                const clsEntityList& record) {
  std::string name = params.Literal("BlockName.S");
  bool hasAttribute = ToFlag(params.Literal("hasAttribute.S"));
  // The block's geometry went to the block folder when its
  // record was read; the host loads it from there by name.
  auto block = NewHostObject<DbBlockDefinition>();
  block.BlockName(name);
  block.hasAttribute(hasAttribute);
  return FinishObject(sequence, record, block);
}

HostHandle OutputEntInsert(const EntityParams& params, int32_t sequence,
                           const clsEntityList& record) {
  // An insertion point that names no computed point has no failure text
  // of its own: the box shows an empty text.
  Point3 insertion{};
  if (!params.TryPoint("InsertPoint", insertion)) throw SilentStop{};
  std::string name = params.Literal("Name.S");
  double rotation = ToReal(params.Reference("Rotation.S"));
  double scale = ToReal(params.Reference("ScaleFactor.S"));
  bool hasAttribute = ToFlag(params.Literal("hasAttribute.S"));
  auto insert = NewHostObject<DbBlockReference>();
  insert.InsertPoint(insertion);
  insert.Rotation(rotation);
  insert.ScaleFactor(scale);
  insert.BlockName(name);
  insert.hasAttribute(hasAttribute);
  insert.ClearAttributeIDs();
  for (int32_t id : params.EntityIDs(params.Count() - kInsertOtherKeys))
    insert.AddAttributeID(id);
  return Finish(sequence, record, insert);
}

HostHandle OutputEntGroup(const EntityParams& params, int32_t sequence,
                          const clsEntityList& record) {
  auto group = NewHostObject<DbGroup>();
  group.GroupName(record.EntityName);
  group.ClearEntityIDs();
  for (int32_t id : params.EntityIDs(params.Count()))
    group.AddEntityID(id);
  return FinishObject(sequence, record, group);
}

HostHandle OutputEntHatch(const EntityParams& params, int32_t sequence,
                          const clsEntityList& record) {
  std::string pattern = params.Literal("PatternName.S");
  double angle = ToReal(params.Literal("PatternAngle.S"));
  double scale = ToReal(params.Literal("PatternScale.S"));
  bool doubled = EqualsOne(params.Literal("PatternIsDoubled.S"));
  auto hatch = NewHostObject<DbHatch>();
  hatch.PatternName(pattern);
  hatch.PatternAngle(angle);
  hatch.PatternIsDoubled(doubled);
  hatch.PatternScale(scale);
  hatch.ClearOuterLoop();
  hatch.ClearInnerLoop();
  // The reader numbers the boundary entities across both loops and marks
  // those of the external loop with IsExpression 0.
  for (int32_t i = 1; i <= params.Count() - kHatchOtherKeys; ++i) {
    clsComputePtr boundary = params.Record("EntityID.E" + std::to_string(i));
    int32_t id = ToInt32(boundary->ParaValue);
    if (boundary->IsExpression == 0) {
      hatch.AddOuterLoopEntity(id);
    } else {
      hatch.AddInnerLoopEntity(id);
    }
  }
  return Finish(sequence, record, hatch);
}

}  // namespace qzdbs
