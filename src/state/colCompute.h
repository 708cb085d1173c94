// A keyed collection of parameter records in insertion order, with an alias
// index (TagStr -> XKey) beside it. Record keys compare exactly; aliases
// compare without regard to letter case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/OrderedMap.h"
#include "state/clsCompute.h"

namespace qzdbs {

class colCompute {
 public:
  // Stores a new record under ParaType & "." & ParaName and registers its alias.
  // False, with the collection unchanged, when the key is already present.
  bool Add(const std::string& ParaType, const std::string& ParaName, const std::string& ParaValue,
           int16_t IsExpression, int16_t isDoneCalValue = 0, int16_t Visible = 0,
           const std::string& Expression = {}, const std::string& TagStr = {}, int32_t TagLong = 0);

  // The stored record, or null for a missing key or a position outside 1..Count.
  clsComputePtr Item(std::string_view key) const;
  clsComputePtr Item(int32_t position) const;

  int32_t Count() const { return store_.Count(); }

  // Removes the record and its alias. Throws EngineError for a missing record
  // or a record whose alias is not in the index.
  void Remove(std::string_view key);
  void Remove(int32_t position);

  // Looks an alias (or a 1-based position of the alias index) up; on success
  // writes the record's key into `key`, otherwise leaves it unchanged.
  bool getKey(std::string_view alias, std::string& key) const;
  bool getKey(int32_t position, std::string& key) const;
  int32_t IndexCount() const { return aliases_.Count(); }

  // Registers an alias; one already present (in any letter case) is dropped.
  void AddIndex(const std::string& value, const std::string& key);

  void Clear();

  // A copy with records of its own: changing one leaves this one's alone.
  colCompute Clone() const;

  // Iterates the records in insertion order.
  using Iterator = OrderedMap<clsComputePtr>::ValueIterator;
  Iterator begin() const { return store_.ValuesBegin(); }
  Iterator end() const { return store_.ValuesEnd(); }

 private:
  void RemoveRecord(const clsComputePtr& record);

  OrderedMap<clsComputePtr> store_;
  OrderedMap<std::string, true> aliases_;
};

}  // namespace qzdbs
