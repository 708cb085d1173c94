// The studio's drawing: every part inserted so far as one document, each part
// where the user put it, so that the canvas and every saved file show the
// same drawing.
#pragma once

#include <vector>

#include "server/Document.h"
#include "server/Geometry.h"

namespace qzdbs::ui::qt {

// Each part moved by its own map. Layers and text styles are merged by name (the first part's
// settings win); a block name that an earlier part already uses gets a
// suffix in the later part, its references renamed with it. A part drawn as
// a block becomes a block definition of its own with one reference.
server::Document CombineParts(const std::vector<server::Document>& parts,
                              const std::vector<server::Affine>& maps);
// The parts side by side, `gap` apart (drawing units); the first stays where
// it was drawn.
server::Document CombineParts(const std::vector<server::Document>& parts, double gap);

}  // namespace qzdbs::ui::qt
