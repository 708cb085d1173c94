#include "output/DrawingPass.h"

#include <exception>

#include "base/EngineError.h"
#include "base/NumberText.h"
#include "compute/FormulaEvaluator.h"
#include "db/clsPartComputeDB.h"
#include "db/colEntityList.h"
#include "db/colPartView.h"
#include "output/BuilderTable.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "state/Messages.h"

namespace qzdbs {

namespace {

constexpr int32_t kPropertiesDictionaryID = 99999998;
constexpr int32_t kInputParametersDictionaryID = 99999999;

clsPartComputeDB& Reader() {
  auto& reader = Compute().ComputeDB;
  if (!reader) throw EngineError("没有打开零件定义");
  return *reader;
}

HostComponent& Component() {
  auto component = Engine().session.Object() ? Engine().session.Object()->Component() : nullptr;
  if (!component) throw HostError("没有宿主会话");
  return *component;
}

bool Option(const char* key) {
  const bool* flag = Engine().OutputOptions.Find(key);
  return flag && *flag;
}

// A new current host view, named and initialised.
DbView NewView(const std::string& name, int32_t id, const std::string& assistName) {
  DbView view = CreateHostObject<DbView>(Component());
  Compute().CurrentView = view;
  view.Init();
  view.Name(name);
  view.ID(id);
  view.AssistViewName(assistName);
  return view;
}

// A dictionary of name/value pairs handed to the session; on failure the
// message names what could not be handed over.
template <typename Fill, typename Hand>
bool OutputDictionary(int32_t id, const char* failure, Fill fill, Hand hand) {
  try {
    DbDictionary dictionary = CreateHostObject<DbDictionary>(Component());
    dictionary.Clear();
    fill(dictionary);
    dictionary.ID(id);
    hand(dictionary);
    return true;
  } catch (const std::exception&) {
    MsgBox(failure, MsgIcon::Critical, "提示：");
    return false;
  }
}

}  // namespace

bool DrawPart() {
  ComputeState& state = Compute();
  auto allEntities = std::make_shared<colEntityList>();
  try {
    if (!OutputPartInfo() || !OutputPartDescInfo() || !OutputOrigParaInfo()) return false;
    if (!state.Entities) state.Entities = std::make_shared<colEntityList>();
    if (state.Views && state.Views->Count() >= 1) {
      for (int32_t i = 1; i <= state.Views->Count(); ++i) {
        OutputView(i);
        state.Entities->Clear();
        Reader().getViewEntity(state.Views->Item(i)->PartViewID, *state.Entities, *allEntities);
        OutputEntities();
      }
    } else {
      OutputDefaultViews();
      state.Entities->Clear();
      Reader().getPartEntity(*state.Entities, *allEntities);
      OutputEntities();
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool OutputPartInfo() {
  EngineState& engine = Engine();
  engine.sessionIdentity = engine.session.Identity();
  if (!Reader().getPartCommInfo(engine.CurrentPartID, engine.CurrentPartGUID,
                                engine.CurrentPartName)) {
    MsgBox("零件名称和全球唯一标识符没有找到", MsgIcon::Critical, "提示：");
    return false;
  }
  engine.sessionIdentity.Name(engine.CurrentPartGUID);
  engine.sessionIdentity.ID(engine.CurrentPartID);
  engine.session.DBPath(engine.LibraryPath);
  engine.sessionIdentity.Sequence(1);
  engine.session.PartName(engine.CurrentPartName);
  std::string basePoint = Reader().getBasePointName("QZParts", "PartID", engine.CurrentPartID);
  if (basePoint.empty()) {
    MsgBox("没有找到零件的基点", MsgIcon::Information, "提示：");
    return false;
  }
  GetPointCoord(basePoint);
  engine.session.BasePoint(Compute().PointBuffer);
  engine.session.RemoveDimension(Option("Che0"));
  engine.session.AllowMove(Option("Che1"));
  engine.session.GroupPart(Option("Che2"));
  engine.session.MakeBlock(Option("Che3"));
  engine.session.HideBackground(Option("Che4"));
  engine.session.UpdatePart();
  return true;
}

bool OutputPartDescInfo() {
  return OutputDictionary(
      kPropertiesDictionaryID, "零件描述信息输出失败！",
      [](const DbDictionary& dictionary) {
        colCompute& properties = Ensure(Compute().Properties);
        for (int32_t i = 1; i <= properties.Count(); ++i) {
          clsComputePtr record = properties.Item(i);
          dictionary.Add(record->ParaValue, record->ParaName);
        }
      },
      [](const DbDictionary& dictionary) { Engine().session.PartProperties(dictionary); });
}

bool OutputOrigParaInfo() {
  return OutputDictionary(
      kInputParametersDictionaryID, "零件原始参数信息输出失败！",
      [](const DbDictionary& dictionary) {
        colCompute& design = Ensure(Compute().DesignParas);
        for (int32_t i = 1; i <= design.Count(); ++i) {
          std::string key;
          if (!design.getKey(i, key)) continue;
          clsComputePtr record = design.Item(key);
          if (!record) throw EngineError("设计参数 " + key + " 不存在");
          dictionary.Add(record->ParaValue, record->ParaName);
        }
      },
      [](const DbDictionary& dictionary) { Engine().session.InputParameters(dictionary); });
}

void OutputDefaultViews() {
  for (auto [name, id, assist] :
       {std::tuple{"PartView1", 0, "AssistView1"}, std::tuple{"PartView2", 1, "AssistView2"}}) {
    DbView view = NewView(name, id, assist);
    view.BasePoint({0, 0, 0});
    Engine().session.AddView(view);
  }
}

void OutputView(int32_t position) {
  auto record = Compute().Views->Item(position);
  DbView view = NewView(record->ViewName, record->PartViewID, record->ViewName);
  std::string basePoint =
      Reader().getBasePointName("QZPartViews", "PartViewID", record->PartViewID);
  if (basePoint.empty()) {
    // The view's entities are still built into it; it just never reaches the session.
    MsgBox("没有找到视图基点", MsgIcon::Information, "提示：");
    return;
  }
  GetPointCoord(basePoint);
  view.BasePoint(Compute().PointBuffer);
  Engine().session.AddView(view);
}

bool OutputEntities() {
  int32_t sequence = 1;
  const auto& entities = Compute().Entities;
  if (!entities) return true;
  for (int32_t i = 1; i <= entities->Count(); ++i) {
    auto record = entities->Item(i);
    if (EvaluateCondition(record->EntityFilter) == 2) continue;
    BuildEntity(record->EntityType, sequence, *record);
    ++sequence;
  }
  return true;
}

void GetPointCoord(const std::string& pointName) {
  colCompute& points = Ensure(Compute().Points);
  Point3 point{};
  const char* axes[] = {".X", ".Y", ".Z"};
  for (int axis = 0; axis < 3; ++axis) {
    const std::string key = "P." + pointName + axes[axis];
    clsComputePtr record = points.Item(key);
    if (!record) throw EngineError("点 " + key + " 不存在");
    auto value = ParseNumber(record->ParaValue);
    if (!value) throw EngineError("点 " + key + " 的值不是数字: " + record->ParaValue);
    point[axis] = *value;
  }
  Compute().PointBuffer = point;
}

}  // namespace qzdbs
