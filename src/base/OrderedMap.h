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
      dead_.push_back(false);
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

  // 1-based position in insertion order; null outside 1..Count(). Walking
  // the positions upwards costs O(1) a step, erasures in between included.
  const Entry* At(int64_t position) const {
    if (position < 1 || position > Count()) return nullptr;
    if (deadCount_ == 0) return &entries_[static_cast<size_t>(position - 1)];
    return &entries_[SlotOf(static_cast<size_t>(position - 1))];
  }

  // O(1) amortised: a large map only marks the entry and sweeps the marked
  // ones out once they are as many as the live ones.
  bool Erase(std::string_view key) {
    std::optional<size_t> at = Locate(key);
    if (!at) return false;
    if (!indexed_) {
      entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*at));
      return true;
    }
    index_.erase(index_.find(key));
    dead_[*at] = true;
    ++deadCount_;
    if (*at < cursorSlot_) --cursorAliveBefore_;
    if (deadCount_ > entries_.size() - deadCount_) Compact();
    return true;
  }

  void Reserve(size_t count) { entries_.reserve(count); }

  int32_t Count() const { return static_cast<int32_t>(entries_.size() - deadCount_); }
  bool Empty() const { return Count() == 0; }
  void Clear() {
    entries_.clear();
    index_.clear();
    dead_.clear();
    deadCount_ = 0;
    indexed_ = false;
    cursorSlot_ = cursorAliveBefore_ = 0;
  }

  auto begin() const {
    Compact();
    return entries_.begin();
  }
  auto end() const {
    Compact();
    return entries_.end();
  }

  // Iterates the values (not the keys) in insertion order: the collections
  // built on the map hand out their records this way.
  class ValueIterator {
   public:
    explicit ValueIterator(typename std::vector<Entry>::const_iterator at) : at_(at) {}
    const V& operator*() const { return at_->second; }
    ValueIterator& operator++() {
      ++at_;
      return *this;
    }
    bool operator!=(const ValueIterator& other) const { return at_ != other.at_; }

   private:
    typename std::vector<Entry>::const_iterator at_;
  };
  ValueIterator ValuesBegin() const { return ValueIterator(begin()); }
  ValueIterator ValuesEnd() const { return ValueIterator(end()); }

  // Hands every value to `change` in place, keys and positions untouched.
  template <typename F>
  void ChangeValues(F change) {
    for (Entry& entry : entries_)
      change(entry.second);
  }

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

  void BuildIndex() const {
    index_.clear();
    index_.reserve(entries_.size() * 2);
    for (size_t i = 0; i < entries_.size(); ++i)
      index_.emplace(entries_[i].first, i);
    dead_.assign(entries_.size(), false);
    indexed_ = true;
  }

  // The slot of the live entry with `alive` live ones before it, found from
  // the cursor of the last look-up: a walk upwards passes each slot once.
  size_t SlotOf(size_t alive) const {
    if (alive < cursorAliveBefore_) cursorSlot_ = cursorAliveBefore_ = 0;
    for (;; ++cursorSlot_) {
      if (dead_[cursorSlot_]) continue;
      if (cursorAliveBefore_ == alive) return cursorSlot_;
      ++cursorAliveBefore_;
    }
  }

  // Sweeps the erased entries out and renumbers the index, once.
  void Compact() const {
    if (deadCount_ == 0) return;
    size_t kept = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
      if (dead_[i]) continue;
      if (kept != i) entries_[kept] = std::move(entries_[i]);
      ++kept;
    }
    entries_.resize(kept);
    deadCount_ = 0;
    cursorSlot_ = cursorAliveBefore_ = 0;
    BuildIndex();
  }

  using Hash = std::conditional_t<kIgnoreCase, FoldedKeyHash, ExactKeyHash>;
  using Equal = std::conditional_t<kIgnoreCase, FoldedKeyEqual, std::equal_to<>>;

  // Erased entries of an indexed map stay in their slots, marked dead, until
  // the sweep; iteration sweeps first, so it only ever sees live entries.
  mutable std::vector<Entry> entries_;
  mutable std::unordered_map<std::string, size_t, Hash, Equal> index_;
  mutable std::vector<bool> dead_;
  mutable size_t deadCount_ = 0;
  mutable bool indexed_ = false;
  // The cursor of SlotOf: a slot and how many live entries lie before it.
  mutable size_t cursorSlot_ = 0;
  mutable size_t cursorAliveBefore_ = 0;
};

}  // namespace qzdbs
