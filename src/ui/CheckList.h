// The data of a list view with check boxes: items with a key, a text and a
// tag, each ticked or not, one of them selected. Items count from 1.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Signal.h"

namespace qzdbs::ui {

struct CheckItem {
  std::string key;
  std::string text;
  int32_t tag = 0;
  bool checked = false;
};

class CheckList {
 public:
  enum class Change { Items, Checks, Selection, Enabled };

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // Throws std::out_of_range outside 1..Count().
  const CheckItem& Item(int32_t position) const;
  const std::vector<CheckItem>& Items() const { return items_; }

  void Clear();
  void Add(CheckItem item);
  void SetChecked(int32_t position, bool checked);
  void SetAllChecked(bool checked);

  // 0 when no item is selected.
  int32_t Selected() const { return selected_; }
  void Select(int32_t position);

  // Whether the user can use the list at all.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  Signal<Change>& Changed() const { return changed_; }

 private:
  std::vector<CheckItem> items_;
  int32_t selected_ = 0;
  bool enabled_ = true;
  // Views connect through const references; connecting changes no state.
  mutable Signal<Change> changed_;
};

}  // namespace qzdbs::ui
