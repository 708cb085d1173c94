// The audit's check of the printed texts: a text whose box a line, an arc,
// an arrowhead or another text crosses cannot be read as the drafter meant
// it. Each such text is one finding, TEXT_OVERLAP, naming what crosses it.
// Hatch pattern lines and the insides of blocks are not looked at.
#pragma once

#include "server/Document.h"

namespace qzdbs::server {

void FindTextOverlaps(Document& document);

// How many texts of the view are crossed, as FindTextOverlaps counts them.
size_t CountTextOverlaps(const View& view, const Document& document);

}  // namespace qzdbs::server
