// Hatches: boundary loops from the entities a hatch names, pattern families
// by name, and the pattern lines clipped to the region (inside the outer
// loops and outside the inner ones, by odd parity).
#pragma once

#include <string>
#include <vector>

#include "server/Document.h"

namespace qzdbs::server {

// A path along a boundary entity: vertices and the bulge of each segment.
struct BoundaryPiece {
  std::vector<Point3> vertices;
  std::vector<double> bulges;  // one per segment: vertices.size() - 1
};

// The piece a curve entity contributes; false for shapes that bound nothing
// (texts, dimensions ...).
bool BoundaryPieceOf(const Shape& shape, BoundaryPiece& piece);

// Joins pieces end to end into closed loops. A chain that does not close is
// closed by a straight segment and counted in openChains.
std::vector<BoundaryLoop> ChainLoops(std::vector<BoundaryPiece> pieces, bool outer,
                                     int& openChains);

// The loop's path as a polygon, arcs divided finely enough to draw.
std::vector<Point3> FlattenLoop(const BoundaryLoop& loop);

// Pattern families of a named pattern (SOLID, ANSI31, ANSI37, LINE, NET, and
// the sample library's HATCH45 and CROSS90) at a scale and angle. False for a
// name it does not know; the families are then ANSI31's.
bool PatternFamilies(const std::string& name, double scale, double angle, bool doubled,
                     std::vector<PatternFamily>& families);

// Fills hatch.families and hatch.fill from its pattern and loops. Returns
// false when the pattern is unknown (drawn as ANSI31).
bool CompleteHatch(HatchShape& hatch, std::vector<Finding>& findings, const std::string& where);

}  // namespace qzdbs::server
