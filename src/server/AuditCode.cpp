#include "server/AuditCode.h"

#include <array>

namespace qzdbs::server {

namespace {

using enum AuditCode;

constexpr std::array kCodes{
    AuditCodeDef{Nonfinite, "NONFINITE", "a coordinate that is not a number", "left out"},
    AuditCodeDef{Magnitude, "MAGNITUDE",
                 "a coordinate or size beyond ±1e9 mm after transforms and dimension graphics",
                 "left out"},
    AuditCodeDef{ControlCharacter, "CONTROL_CHARACTER", "control characters in a text or name",
                 "replaced: \"_\" in a name, a space in a text"},
    AuditCodeDef{ZeroRadius, "ZERO_RADIUS", "a circle or arc without radius", "left out"},
    AuditCodeDef{EmptyPolyline, "EMPTY_POLYLINE", "fewer than two vertices", "left out"},
    AuditCodeDef{PolylineVertices, "POLYLINE_VERTICES",
                 "more than 100,000 vertices in a polyline or 1,000,000 in a part", "left out"},
    AuditCodeDef{EmptyHatch, "EMPTY_HATCH", "a hatch without boundary", "left out"},
    AuditCodeDef{LayerEmpty, "LAYER_EMPTY", "no layer name", "put on \"0\""},
    AuditCodeDef{ColorRange, "COLOR_RANGE", "a colour outside 0..256", "by layer"},
    AuditCodeDef{UnknownId, "UNKNOWN_ID", "an identifier that names nothing", "skipped"},
    AuditCodeDef{UnknownClass, "UNKNOWN_CLASS", "an object of a class the server does not draw",
                 "not drawn"},
    AuditCodeDef{Transform, "TRANSFORM",
                 "a transform without a usable map, or arrays passing a part's limits",
                 "nothing moves"},
    AuditCodeDef{DimDegenerate, "DIM_DEGENERATE", "a dimension whose points give no measurement",
                 "draws nothing"},
    AuditCodeDef{Tolerance, "TOLERANCE", "a tolerance code ISO 286 does not know",
                 "stored deviations shown"},
    AuditCodeDef{HatchBoundary, "HATCH_BOUNDARY", "a boundary entity that bounds nothing",
                 "skipped"},
    AuditCodeDef{HatchOpenLoop, "HATCH_OPEN_LOOP", "a boundary that does not close",
                 "closed by a straight segment"},
    AuditCodeDef{HatchNoOuter, "HATCH_NO_OUTER", "inner loops without an outer one",
                 "filled by odd parity"},
    AuditCodeDef{HatchPattern, "HATCH_PATTERN", "a pattern name the server does not know",
                 "drawn as ANSI31"},
    AuditCodeDef{HatchDense, "HATCH_DENSE", "a pattern too fine for its area",
                 "its lines left out"},
    AuditCodeDef{BlockFile, "BLOCK_FILE", "a block drawing missing or unreadable",
                 "a marker stands for it"},
    AuditCodeDef{BlockUndefined, "BLOCK_UNDEFINED", "a reference to a block never defined",
                 "a marker stands for it"},
    AuditCodeDef{LeaderShort, "LEADER_SHORT", "a leader with fewer than two vertices",
                 "draws nothing"},
    AuditCodeDef{GroupInBlock, "GROUP_IN_BLOCK", "groups of a part made a block",
                 "not written as groups"},
    AuditCodeDef{DxfName, "DXF_NAME", "a name a DXF file cannot hold as it is",
                 "written with \"_\" for it"},
    AuditCodeDef{TextOverlap, "TEXT_OVERLAP",
                 "a printed text crossed by a line, an arc, an arrowhead or another text", "kept"},
};

constexpr bool InEnumOrder() {
  for (size_t i = 0; i < kCodes.size(); ++i) {
    if (static_cast<size_t>(kCodes[i].code) != i) return false;
  }
  return true;
}
static_assert(InEnumOrder(), "one row per code, in the order of the enum");

}  // namespace

std::span<const AuditCodeDef> AuditCodes() {
  return kCodes;
}

std::string_view AuditCodeName(AuditCode code) {
  return kCodes[static_cast<size_t>(code)].name;
}

}  // namespace qzdbs::server
