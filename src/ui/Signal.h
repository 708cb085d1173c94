// A change notification that a model raises and its views subscribe to: the
// dialogs' logic stays free of widgets, and a widget layer redraws what the
// notification names.
#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace qzdbs::ui {

template <typename... Args>
class Signal {
 public:
  using Slot = std::function<void(Args...)>;

  // Returns a number that Disconnect takes back.
  size_t Connect(Slot slot) {
    slots_.emplace_back(++lastId_, std::move(slot));
    return lastId_;
  }
  void Disconnect(size_t id) {
    std::erase_if(slots_, [id](const auto& entry) { return entry.first == id; });
  }
  void Emit(Args... args) const {
    // A copy: a slot may connect or disconnect while it runs.
    auto current = slots_;
    for (const auto& entry : current)
      entry.second(args...);
  }

 private:
  std::vector<std::pair<size_t, Slot>> slots_;
  size_t lastId_ = 0;
};

}  // namespace qzdbs::ui
