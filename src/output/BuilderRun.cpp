#include "output/BuilderRun.h"

#include <exception>

#include "base/EngineError.h"
#include "db/colEntityList.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "state/Messages.h"

namespace qzdbs {

void ShowBuilderFailure(const std::string& name, const std::string& text) {
  MsgBox(text, MsgIcon::Critical, "函数->" + name + ":");
}

HostComponent& HostFactory() {
  const auto& session = Engine().session.Object();
  auto component = session ? session->Component() : nullptr;
  if (!component) throw HostError("没有宿主会话");
  return *component;
}

void Require(bool ok) {
  if (!ok) throw EngineError::ApplicationDefined();
}

bool RunBuilder(const char* name, int32_t typeCode, int32_t sequence, const clsEntityList& record,
                BuildBody body, WhenUnreadable unreadable) {
  try {
    EntityParams params(record.EntityID, typeCode);
    if (!params.Loaded()) {
      if (unreadable == WhenUnreadable::ReturnFalseQuietly) return false;
      throw EngineError::ApplicationDefined();
    }
    HostHandle object = body(params, sequence, record);
    Compute().CurrentView.AddEntity("X" + std::to_string(sequence), object);
    return true;
  } catch (const SilentStop&) {
    ShowBuilderFailure(name, "");
  } catch (const std::exception& failure) {
    ShowBuilderFailure(name, failure.what());
  }
  return false;
}

}  // namespace qzdbs
