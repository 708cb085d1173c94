// One callable made of several lambdas, for std::visit over a variant: with
// no generic lambda among them, an alternative none of them takes is a
// compile error rather than a silent fall-through.
#pragma once

#include <type_traits>

namespace qzdbs {

template <typename... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <typename... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

// For a lambda that takes the rest of a variant's alternatives alike: true
// when T is one of those it names, so a new alternative stops the build.
template <typename T, typename... Named>
inline constexpr bool kOneOf = (std::is_same_v<std::remove_cvref_t<T>, Named> || ...);

}  // namespace qzdbs
