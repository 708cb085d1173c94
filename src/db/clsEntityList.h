// An entity of a part as the drawing pass walks it, and the entity type codes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "state/colCompute.h"

namespace qzdbs {

// The EntityType column of the entity table. Dimensions (15..21) also have a
// common style and text record read under code 27.
enum EntityTypeCode : int32_t {
  kEntLine = 1,
  kEntCircle = 2,
  kEntArc = 3,
  kEntEllipse = 4,
  kEnt2dPolyline = 5,
  kEnt3dPolyline = 6,
  kEntText = 7,
  kEntMText = 8,
  kEntAttribute = 9,
  kEntBlockDefine = 10,
  kEntBlockReference = 11,
  kEntGroup = 12,
  kEntHatch = 13,
  kEntDimLeader = 14,
  kEntDimRotated = 15,
  kEntDimAligned = 16,
  kEntDimDiametric = 17,
  kEntDimRadial = 18,
  kEntDim3PointAngular = 19,
  kEntDim2LineAngular = 20,
  kEntDimOrdinate = 21,
  kTransMove = 22,
  kTransPolarArray = 23,
  kTransRectArray = 24,
  kTransRotate = 25,
  kTransMirror = 26,
  kEntDimCommon = 27,
};

struct clsEntityList {
  bool IsMatchProp = false;
  std::string EntityFilter;  // filter formula; the entity is skipped when it is false
  int32_t Color = 0;
  bool Visible = false;
  int32_t LayerID = 0;
  bool IsAssist = false;
  std::string EntityName;
  std::shared_ptr<colCompute> EntityPara;
  std::string XKey;  // "X" & EntityID
  int32_t TagLong = 0;
  std::string TagStr;
  int32_t EntityType = 0;
  int32_t EntityID = 0;
};

using clsEntityListPtr = std::shared_ptr<clsEntityList>;

}  // namespace qzdbs
