// Moving, turning, mirroring and scaling every kind of shape of the document,
// generated graphics included.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "server/Document.h"
#include "server/Geometry.h"

namespace qzdbs::server {

void TransformShape(Shape& shape, const Affine& map);
void TransformSketch(Sketch& sketch, const Affine& map);
// Texts are never drawn mirror-written: under a reflection a text keeps
// reading left to right and upright, and its alignment flips so that it
// covers the mirrored place of the original.
void TransformText(TextShape& text, const Affine& map);

// Where a block reference puts the block's own coordinates.
Affine InsertMap(const InsertShape& insert, const Point3& blockBase);

// The reference's attribute values that the block gives a place, each as a
// text in drawing coordinates with its tag; values without one are left out.
std::vector<std::pair<std::string, TextShape>> PlacedAttributes(const InsertShape& insert,
                                                                const BlockDefinition& block);

}  // namespace qzdbs::server
