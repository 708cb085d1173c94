// Standards that describe the same product: a GB/T standard and its ISO or
// DIN counterpart, so that a part named by one is found by the other.
#pragma once

#include <string>
#include <vector>

namespace qzdbs::find {

// The standards reachable from `key` ("gb 5782") through the twin table,
// `key` itself left out, as keys of FindStandards.
std::vector<std::string> TwinsOf(const std::string& key);

}  // namespace qzdbs::find
