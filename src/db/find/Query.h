// What a user typed into the search, taken apart: standard numbers, a thread
// size with its length, designations such as bearing codes, bare numbers,
// NAME=VALUE pairs and the remaining words.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qzdbs::find {

struct ThreadSize {
  std::string nominal;  // "m12"
  std::string pitch;    // "1.5" for a fine thread, else empty
  std::optional<double> length;
};

struct Assignment {
  std::string name;  // as typed: "d" and "D" are different parameters
  std::string value;
};

struct Query {
  std::vector<std::string> standards;  // keys of FindStandards
  std::optional<ThreadSize> thread;
  std::vector<std::string> codes;  // lower case without blanks: "6204-2rs", "dn50"
  std::vector<double> numbers;
  std::vector<Assignment> assignments;
  std::vector<std::string> words;  // lower case; Chinese runs whole

  bool Empty() const {
    return standards.empty() && !thread && codes.empty() && numbers.empty() &&
           assignments.empty() && words.empty();
  }
};

Query ParseQuery(std::string_view typed);

}  // namespace qzdbs::find
