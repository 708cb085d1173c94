// Message boxes as Qt message boxes: the icon, title and buttons the engine
// asks for, over the active window.
#pragma once

#include <QMessageBox>

#include "base/MessageService.h"

namespace qzdbs::ui::qt {

QMessageBox::Icon QtIcon(MsgIcon icon);
QMessageBox::StandardButtons QtButtons(MsgButtons buttons);
MsgResult ResultOf(QMessageBox::StandardButton button);

// From the third box of a run on, a box that only informs offers to show no
// more such boxes for the rest of the run; when any were left out, one box at
// the run's end says how many. Questions are always asked.
class QtMessageService : public MessageService {
 public:
  MsgResult Show(const MessageBoxRecord& box) override;
  void RunStarted() override;
  void RunEnded() override;

  static constexpr int kBoxesBeforeOffer = 3;

 private:
  int shown_ = 0;
  int hidden_ = 0;
  bool quiet_ = false;
};

// The Qt services for this thread's engine: message boxes, the hourglass
// while the engine works, and the real selection dialog for startSPartGen.
void InstallQtServices();

}  // namespace qzdbs::ui::qt
