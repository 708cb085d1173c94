// Message boxes: one service that every part of the engine shows its messages
// through. The command line prints them, the dialogs show Qt boxes, tests
// record them.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace qzdbs {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgResult { OK = 1, Cancel = 2, Yes = 6, No = 7 };

struct MessageBoxRecord {
  std::string text;
  MsgIcon icon = MsgIcon::None;
  std::string title;
  MsgButtons buttons = MsgButtons::OK;
};

const char* IconName(MsgIcon icon);  // "critical", "question", ...
MsgIcon IconFromName(const std::string& name);

class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual MsgResult Show(const MessageBoxRecord& box) = 0;
  // The engine's run (startSPartGen) begins and ends: a service may treat
  // the boxes of one run together.
  virtual void RunStarted() {}
  virtual void RunEnded() {}
};

// Prints each box to standard error ("title text") and answers the default:
// OK, or Yes for a question.
class StderrMessageService : public MessageService {
 public:
  MsgResult Show(const MessageBoxRecord& box) override;
};

// Keeps every box in order; answers with queued replies, then with the default.
class RecordingMessageService : public MessageService {
 public:
  MsgResult Show(const MessageBoxRecord& box) override;
  void QueueReply(MsgResult reply) { replies_.push_back(reply); }
  const std::vector<MessageBoxRecord>& Boxes() const { return boxes_; }
  void Clear() { boxes_.clear(); }

 private:
  std::vector<MessageBoxRecord> boxes_;
  std::deque<MsgResult> replies_;
};

}  // namespace qzdbs
