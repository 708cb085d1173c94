// The engine's message box: shown through this thread's message service, which
// the command line, the dialogs and the tests each set to their own.
#pragma once

#include <string>

#include "base/MessageService.h"

namespace qzdbs {

MsgResult MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                 MsgButtons buttons = MsgButtons::OK);

}  // namespace qzdbs
