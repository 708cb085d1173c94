// Message boxes shown by Qt, and the hook that turns the engine's waits into
// the hourglass pointer.
#include "ui/qt/QtMessageService.h"

#include <QApplication>
#include <QCheckBox>

#include "state/EngineState.h"
#include "ui/clsWaitCursor.h"
#include "ui/qt/QtSelectionDialog.h"

namespace qzdbs::ui::qt {

QMessageBox::Icon QtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Critical:
      return QMessageBox::Critical;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::Exclamation:
      return QMessageBox::Warning;
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtButtons(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OKCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::OK:
      break;
  }
  return QMessageBox::Ok;
}

MsgResult ResultOf(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Cancel:
      return MsgResult::Cancel;
    case QMessageBox::Yes:
      return MsgResult::Yes;
    case QMessageBox::No:
      return MsgResult::No;
    default:
      return MsgResult::OK;
  }
}

MsgResult QtMessageService::Show(const MessageBoxRecord& box) {
  const bool onlyInforms = box.buttons == MsgButtons::OK;
  if (quiet_ && onlyInforms) {
    ++hidden_;
    return MsgResult::OK;
  }
  QMessageBox dialog(QtIcon(box.icon), QString::fromStdString(box.title),
                     QString::fromStdString(box.text), QtButtons(box.buttons),
                     QApplication::activeWindow());
  dialog.setObjectName("MsgBox");
  QCheckBox* enough = nullptr;
  if (onlyInforms && ++shown_ >= kBoxesBeforeOffer) {
    enough = new QCheckBox(
        QApplication::translate("QtMessageService", "Show no more messages for this run"));
    enough->setObjectName("noMoreBoxes");
    dialog.setCheckBox(enough);
  }
  const auto result = ResultOf(static_cast<QMessageBox::StandardButton>(dialog.exec()));
  if (enough && enough->isChecked()) quiet_ = true;
  return result;
}

void QtMessageService::RunStarted() {
  shown_ = hidden_ = 0;
  quiet_ = false;
}

void QtMessageService::RunEnded() {
  const int hidden = hidden_;
  RunStarted();
  if (hidden == 0) return;
  QMessageBox summary(
      QMessageBox::Information, QApplication::translate("QtMessageService", "Messages"),
      QApplication::translate("QtMessageService", "%n more message(s) of this run were not shown.",
                              nullptr, hidden),
      QMessageBox::Ok, QApplication::activeWindow());
  summary.setObjectName("MsgBoxSummary");
  summary.exec();
}

void InstallQtServices() {
  Engine().messages = std::make_shared<QtMessageService>();
  Engine().selectionDialog = QtSelectionDialogs();
  WaitCursorHook() = [](bool busy) {
    if (busy)
      QApplication::setOverrideCursor(Qt::WaitCursor);
    else
      QApplication::restoreOverrideCursor();
  };
}

}  // namespace qzdbs::ui::qt
