#include "output/BuilderTable.h"

#include <array>
#include <cstddef>

#include "output/builders/Builders.h"

namespace qzdbs {

namespace {

constexpr std::array<Builder, 27> kBuilders = {
    nullptr,
    OutputEntLine,              // 1
    OutputEntCircle,            // 2
    OutputEntArc,               // 3
    OutputEntEllipse,           // 4
    OutputEntLWPline,           // 5
    OutputEnt3dPolyline,        // 6
    OutputEntText,              // 7
    OutputEntMText,             // 8
    OutputEntAttribute,         // 9
    OutputObjBlockDefine,       // 10
    OutputEntInsert,            // 11
    OutputEntGroup,             // 12
    OutputEntHatch,             // 13
    OutputEntDimLeader,         // 14
    OutputEntDimRotated,        // 15
    OutputEntDimAligned,        // 16
    OutputEntDimDiametric,      // 17
    OutputEntDimRadial,         // 18
    OutputEntDim3PointAngular,  // 19
    OutputEntDim2LineAngular,   // 20
    OutputEntDimOrdinate,       // 21
    OutputTransMove,            // 22
    OutputTransPolarArray,      // 23
    OutputTransRectArray,       // 24
    OutputTransRotate,          // 25
    OutputTransMirror,          // 26
};

}  // namespace

Builder BuilderFor(int32_t entityType) {
  if (entityType < 1 || entityType >= static_cast<int32_t>(kBuilders.size())) return nullptr;
  return kBuilders[static_cast<size_t>(entityType)];
}

}  // namespace qzdbs
