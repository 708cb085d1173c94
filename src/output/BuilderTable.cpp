#include "output/BuilderTable.h"

#include <array>

#include "output/builders/Builders.h"

namespace qzdbs {

namespace {

using E = EntityType;

struct BuilderDef {
  EntityType type;
  BuildBody body;
  WhenUnreadable unreadable = WhenUnreadable::Fail;
};

constexpr std::array kBuilders{
    BuilderDef{E::Line, OutputEntLine, WhenUnreadable::ReturnFalseQuietly},
    BuilderDef{E::Circle, OutputEntCircle},
    BuilderDef{E::Arc, OutputEntArc},
    BuilderDef{E::Ellipse, OutputEntEllipse},
    BuilderDef{E::Polyline, OutputEntLWPline},
    BuilderDef{E::Polyline3d, OutputEnt3dPolyline},
    BuilderDef{E::Text, OutputEntText},
    BuilderDef{E::MText, OutputEntMText},
    BuilderDef{E::Attribute, OutputEntAttribute},
    BuilderDef{E::BlockDefinition, OutputObjBlockDefine},
    BuilderDef{E::BlockReference, OutputEntInsert},
    BuilderDef{E::Group, OutputEntGroup},
    BuilderDef{E::Hatch, OutputEntHatch},
    BuilderDef{E::Leader, OutputEntDimLeader},
    BuilderDef{E::DimRotated, OutputEntDimRotated},
    BuilderDef{E::DimAligned, OutputEntDimAligned},
    BuilderDef{E::DimDiametric, OutputEntDimDiametric},
    BuilderDef{E::DimRadial, OutputEntDimRadial},
    BuilderDef{E::Dim3PointAngular, OutputEntDim3PointAngular},
    BuilderDef{E::Dim2LineAngular, OutputEntDim2LineAngular},
    BuilderDef{E::DimOrdinate, OutputEntDimOrdinate},
    BuilderDef{E::Move, OutputTransMove},
    BuilderDef{E::PolarArray, OutputTransPolarArray},
    BuilderDef{E::RectArray, OutputTransRectArray},
    BuilderDef{E::Rotate, OutputTransRotate},
    BuilderDef{E::Mirror, OutputTransMirror},
};

const BuilderDef* FindBuilder(int32_t type) {
  for (const BuilderDef& builder : kBuilders) {
    if (static_cast<int32_t>(builder.type) == type) return &builder;
  }
  return nullptr;
}

}  // namespace

bool BuildEntity(int32_t type, int32_t sequence, const clsEntityList& record) {
  const EntityTypeDef* def = FindEntityType(type);
  const BuilderDef* builder = FindBuilder(type);
  if (!def || !builder) return false;
  return RunBuilder(def->builder, type, sequence, record, builder->body, builder->unreadable);
}

}  // namespace qzdbs
