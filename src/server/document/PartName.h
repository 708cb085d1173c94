// Names that tell one size of a part from another: the part's designation
// ("Hexagon head bolt ISO 4014 - M12 x 60 - 8.8") for blocks and files.
#pragma once

#include <string>

#include "server/Document.h"

namespace qzdbs::server {

// The part's designation property (Designation, 标记 or 代号) when it has a
// value; else the part's name followed by the values of its input
// parameters, which differ from size to size.
std::string PartDesignation(const PartInfo& part);

}  // namespace qzdbs::server
