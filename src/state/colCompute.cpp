#include "state/colCompute.h"

#include <memory>

#include "base/EngineError.h"

namespace qzdbs {

bool colCompute::Add(const std::string& ParaType, const std::string& ParaName,
                     const std::string& ParaValue, int16_t IsExpression, int16_t isDoneCalValue,
                     int16_t Visible, const std::string& Expression, const std::string& TagStr,
                     int32_t TagLong) {
  auto record = std::make_shared<clsCompute>();
  record->ParaType = ParaType;
  record->ParaName = ParaName;
  record->ParaValue = ParaValue;
  record->IsExpression = IsExpression;
  record->isDoneCalValue = isDoneCalValue;
  record->Visible = Visible;
  record->Expression = Expression;
  record->TagStr = TagStr;
  record->TagLong = TagLong;
  record->XKey = ParaType + "." + ParaName;
  if (!store_.Insert(record->XKey, record)) return false;
  AddIndex(record->XKey, TagStr);
  return true;
}

clsComputePtr colCompute::Item(std::string_view key) const {
  const clsComputePtr* found = store_.Find(key);
  return found ? *found : nullptr;
}

clsComputePtr colCompute::Item(int32_t position) const {
  const auto* entry = store_.At(position);
  return entry ? entry->second : nullptr;
}

void colCompute::Remove(std::string_view key) {
  clsComputePtr record = Item(key);
  if (!record)
    throw EngineError("colCompute.Remove: no record under key \"" + std::string(key) + "\"");
  RemoveRecord(record);
}

void colCompute::Remove(int32_t position) {
  clsComputePtr record = Item(position);
  if (!record) {
    throw EngineError("colCompute.Remove: no record at position " + std::to_string(position));
  }
  RemoveRecord(record);
}

void colCompute::RemoveRecord(const clsComputePtr& record) {
  const std::string* owner = aliases_.Find(record->TagStr);
  if (!owner) {
    throw EngineError("colCompute.Remove: alias \"" + record->TagStr + "\" of " + record->XKey +
                      " is not in the index");
  }
  // Two records may carry the same alias; the entry belongs to the first one
  // only, and removing the second must not take the first one's alias away.
  if (*owner == record->XKey) aliases_.Erase(record->TagStr);
  store_.Erase(record->XKey);
}

bool colCompute::getKey(std::string_view alias, std::string& key) const {
  const std::string* found = aliases_.Find(alias);
  if (!found) return false;
  key = *found;
  return true;
}

bool colCompute::getKey(int32_t position, std::string& key) const {
  const auto* entry = aliases_.At(position);
  if (!entry) return false;
  key = entry->second;
  return true;
}

void colCompute::AddIndex(const std::string& value, const std::string& key) {
  aliases_.Insert(key, value);
}

colCompute colCompute::Clone() const {
  colCompute copy(*this);
  copy.store_.ChangeValues(
      [](clsComputePtr& record) { record = std::make_shared<clsCompute>(*record); });
  return copy;
}

void colCompute::Clear() {
  store_.Clear();
  aliases_.Clear();
}

}  // namespace qzdbs
