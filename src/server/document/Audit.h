// The document's audit before anything is written: each broken thing becomes
// a finding with a code, the entity it concerns and whether it was mended
// (kept, repaired) or left out.
//
// Codes: NONFINITE (a coordinate that is not a number: left out), MAGNITUDE
// (a coordinate or size beyond ±1e9 mm, checked after transforms and
// dimension graphics: left out), CONTROL_CHARACTER (control characters in a
// text or name: replaced, see ControlCharacters.h), ZERO_RADIUS
// (a circle or arc without radius: left out), EMPTY_POLYLINE (fewer than two
// vertices: left out), EMPTY_HATCH (no boundary: left out), LAYER_EMPTY (no
// layer name: put on "0"), COLOR_RANGE (a colour outside 0..256: by layer).
#pragma once

#include <functional>

#include "server/Document.h"

namespace qzdbs::server {

void AuditDocument(Document& document);

// Drops the entities of the views the predicate picks, keeping groups'
// member references right.
void RemoveEntities(Document& document,
                    const std::function<bool(const Entity&, const EntityRef&)>& remove);

}  // namespace qzdbs::server
