// Hand-made run state for builder tests.
#include "BuilderHarness.h"

#include "base/NumberText.h"
#include "compute/Computation.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"

namespace qzdbs::test {

void BuilderTest::SetUp() {
  Engine() = EngineState{};
  messages_ = std::make_shared<RecordingMessageService>();
  Engine().messages = messages_;
  component_ = MemoryComponent::Make();
  session_ = component_->NewObject("QZdbSPart");
  Engine().session = QZdbSPart(session_);
  Engine().CurrentPartID = kPart;
  ReleaseComputeData();
  DbView view(component_->NewObject("DbView"));
  Engine().session.AddView(view);
  Compute().CurrentView = view;
  Compute().Layers = std::make_shared<OrderedMap<std::string>>();
  Compute().Layers->Insert("X" + std::to_string(kLayer), "轮廓线");
}

void BuilderTest::TearDown() {
  ReleaseComputeData();
  Engine() = EngineState{};
  library_.reset();
}

void BuilderTest::Library(const std::string& rows) {
  library_ = std::make_unique<ScratchLibrary>(SchemaSql() + rows);
  Engine().LibraryConnectString = library_->ConnectionString();
  Engine().BlockFolder = library_->Folder();
  ASSERT_TRUE(OpenComputeDB()) << "the definition reader does not open " << library_->File();
}

void BuilderTest::Point(int32_t id, const Point3& value) {
  colCompute& points = Ensure(Compute().Points);
  const char* axes[] = {"X", "Y", "Z"};
  for (int axis = 0; axis < 3; ++axis) {
    const std::string name = "Pt" + std::to_string(id) + "." + axes[axis];
    points.Add("P", name, FormatNumber(value[axis]), 0, 1, 1, "",
               "P." + std::to_string(id) + "." + axes[axis]);
  }
}

void BuilderTest::Struct(int32_t id, const std::string& name, const std::string& value) {
  Ensure(Compute().StructParas).Add("S", name, value, 0, 1, 1, "", "S." + std::to_string(id));
}

clsEntityList BuilderTest::Entity(int32_t id, const std::string& name, int32_t layer) const {
  clsEntityList record;
  record.EntityID = id;
  record.EntityName = name;
  record.LayerID = layer;
  record.Color = 256;
  record.Visible = true;
  record.IsMatchProp = true;
  record.XKey = "X" + std::to_string(id);
  return record;
}

std::vector<RecordedObject> BuilderTest::Objects() const {
  Recording recording = Recording::Of(*session_, messages_->Boxes());
  if (recording.views.empty()) return {};
  return recording.views[0].objects;
}

std::optional<RecordedObject> BuilderTest::Only() const {
  auto objects = Objects();
  EXPECT_EQ(objects.size(), 1u) << "objects in the view";
  if (objects.size() != 1) return std::nullopt;
  EXPECT_EQ(objects[0].key, "X" + std::to_string(kSequence));
  return objects[0];
}

std::vector<std::string> BuilderTest::Lines(const RecordedObject& object) {
  std::vector<std::string> lines;
  for (const RecordedEvent& event : object.events)
    lines.push_back(Describe(event));
  return lines;
}

std::vector<std::string> BuilderTest::CommonEntityLines(int32_t id, const std::string& name) {
  return {"set ID " + std::to_string(id),
          "set Name \"" + name + "\"",
          "set IsAssist false",
          "set LayerName \"轮廓线\"",
          "set Color 256",
          "set Visible true",
          "set IsMatchProp true",
          "set Sequence " + std::to_string(kSequence)};
}

std::vector<std::string> BuilderTest::CommonObjectLines(int32_t id, const std::string& name) {
  return {"set ID " + std::to_string(id), "set Name \"" + name + "\"",
          "set Sequence " + std::to_string(kSequence)};
}

}  // namespace qzdbs::test
