// Writing the document's entities as DXF entities: LINE, CIRCLE, ARC,
// ELLIPSE, LWPOLYLINE, POLYLINE (3D), TEXT, MTEXT, SOLID, HATCH with its
// boundary and pattern lines, DIMENSION with the name of its block, LEADER,
// INSERT with ATTRIB. dxflib writes what it writes completely; the rest goes
// through its writer primitives.
#pragma once

#include <map>
#include <string>

#include "server/Document.h"
#include "server/dxf/DxfStream.h"

namespace qzdbs::server {

// The text of a multiline text in its own codes: stacks as \S upper^lower;
// line breaks as \P, and backslashes and braces escaped.
std::string MTextCodes(const RichText& runs);

class DxfEntityWriter {
 public:
  DxfEntityWriter(DxfStream& out, DL_Dxf& dxf, const Document& document)
      : out_(out), dxf_(dxf), document_(document) {}

  // The anonymous block that holds each dimension's graphics ("*D1" ...).
  void SetDimensionBlocks(std::map<const Entity*, std::string> blocks) {
    dimensionBlocks_ = std::move(blocks);
  }

  // Writes an entity; returns the handle of what was written (0: nothing).
  unsigned long Write(const Entity& entity);
  // Writes generated graphics as plain entities (inside a dimension's block).
  void WriteSketch(const Sketch& sketch, const DxfStyle& style);

 private:
  unsigned long Shape(const qzdbs::server::Shape& shape, const DxfStyle& style,
                      const Entity* owner);
  unsigned long Polyline(const PolylineShape& p, const DxfStyle& style);
  unsigned long Polyline3d(const PolylineShape& p, const DxfStyle& style);
  unsigned long Text(const TextShape& t, const DxfStyle& style);
  unsigned long MText(const TextShape& t, const DxfStyle& style);
  unsigned long Solid(const SolidShape& s, const DxfStyle& style);
  unsigned long Hatch(const HatchShape& h, const DxfStyle& style);
  unsigned long Dimension(const DimensionShape& d, const DxfStyle& style, const std::string& block);
  unsigned long Leader(const LeaderShape& l, const DxfStyle& style);
  unsigned long Insert(const InsertShape& i, const DxfStyle& style);

  DxfStream& out_;
  DL_Dxf& dxf_;
  const Document& document_;
  std::map<const Entity*, std::string> dimensionBlocks_;
};

}  // namespace qzdbs::server
