// Running the part selection window for the engine.
#include "ui/qt/QtSelectionDialog.h"

#include <QDir>
#include <QTimer>

namespace qzdbs::ui::qt {

SelectionSettings& Selection() {
  thread_local SelectionSettings settings;
  return settings;
}

void QtSelectionDialog::ShowModal() {
  auto catalogue = std::make_shared<Catalogue>();
  catalogue->Load(settings_.libraries);
  std::string previewPath = settings_.previewPath;
  if (previewPath.empty()) previewPath = QDir::temp().filePath("qzdbs-WMFtemp.wmf").toStdString();
  QtSubDialogs dialogs(nullptr);
  PartSelWindow window(catalogue, dialogs, previewPath, settings_.owner.data());
  dialogs.SetOwner(&window);
  window.RestoreLastChoice();
  if (settings_.onShow) {
    // After exec has shown the window, so the hook sees it as the user does.
    QTimer::singleShot(0, &window, [&window, hook = settings_.onShow] { hook(window); });
  }
  window.exec();
}

SelectionDialogFactory QtSelectionDialogs() {
  return [] { return std::make_unique<QtSelectionDialog>(Selection()); };
}

}  // namespace qzdbs::ui::qt
