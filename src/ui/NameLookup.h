// Finding one of a list of named things (parts, views, parameters) from what
// a user typed: its exact name, its number, or a unique match ignoring
// letter case (or, where names are long, a unique part of the name). A
// failure names what was asked for and lists what there is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qzdbs::ui {

struct NamedItem {
  std::string name;
  std::optional<int32_t> id;  // a number that also names it (PartID, PartViewID)
};

class LookupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Match {
  Whole,     // the whole name, ignoring ASCII letter case
  Fragment,  // also any part of the name
};

// The index in `items` of the one item `query` names. Throws LookupError
// ("no view "X"; the views are: a, b") when none or several match; `what`
// is the kind of thing in the singular, `whats` in the plural.
size_t FindNamed(const std::vector<NamedItem>& items, const std::string& query, Match match,
                 const std::string& what, const std::string& whats);

}  // namespace qzdbs::ui
