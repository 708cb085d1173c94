// The document's audit before anything is written: each broken thing becomes
// a finding with a code (server/AuditCode.h), the entity it concerns and
// whether it was mended (kept, repaired) or left out.
#pragma once

#include <functional>

#include "server/Document.h"

namespace qzdbs::server {

void AuditDocument(Document& document);

// Reports every name that the DXF file cannot hold as it is (layers, text
// styles, blocks, attribute tags, groups): run once the layer table is made.
void AuditNames(Document& document);

// Drops the entities of the views the predicate picks, keeping groups'
// member references right.
void RemoveEntities(Document& document,
                    const std::function<bool(const Entity&, const EntityRef&)>& remove);

}  // namespace qzdbs::server
