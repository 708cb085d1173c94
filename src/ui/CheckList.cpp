// The check list's data.
#include "ui/CheckList.h"

#include <stdexcept>

namespace qzdbs::ui {

const CheckItem& CheckList::Item(int32_t position) const {
  if (position < 1 || position > Count())
    throw std::out_of_range("list item " + std::to_string(position));
  return items_[static_cast<size_t>(position - 1)];
}

void CheckList::Clear() {
  items_.clear();
  selected_ = 0;
  changed_.Emit(Change::Items);
}

void CheckList::Add(CheckItem item) {
  items_.push_back(std::move(item));
  changed_.Emit(Change::Items);
}

void CheckList::SetChecked(int32_t position, bool checked) {
  Item(position);
  items_[static_cast<size_t>(position - 1)].checked = checked;
  changed_.Emit(Change::Checks);
}

void CheckList::SetAllChecked(bool checked) {
  for (auto& item : items_)
    item.checked = checked;
  changed_.Emit(Change::Checks);
}

void CheckList::Select(int32_t position) {
  if (position != 0) Item(position);
  selected_ = position;
  changed_.Emit(Change::Selection);
}

void CheckList::SetEnabled(bool enabled) {
  enabled_ = enabled;
  changed_.Emit(Change::Enabled);
}

}  // namespace qzdbs::ui
