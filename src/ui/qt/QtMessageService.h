// Message boxes as Qt message boxes: the icon, title and buttons the engine
// asks for, over the active window.
#pragma once

#include <QMessageBox>

#include "base/MessageService.h"

namespace qzdbs::ui::qt {

QMessageBox::Icon QtIcon(MsgIcon icon);
QMessageBox::StandardButtons QtButtons(MsgButtons buttons);
MsgResult ResultOf(QMessageBox::StandardButton button);

class QtMessageService : public MessageService {
 public:
  MsgResult Show(const MessageBoxRecord& box) override;
};

// The Qt services for this thread's engine: message boxes, the hourglass
// while the engine works, and the real selection dialog for startSPartGen.
void InstallQtServices();

}  // namespace qzdbs::ui::qt
