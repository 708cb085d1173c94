// Synthetic parts for measuring the computation and the drawing pass: a long
// chain of structure parameters stored against their order of use, a part of
// many entities, and a part of typical size.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

namespace qzdbs::bench {

// Part 1: kChainLength structure parameters, each using the one stored after
// it, the last one given: the most passes the computation can need.
inline constexpr int32_t kChainPart = 1;
inline constexpr int32_t kChainLength = 200;
// Part 2: kManyEntities entities of the curve, text and dimension kinds in one view.
inline constexpr int32_t kManyEntitiesPart = 2;
inline constexpr int32_t kManyEntities = 200;
// Part 3: kTypicalParameters structure parameters and kTypicalEntities
// entities in two views.
inline constexpr int32_t kTypicalPart = 3;
inline constexpr int32_t kTypicalParameters = 50;
inline constexpr int32_t kTypicalEntities = 50;

// Parts for how the computation grows: for each size n, part
// kScaleChainPart + i holds a reverse chain of n structure parameters (like
// part 1) and part kScalePointsPart + i n points computed from one parameter.
inline constexpr std::array<int32_t, 4> kScaleSizes = {1000, 2000, 5000, 10000};
inline constexpr int32_t kScaleChainPart = 100;
inline constexpr int32_t kScalePointsPart = 200;

// Builds the library (schema plus the three parts) as a new file in `folder`.
std::filesystem::path BuildBenchLibrary(const std::filesystem::path& folder);

}  // namespace qzdbs::bench
