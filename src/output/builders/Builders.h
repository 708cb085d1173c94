// Every builder's body: one per entity and transform type. Each makes the host
// object of one entity from its parameters; output/BuilderTable.cpp attaches
// them to the type codes and runs them in the frame of output/BuilderRun.h.
#pragma once

#include "output/BuilderRun.h"

namespace qzdbs {

#define QZDBS_BUILDER(Name) \
  HostHandle Name(const EntityParams& params, int32_t sequence, const clsEntityList& record);

// Curves.
QZDBS_BUILDER(OutputEntLine)
QZDBS_BUILDER(OutputEntCircle)
QZDBS_BUILDER(OutputEntArc)
QZDBS_BUILDER(OutputEntEllipse)
QZDBS_BUILDER(OutputEntLWPline)
QZDBS_BUILDER(OutputEnt3dPolyline)
// Texts.
QZDBS_BUILDER(OutputEntText)
QZDBS_BUILDER(OutputEntMText)
// Blocks, groups, hatches, attributes.
QZDBS_BUILDER(OutputEntAttribute)
QZDBS_BUILDER(OutputObjBlockDefine)
QZDBS_BUILDER(OutputEntInsert)
QZDBS_BUILDER(OutputEntGroup)
QZDBS_BUILDER(OutputEntHatch)
// Dimensions and leaders.
QZDBS_BUILDER(OutputEntDimLeader)
QZDBS_BUILDER(OutputEntDimRotated)
QZDBS_BUILDER(OutputEntDimAligned)
QZDBS_BUILDER(OutputEntDimDiametric)
QZDBS_BUILDER(OutputEntDimRadial)
QZDBS_BUILDER(OutputEntDim3PointAngular)
QZDBS_BUILDER(OutputEntDim2LineAngular)
QZDBS_BUILDER(OutputEntDimOrdinate)
// Transforms.
QZDBS_BUILDER(OutputTransMove)
QZDBS_BUILDER(OutputTransPolarArray)
QZDBS_BUILDER(OutputTransRectArray)
QZDBS_BUILDER(OutputTransRotate)
QZDBS_BUILDER(OutputTransMirror)

#undef QZDBS_BUILDER

}  // namespace qzdbs
