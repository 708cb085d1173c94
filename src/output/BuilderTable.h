// Entity type -> the builder that hands that entity to the host view. The
// codes and names are db's (db/EntityTypeDef.h); this floor attaches the
// builders.
#pragma once

#include <cstdint>

#include "db/EntityTypeDef.h"

namespace qzdbs {

struct clsEntityList;

// Runs the builder of the type with the entity's sequence number in its view
// and its record: true when its object reached the host view, false when it
// failed (shown in a message box) or the type has no builder.
bool BuildEntity(int32_t type, int32_t sequence, const clsEntityList& record);
inline bool BuildEntity(EntityType type, int32_t sequence, const clsEntityList& record) {
  return BuildEntity(static_cast<int32_t>(type), sequence, record);
}

}  // namespace qzdbs
