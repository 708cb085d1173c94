// Drawing a finished document with Qt's painter: the one drawing routine
// behind the SVG, PNG and PDF exports and the studio's preview. White paper,
// black for colour 7, line weights from the layers, dash patterns for centre
// and hidden lines, Chinese text in Noto Sans CJK.
#pragma once

#include <QRectF>

#include "server/Document.h"

class QPainter;

namespace qzdbs::server {

struct RenderOptions {
  // Draw the layers that do not print (auxiliary entities) too.
  bool showNonPrinting = false;
  // Margin round the drawing, in drawing units.
  double margin = 5.0;
};

// The part of the drawing plane Render shows: the extents of what is drawn
// plus the margin, in drawing units (Y up). A document with nothing to draw
// gives a small square round the origin.
QRectF DrawingBounds(const Document& document, const RenderOptions& options = {});

// Draws the document into target (painter coordinates), scaled to fit and
// centred, Y up, on a white background.
void Render(const Document& document, QPainter& painter, const QRectF& target,
            const RenderOptions& options = {});

}  // namespace qzdbs::server
