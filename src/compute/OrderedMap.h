// An insertion-ordered map from text keys to values with 1-based positional
// access: the store behind every keyed collection of the engine. Keys compare
// exactly, or without regard to ASCII letter case when asked.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace qzdbs {

inline std::string FoldCase(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return folded;
}

template <typename V, bool kIgnoreCase = false>
class OrderedMap {
 public:
  using Entry = std::pair<std::string, V>;

  // Adds at the end; false (and no change) when the key is already present.
  bool Insert(std::string key, V value) {
    std::string lookup = Normalize(key);
    if (index_.count(lookup) != 0) return false;
    index_.emplace(std::move(lookup), entries_.size());
    entries_.emplace_back(std::move(key), std::move(value));
    return true;
  }

  const V* Find(std::string_view key) const {
    auto it = index_.find(Normalize(key));
    return it == index_.end() ? nullptr : &entries_[it->second].second;
  }
  V* Find(std::string_view key) {
    auto it = index_.find(Normalize(key));
    return it == index_.end() ? nullptr : &entries_[it->second].second;
  }

  // 1-based position in insertion order; null outside 1..Count().
  const Entry* At(int64_t position) const {
    if (position < 1 || position > Count()) return nullptr;
    return &entries_[static_cast<size_t>(position - 1)];
  }

  bool Erase(std::string_view key) {
    auto it = index_.find(Normalize(key));
    if (it == index_.end()) return false;
    size_t at = it->second;
    index_.erase(it);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
    for (auto& [unused, position] : index_) {
      if (position > at) --position;
    }
    return true;
  }

  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }
  void Clear() {
    entries_.clear();
    index_.clear();
  }

  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  static std::string Normalize(std::string_view key) {
    if constexpr (kIgnoreCase) {
      return FoldCase(key);
    } else {
      return std::string(key);
    }
  }

  std::vector<Entry> entries_;
  std::unordered_map<std::string, size_t> index_;
};

}  // namespace qzdbs
