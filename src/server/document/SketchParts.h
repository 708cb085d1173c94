// Pieces that dimensions and leaders draw alike: arrowheads, texts that stay
// readable, frames around texts.
#pragma once

#include "server/Document.h"
#include "server/Geometry.h"

namespace qzdbs::server {

// Arrowhead kinds: 0 closed and filled (GB/T 4458.4, length six line widths,
// a third as wide), 1 an oblique stroke, 2 open.
void AddArrow(Sketch& sketch, const Point3& tip, const Point3& direction, double size, int kind);

// An angle turned by half a turn when the text would otherwise not read from
// the bottom or the right of the sheet (ISO 129-1): the result lies in
// (-60, 120], so a text along a line within 30 degrees of the vertical that
// leans left reads upwards, not from the left.
double ReadableAngle(double degrees);

TextShape MakeText(const RichText& runs, const Point3& position, double rotation, int attachment,
                   double height);

// A rectangle round a text, margin away from its box.
void AddFrame(Sketch& sketch, const TextShape& text, double margin);

}  // namespace qzdbs::server
