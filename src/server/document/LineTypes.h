// The line types the drawing server knows, their dash patterns, and the
// line type scale that lets a short entity show its pattern.
#pragma once

#include <string>
#include <vector>

#include "server/Document.h"

namespace qzdbs::server {

struct LineTypePattern {
  std::string name;
  std::string description;
  std::vector<double> elements;  // dash, gap, dash, gap, ... in millimetres at scale 1
};

// CENTER (long dash, dot), DASHED, PHANTOM (long dash, two dots): the
// proportions of ISO 128-2 for 0.25 mm lines.
const std::vector<LineTypePattern>& LineTypePatterns();

// The elements of `lineType`; empty for a continuous line or one not known.
const std::vector<double>& DashPattern(const std::string& lineType);

// Gives every entity on a layer with a dash pattern the scale at which it
// shows at least two dashes with the pattern's gaps between them (at most 1):
// centre lines of small holes stay dash-dot instead of coming out solid.
void SetLineTypeScales(Document& document);

// The scale near `scale` at which a straight line of `length` starts and ends
// with a whole first dash and has the middle of a first dash at its middle,
// where two centre lines drawn through a centre cross; `scale` itself for a
// continuous line.
double FittedPatternScale(double length, const std::vector<double>& pattern, double scale);

}  // namespace qzdbs::server
