// Colour numbers (1 red, 2 yellow, 3 green, 4 cyan, 5 blue, 6 magenta, 7
// white-or-black, 8 and 9 greys, 10-249 hue rings, 250-255 greys) as the
// colours drawn on white paper: 7 and 255 print black, and colours too light
// to see on white are darkened.
#pragma once

#include <cstdint>

#include <QColor>

namespace qzdbs::server {

QColor ColorNumberRgb(int32_t number);  // as on a black screen
QColor PaperColor(int32_t number);

}  // namespace qzdbs::server
