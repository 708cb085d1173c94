// Entity type code -> the builder that hands that entity to the host view.
#pragma once

#include <cstdint>

namespace qzdbs {

struct clsEntityList;

// A builder takes the entity's sequence number in its view and its record;
// true when its object reached the host view.
using Builder = bool (*)(int32_t sequence, const clsEntityList& record);

// The builder of a type code 1..26; null for any other code.
Builder BuilderFor(int32_t entityType);

}  // namespace qzdbs
