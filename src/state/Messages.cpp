#include "state/Messages.h"

#include <memory>

#include "state/EngineState.h"

namespace qzdbs {

MsgResult MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                 MsgButtons buttons) {
  auto& service = Engine().messages;
  if (!service) service = std::make_shared<StderrMessageService>();
  return service->Show(MessageBoxRecord{text, icon, title, buttons});
}

}  // namespace qzdbs
