#include "compute/Computation.h"

#include <string>
#include <utility>
#include <vector>

#include "compute/FormulaEvaluator.h"
#include "db/clsPartComputeDB.h"
#include "db/colEntityList.h"
#include "db/colPartView.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "state/Messages.h"

namespace qzdbs {

namespace {

template <typename Collection>
Collection& EnsureOf(std::shared_ptr<Collection>& collection) {
  if (!collection) collection = std::make_shared<Collection>();
  return *collection;
}

// How a family's passes treat its records.
struct FamilyRules {
  bool givenValueIsFinal;     // IsExpression 0 finishes a record (not for points)
  bool pendingTakesTheValue;  // the pending record keeps the result too (not for properties)
};

// A part whose formulas computed more text than kMaxPartTextBytes in all.
struct TextLimitPassed {
  std::string key;
};

// One position of the pending collection as the passes walk it (in the order
// of the aliases, as its positions give them).
struct PendingSlot {
  std::string key;
  clsComputePtr record;  // null for a position that holds none: passed over
  // The record its formula waited on at its last try: until that one is done,
  // a new try gives nothing and shows nothing, so none is made. This keeps a
  // pass over records that wait at the cost of a glance each.
  clsComputePtr waitsOn;
  bool removed = false;
};

std::vector<PendingSlot> PendingPositions(const colCompute& pending) {
  std::vector<PendingSlot> slots;
  for (int32_t i = 1; i <= pending.IndexCount(); ++i) {
    std::string key;
    if (!pending.getKey(i, key)) continue;
    clsComputePtr record = pending.Item(key);
    slots.push_back({std::move(key), std::move(record), nullptr});
  }
  return slots;
}

// The finished records leave the pending collection together, not one by
// one while the passes run: the passes walk their own list of positions, and
// taking records out of a keyed collection one at a time costs more than
// computing most of them. `done` holds their keys until then.
void RunPass(colCompute& family, std::vector<PendingSlot>& slots, FamilyRules rules,
             std::vector<std::string>& done) {
  // Removing moves the later records down while the walk advances: the
  // record after a removed one waits for the next pass.
  bool afterRemoval = false;
  for (PendingSlot& slot : slots) {
    if (std::exchange(afterRemoval, false) || !slot.record) continue;
    if (slot.waitsOn && slot.waitsOn->isDoneCalValue == 0) continue;
    clsCompute& record = *slot.record;
    bool finished =
        record.isDoneCalValue == 1 || (rules.givenValueIsFinal && record.IsExpression == 0);
    if (finished) {
      if (clsComputePtr final = family.Item(slot.key)) final->isDoneCalValue = 1;
      done.push_back(std::move(slot.key));
      slot.removed = afterRemoval = true;
      continue;
    }
    std::string result;
    if (EvaluateFormula(record.Expression, result, slot.waitsOn)) {
      if ((Compute().TextBytes += result.size()) > kMaxPartTextBytes)
        throw TextLimitPassed{slot.key};
      record.isDoneCalValue = 1;
      if (rules.pendingTakesTheValue) record.ParaValue = result;
      if (clsComputePtr final = family.Item(slot.key)) {
        final->isDoneCalValue = 1;
        final->ParaValue = result;
      }
    }
  }
  std::erase_if(slots, [](const PendingSlot& slot) { return slot.removed; });
}

// At most n + 1 passes for n pending records; done as soon as none is pending.
bool ComputeFamily(void (*load)(), std::shared_ptr<colCompute>& familyRef,
                   std::shared_ptr<colCompute>& pendingRef, FamilyRules rules) {
  load();
  colCompute& family = Ensure(familyRef);
  colCompute& pending = Ensure(pendingRef);
  ComputeState& state = Compute();
  state.PassLimit = pending.Count();
  std::vector<PendingSlot> slots = PendingPositions(pending);
  std::vector<std::string> finished;
  // What is left pending when the family stops short, as the caller sees it.
  auto removeFinished = [&] {
    for (const std::string& key : finished)
      pending.Remove(key);
  };
  for (int32_t pass = 0;; ++pass) {
    if (pending.Count() == static_cast<int32_t>(finished.size())) {
      pending.Clear();
      return true;
    }
    if (pass > state.PassLimit) {
      removeFinished();
      return false;
    }
    try {
      RunPass(family, slots, rules, finished);
    } catch (const TextLimitPassed& passed) {
      removeFinished();
      MsgBox("零件 \"" + Engine().CurrentPartName + "\" (PartID " +
                 std::to_string(Engine().CurrentPartID) + ") 的 " + passed.key +
                 ": 计算出的文字总量超过 " + std::to_string(kMaxPartTextBytes >> 20) + " MiB",
             MsgIcon::Critical, "警告：");
      return false;
    }
  }
}

using Reader = bool (clsPartComputeDB::*)(colCompute&, colCompute&);

void LoadFamily(std::shared_ptr<colCompute>& familyRef, std::shared_ptr<colCompute>& pendingRef,
                Reader read) {
  colCompute& family = Ensure(familyRef);
  colCompute& pending = Ensure(pendingRef);
  family.Clear();
  pending.Clear();
  // The reader's result is not looked at: a failed read leaves less to compute.
  if (auto& reader = Compute().ComputeDB) ((*reader).*read)(family, pending);
}

}  // namespace

bool InitComp() {
  ClearComputeData();
  return OpenComputeDB();
}

void ClearComputeData() {
  ComputeState& state = Compute();
  for (auto* collection :
       {&state.DesignParas, &state.StructParas, &state.StructPending, &state.Points,
        &state.PointsPending, &state.Properties, &state.PropertiesPending}) {
    Ensure(*collection).Clear();
  }
  EnsureOf(state.Entities).Clear();
  state.TextBytes = 0;
  ClearViewData();
}

void ClearViewData() {
  ComputeState& state = Compute();
  EnsureOf(state.Views).Clear();
  EnsureOf(state.Layers).Clear();
  Engine().OutputOptions.Clear();
}

bool OpenComputeDB() {
  ComputeState& state = Compute();
  if (!state.ComputeDB) state.ComputeDB = std::make_shared<clsPartComputeDB>();
  state.ComputeDB->InitClass(Engine().CurrentPartID);
  return state.ComputeDB->openCnn(Engine().LibraryConnectString);
}

bool ComputeAll() {
  if (!ComputeStructurePara()) {
    MsgBox("计算结构参数中有错误", MsgIcon::Information, "警告：");
    return false;
  }
  if (!ComputePartProperties()) {
    MsgBox("计算零件属性中有错误", MsgIcon::Information, "提示：");
    return false;
  }
  if (!ComputePartPoints()) {
    MsgBox("计算点表时出现错误", MsgIcon::Exclamation, "警告：");
    return false;
  }
  return true;
}

bool ComputeStructurePara() {
  ComputeState& state = Compute();
  return ComputeFamily(LoadStructurePara, state.StructParas, state.StructPending, {true, true});
}

bool ComputePartProperties() {
  ComputeState& state = Compute();
  return ComputeFamily(LoadPartProperties, state.Properties, state.PropertiesPending,
                       {true, false});
}

bool ComputePartPoints() {
  ComputeState& state = Compute();
  return ComputeFamily(LoadPartPoints, state.Points, state.PointsPending, {false, true});
}

void LoadStructurePara() {
  ComputeState& state = Compute();
  LoadFamily(state.StructParas, state.StructPending, &clsPartComputeDB::getStructurePara);
}

void LoadPartProperties() {
  ComputeState& state = Compute();
  LoadFamily(state.Properties, state.PropertiesPending, &clsPartComputeDB::getPartProperties);
}

void LoadPartPoints() {
  ComputeState& state = Compute();
  LoadFamily(state.Points, state.PointsPending, &clsPartComputeDB::getPartPoint);
}

void LoadAllLayers() {
  ComputeState& state = Compute();
  EnsureOf(state.Layers).Clear();
  if (state.ComputeDB) state.ComputeDB->getAllLayer(*state.Layers);
}

void ReleaseComputeData() {
  ComputeState& state = Compute();
  for (auto* collection :
       {&state.DesignParas, &state.StructParas, &state.StructPending, &state.Points,
        &state.PointsPending, &state.Properties, &state.PropertiesPending}) {
    collection->reset();
  }
  state.Entities.reset();
  state.Views.reset();
  state.Layers.reset();
  state.ComputeDB.reset();
  // The parser stays with its compiled formulas: the next drawing, most
  // often another row of the same part, evaluates the same formulas.
  state.CurrentView.Release();
}

}  // namespace qzdbs
