// The codes of the document's audit, one enum, and the one table of their
// names, what each means and what the document does about it.
// docs/drawing-server.md shows the same table; a server test holds the two
// equal.
#pragma once

#include <span>
#include <string_view>

namespace qzdbs::server {

enum class AuditCode {
  Nonfinite,
  Magnitude,
  ControlCharacter,
  ZeroRadius,
  EmptyPolyline,
  PolylineVertices,
  EmptyHatch,
  LayerEmpty,
  ColorRange,
  UnknownId,
  UnknownClass,
  Transform,
  DimDegenerate,
  Tolerance,
  HatchBoundary,
  HatchOpenLoop,
  HatchNoOuter,
  HatchPattern,
  HatchDense,
  BlockFile,
  BlockUndefined,
  LeaderShort,
  GroupInBlock,
  DxfName,
  TextOverlap,
};

struct AuditCodeDef {
  AuditCode code;
  std::string_view name;     // as the JSON export and the documentation write it
  std::string_view meaning;  // what is wrong
  std::string_view outcome;  // what the document does about it
};

// Every code once, in the order of the enum.
std::span<const AuditCodeDef> AuditCodes();

std::string_view AuditCodeName(AuditCode code);

}  // namespace qzdbs::server
