#include "base/MessageService.h"

#include <iostream>

namespace qzdbs {

namespace {
MsgResult DefaultReply(MsgButtons buttons) {
  return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                            : MsgResult::OK;
}
}  // namespace

const char* IconName(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Critical:
      return "critical";
    case MsgIcon::Question:
      return "question";
    case MsgIcon::Exclamation:
      return "exclamation";
    case MsgIcon::Information:
      return "information";
    case MsgIcon::None:
      break;
  }
  return "none";
}

MsgIcon IconFromName(const std::string& name) {
  for (MsgIcon icon :
       {MsgIcon::Critical, MsgIcon::Question, MsgIcon::Exclamation, MsgIcon::Information}) {
    if (name == IconName(icon)) return icon;
  }
  return MsgIcon::None;
}

MsgResult StderrMessageService::Show(const MessageBoxRecord& box) {
  std::cerr << box.title << ' ' << box.text << '\n';
  return DefaultReply(box.buttons);
}

MsgResult RecordingMessageService::Show(const MessageBoxRecord& box) {
  boxes_.push_back(box);
  if (!replies_.empty()) {
    MsgResult reply = replies_.front();
    replies_.pop_front();
    return reply;
  }
  return DefaultReply(box.buttons);
}

}  // namespace qzdbs
