// The common body of the record collections (input parameters, views,
// entities): records shared by reference, kept in insertion order under their
// XKey, found by a 1-based position or by key. A missing position or key is a
// failure that reaches the caller.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/EngineError.h"
#include "base/OrderedMap.h"

namespace qzdbs {

// The description the platform's collections give for a key already present.
inline constexpr const char* kDuplicateKeyText = "此键已经与该集合的一个元素相关联";
// ... and for a key or position that is not there.
inline constexpr const char* kMissingItemText = "无效的过程调用或参数";

template <typename Record>
class KeyedList {
 public:
  using Ptr = std::shared_ptr<Record>;

  const Ptr& Item(int32_t position) const {
    const auto* entry = store_.At(position);
    if (!entry) throw EngineError(std::string(kMissingItemText) + ": " + std::to_string(position));
    return entry->second;
  }
  const Ptr& Item(std::string_view key) const {
    const Ptr* found = store_.Find(key);
    if (!found) throw EngineError(std::string(kMissingItemText) + ": \"" + std::string(key) + "\"");
    return *found;
  }
  bool Contains(std::string_view key) const { return store_.Find(key) != nullptr; }

  int32_t Count() const { return store_.Count(); }

  void Remove(int32_t position) {
    std::string key = Item(position)->XKey;
    store_.Erase(key);
  }
  void Remove(std::string_view key) {
    Item(key);
    store_.Erase(key);
  }

  void Clear() { store_.Clear(); }

  // Iterates the records (not the keys) in insertion order.
  using Iterator = typename OrderedMap<Ptr>::ValueIterator;
  Iterator begin() const { return store_.ValuesBegin(); }
  Iterator end() const { return store_.ValuesEnd(); }

 protected:
  // Stores the record under its XKey; throws EngineError when the key exists,
  // leaving the list unchanged.
  void Insert(Ptr record) {
    std::string key = record->XKey;
    if (!store_.Insert(std::move(key), std::move(record))) throw EngineError(kDuplicateKeyText);
  }

 private:
  OrderedMap<Ptr> store_;
};

}  // namespace qzdbs
