// How much room a text takes, as the document lays texts out: the same
// numbers place dimension texts, draw text frames and hook lines, and size the
// drawing, so every exporter sees one layout. The renderer draws with a font
// whose em is kEmPerHeight text heights, so capitals stand one text height
// tall and the estimates below match what it draws.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "server/Document.h"

namespace qzdbs::server {

constexpr double kEmPerHeight = 1.3;
// Line pitch of a multiline text, in text heights, at line spacing factor 1.
constexpr double kLinePitch = 5.0 / 3.0;
// Stacked deviations are written smaller than the size they follow.
constexpr double kStackScale = 0.7;

double TextWidth(std::string_view utf8, double height, double widthFactor = 1);
double RunsWidth(const RichText& runs, double height, double widthFactor = 1);

// The lines of a text: runs split at '\n'.
std::vector<RichText> SplitLines(const RichText& runs);

// Plain text of runs, stacks written as upper/lower.
std::string PlainText(const RichText& runs);

// The text's box in its own frame (x along the text, y up, origin at
// position): min x, min y, max x, max y.
std::array<double, 4> LocalTextBox(const TextShape& text);

// The box's corners in drawing coordinates, counter-clockwise from the
// bottom left.
std::array<Point3, 4> TextCorners(const TextShape& text);

// The corners of a box no smaller than what a CAD program draws the text in,
// whatever font it puts in for ours: a character up to one text height wide
// (spaces too), a stack written out in a row by a reader that does not stack,
// and a third of the height more above and below (descenders, and readers
// that stand a line's whole height on its attachment point). A DXF's extents
// hold these.
std::array<Point3, 4> CadTextCorners(const TextShape& text);

}  // namespace qzdbs::server
