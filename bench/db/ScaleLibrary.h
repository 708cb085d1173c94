// A synthetic part library of any size, for measuring how the readers scale:
// every part has 10 input parameters, 20 value rows, 2 views, 30 structure
// parameters, 40 points and 50 entities of every type in turn.
#pragma once

#include <cstdint>
#include <filesystem>

namespace qzdbs::bench {

inline constexpr int32_t kEntitiesPerPart = 50;

// The library of `parts` parts in `folder`, built on first use and kept for
// later runs. Parts are numbered from 1.
std::filesystem::path EnsureScaleLibrary(const std::filesystem::path& folder, int32_t parts);

}  // namespace qzdbs::bench
