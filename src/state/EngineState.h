// The values a run shares between the session, the dialogs, the computation
// and the output: one set per thread, as the host calls the engine from its
// user-interface thread only. It lives as long as the thread and is not
// cleared between runs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/MessageService.h"
#include "base/OrderedMap.h"
#include "host/HostClasses.h"

namespace qzdbs {

namespace db {
class Connection;
}

// The modal part selection dialog as the engine starts it: its load step runs
// first, then it runs until the user closes it.
class SelectionDialog {
 public:
  virtual ~SelectionDialog() = default;
  virtual void ShowModal() = 0;
};
using SelectionDialogFactory = std::function<std::unique_ptr<SelectionDialog>()>;

struct EngineState {
  QZdbSPart session;
  DbIdentity sessionIdentity;
  double DrawScale = 0;
  std::string BlockFolder;
  int32_t CurrentPartID = 0;
  std::string CurrentPartGUID;
  std::string CurrentPartName;
  std::string LibraryPath;
  std::string LibraryConnectString;
  std::shared_ptr<db::Connection> LibraryConnection;
  OrderedMap<bool> OutputOptions;  // "Che0".."Che4"
  int16_t GenerateResult = 0;

  // Services of the platform around the engine.
  std::shared_ptr<MessageService> messages;
  SelectionDialogFactory selectionDialog;
};

// This thread's engine state.
EngineState& Engine();

}  // namespace qzdbs
