// The selection dialog that startSPartGen shows on screen: the part
// selection window, run modally over the catalogue of the chosen libraries.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "state/EngineState.h"
#include "ui/Catalogue.h"
#include "ui/qt/PartSelWindow.h"
#include "ui/qt/SubWindows.h"

namespace qzdbs::ui::qt {

// The libraries the catalogue shows, the window the dialog is modal to, and
// a hook that sees the window once it is built (the studio's screenshots and
// the tests use it; it runs before the modal loop starts).
struct SelectionSettings {
  std::vector<std::string> libraries;
  QPointer<QWidget> owner;
  std::string previewPath;
  std::function<void(PartSelWindow&)> onShow;
};

// This thread's settings, read by every dialog the factory makes.
SelectionSettings& Selection();

class QtSelectionDialog : public SelectionDialog {
 public:
  explicit QtSelectionDialog(SelectionSettings settings) : settings_(std::move(settings)) {}
  void ShowModal() override;

 private:
  SelectionSettings settings_;
};

// The factory for the engine state's selectionDialog.
SelectionDialogFactory QtSelectionDialogs();

}  // namespace qzdbs::ui::qt
