#include "engine/IQZdbEngine.h"

#include "db/LibraryDB.h"
#include "state/EngineState.h"
#include "state/Messages.h"

namespace qzdbs {

void IQZdbEngine::QZdbSPart(std::shared_ptr<HostObject> ArxQZdbSPart) {
  EngineState& state = Engine();
  state.session = qzdbs::QZdbSPart(std::move(ArxQZdbSPart));
  state.DrawScale = state.session.DrawScale();
  state.BlockFolder = state.session.BlockFolder();
}

int16_t IQZdbEngine::startSPartGen() {
  EngineState& state = Engine();
  // Told on every way out; held here in case the run replaces the service.
  struct RunMessages {
    std::shared_ptr<MessageService> service;
    explicit RunMessages(std::shared_ptr<MessageService> s) : service(std::move(s)) {
      if (service) service->RunStarted();
    }
    ~RunMessages() {
      if (service) service->RunEnded();
    }
    RunMessages(const RunMessages&) = delete;
    RunMessages& operator=(const RunMessages&) = delete;
  } run(state.messages);
  // A run that ends with Cancel must not report an earlier run's success.
  state.GenerateResult = 0;
  if (state.session.IsEditing()) {
    state.sessionIdentity = state.session.Identity();
    state.CurrentPartGUID = state.sessionIdentity.Name();
    state.CurrentPartID = state.sessionIdentity.ID();
    state.CurrentPartName = state.session.PartName();
    state.LibraryPath = state.session.DBPath();
    // The host's input parameters are walked to their end; the dialog does not
    // use them, the part is chosen again.
    DbDictionary inputs = state.session.InputParameters();
    if (inputs) {
      inputs.Reset();
      std::string name, value;
      while (inputs.GetNext(name, value)) {
      }
    }
  }
  if (state.selectionDialog) {
    if (auto dialog = state.selectionDialog()) dialog->ShowModal();
  } else {
    MsgBox("没有可用的零件选择对话框。", MsgIcon::Critical, "警告：");
  }
  CloseLibraryDB();
  return state.GenerateResult;
}

}  // namespace qzdbs
