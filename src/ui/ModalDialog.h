// What every modal dialog of the selection shares: it is open until it
// closes, once, and its views hear of that through one notification.
#pragma once

#include "ui/Signal.h"

namespace qzdbs::ui {

class ModalDialog {
 public:
  enum class Change { Closed };

  bool IsLoaded() const { return loaded_; }
  Signal<Change>& Changed() const { return changed_; }

 protected:
  ModalDialog() = default;
  ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Closes the dialog; closing a closed dialog again tells nobody.
  void Unload() {
    if (!loaded_) return;
    loaded_ = false;
    changed_.Emit(Change::Closed);
  }

 private:
  bool loaded_ = true;
  // Views connect through const references; connecting changes no state.
  mutable Signal<Change> changed_;
};

}  // namespace qzdbs::ui
