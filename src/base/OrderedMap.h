// An insertion-ordered map from text keys to values with 1-based positional
// access: the store behind every keyed collection of the engine. Keys compare
// exactly, or without regard to ASCII letter case when asked.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/Utf8.h"

namespace qzdbs {

// Only ASCII letters fold: the bytes of other characters (UTF-8 names)
// compare as they are, whatever the process's locale.
inline std::string FoldCase(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldAscii);
  return folded;
}

// Hash and equality for an index that is looked up with any string view, so a
// lookup allocates nothing; the folded pair ignores ASCII letter case.
struct ExactKeyHash {
  using is_transparent = void;
  size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
};

struct FoldedKeyHash {
  using is_transparent = void;
  size_t operator()(std::string_view key) const {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (char c : key)
      hash = (hash ^ static_cast<unsigned char>(FoldAscii(c))) * 1099511628211ull;
    return static_cast<size_t>(hash);
  }
};

struct FoldedKeyEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return EqualsIgnoringCase(a, b); }
};

template <typename V, bool kIgnoreCase = false>
class OrderedMap {
 public:
  using Entry = std::pair<std::string, V>;

  // Adds at the end; false (and no change) when the key is already present.
  bool Insert(std::string key, V value) {
    if (Locate(key)) return false;
    entries_.emplace_back(std::move(key), std::move(value));
    if (indexed_) {
      index_.emplace(entries_.back().first, entries_.size() - 1);
    } else if (entries_.size() > kLinearLimit) {
      BuildIndex();
    }
    return true;
  }

  const V* Find(std::string_view key) const {
    std::optional<size_t> at = Locate(key);
    return at ? &entries_[*at].second : nullptr;
  }
  V* Find(std::string_view key) {
    std::optional<size_t> at = Locate(key);
    return at ? &entries_[*at].second : nullptr;
  }

  // 1-based position in insertion order; null outside 1..Count().
  const Entry* At(int64_t position) const {
    if (position < 1 || position > Count()) return nullptr;
    return &entries_[static_cast<size_t>(position - 1)];
  }

  bool Erase(std::string_view key) {
    std::optional<size_t> at = Locate(key);
    if (!at) return false;
    if (indexed_) {
      index_.erase(index_.find(key));
      for (auto& [unused, position] : index_) {
        if (position > *at) --position;
      }
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*at));
    return true;
  }

  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }
  void Clear() {
    entries_.clear();
    index_.clear();
    indexed_ = false;
  }

  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  // Most collections hold a handful of records (the members of one entity,
  // the parameters it reads): those are searched in order, which costs less
  // than hashing and allocates nothing; larger ones get a hash index.
  static constexpr size_t kLinearLimit = 16;

  std::optional<size_t> Locate(std::string_view key) const {
    if (indexed_) {
      auto it = index_.find(key);
      if (it == index_.end()) return std::nullopt;
      return it->second;
    }
    for (size_t i = 0; i < entries_.size(); ++i) {
      if (Equal{}(entries_[i].first, key)) return i;
    }
    return std::nullopt;
  }

  void BuildIndex() {
    index_.reserve(entries_.size() * 2);
    for (size_t i = 0; i < entries_.size(); ++i)
      index_.emplace(entries_[i].first, i);
    indexed_ = true;
  }

  using Hash = std::conditional_t<kIgnoreCase, FoldedKeyHash, ExactKeyHash>;
  using Equal = std::conditional_t<kIgnoreCase, FoldedKeyEqual, std::equal_to<>>;

  std::vector<Entry> entries_;
  std::unordered_map<std::string, size_t, Hash, Equal> index_;
  bool indexed_ = false;
};

}  // namespace qzdbs
