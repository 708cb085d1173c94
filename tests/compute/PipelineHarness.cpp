// Hand-made drawing runs for the computation and drawing pass tests.
#include "PipelineHarness.h"

#include "compute/Computation.h"
#include "db/LibraryDB.h"
#include "db/colPartView.h"
#include "host/HostClasses.h"
#include "output/DrawingPass.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"

namespace qzdbs::test {

std::shared_ptr<HostObject> TrackingComponent::CreateObject(std::string_view className) {
  auto object = NewObject(className);
  created_.push_back(object);
  return object;
}

std::vector<std::shared_ptr<MemoryObject>> TrackingComponent::Created(
    std::string_view className) const {
  std::vector<std::shared_ptr<MemoryObject>> objects;
  for (const auto& object : created_) {
    if (object->ClassName() == className) objects.push_back(object);
  }
  return objects;
}

namespace {
std::string Text(const std::string& value) {
  return "'" + value + "'";
}
std::string Num(int value) {
  return std::to_string(value);
}
}  // namespace

std::string StructRow(int id, const std::string& name, const std::string& expression,
                      int isExpression, int position) {
  return "INSERT INTO QZPartStructureParas VALUES (" + Num(id) + ", 7, " + Text(name) + ", " +
         Text(expression) + ", " + Num(isExpression) + ", 1, " + Num(position) + ");";
}

std::string PointRow(int id, const std::string& name, const std::string& x, const std::string& y,
                     const std::string& z, int position) {
  return "INSERT INTO QZPartPoints VALUES (" + Num(id) + ", 7, " + Text(name) + ", " + Text(x) +
         ", " + Text(y) + ", " + Text(z) + ", " + Num(position) + ");";
}

std::string PropertyRows(int id, const std::string& name, const std::string& value,
                         int isExpression) {
  return "INSERT INTO QZProperties VALUES (" + Num(id) + ", " + Text(name) +
         ");"
         "INSERT INTO QZPartPrptys VALUES (7, " +
         Num(id) + ", " + Num(isExpression) + ", " + Text(value) + ");";
}

std::string EntityRow(int id, int type, const std::string& name, int layer,
                      const std::string& filter, int position) {
  return "INSERT INTO QZPartEntities VALUES (" + Num(id) + ", 7, " + Num(type) + ", " + Text(name) +
         ", 0, " + Num(layer) + ", " + Text(filter) + ", 1, " + Num(position) + ");";
}

std::string LineRows(int id, int from, int to, int position, const std::string& filter) {
  return EntityRow(id, 1, "线" + Num(id), 2, filter, position) +
         "INSERT INTO QZEnt_Line VALUES (7, " + Num(id) + ", " + Num(from) + ", " + Num(to) + ");";
}

std::string ViewRow(int id, const std::string& name, int basePoint, int position) {
  return "INSERT INTO QZPartViews VALUES (" + Num(id) + ", 7, " + Text(name) + ", " +
         Num(basePoint) + ", " + Num(position) + ", NULL);";
}

std::string ViewEntityRow(int view, int entity) {
  return "INSERT INTO QZPartViewEntities VALUES (7, " + Num(view) + ", " + Num(entity) + ");";
}

std::string PartRows(int basePoint) {
  return "INSERT INTO QZParts VALUES (7, '测试件', " + Num(basePoint) +
         ", 1, NULL);"
         "INSERT INTO QZPartGUIDs VALUES (7, 'A1', 'B2', 'C3', 'D4');"
         "INSERT INTO QZLayer VALUES (2, '轮廓线');";
}

void PipelineTest::SetUp() {
  Engine() = EngineState{};
  messages_ = std::make_shared<RecordingMessageService>();
  Engine().messages = messages_;
  component_ = std::make_shared<TrackingComponent>();
  session_ = component_->NewObject("QZdbSPart");
  Engine().session = QZdbSPart(session_);
  Engine().CurrentPartID = kPart;
  columns_ = 0;
  ReleaseComputeData();
}

void PipelineTest::TearDown() {
  component_->Forget();
  ReleaseComputeData();
  CloseLibraryDB();
  Engine() = EngineState{};
  library_.reset();
}

void PipelineTest::Library(const std::string& rows) {
  Open(SchemaSql() + rows, kPart);
}

void PipelineTest::Open(const std::string& sql, int32_t part) {
  Engine().CurrentPartID = part;
  library_ = std::make_unique<ScratchLibrary>(sql);
  ASSERT_TRUE(OpenLibraryDB(library_->Folder(), library_->Path(), kLibraryPassword));
  Engine().LibraryPath = library_->Path();
  Engine().LibraryConnectString = library_->ConnectionString();
  // Block references write their block files; they stay in the scratch folder.
  Engine().BlockFolder = library_->Folder();
  ASSERT_TRUE(InitComp());
}

void PipelineTest::Design(const std::string& name, const std::string& value) {
  ++columns_;
  Ensure(Compute().DesignParas)
      .Add("O", name, value, 0, 1, 1, "", "O." + std::to_string(columns_), 0);
}

void PipelineTest::ChooseView(int32_t id, const std::string& name) {
  ASSERT_TRUE(Compute().Views->Add(id, name, 0));
}

void PipelineTest::Options(const std::array<bool, 5>& checked) {
  for (size_t i = 0; i < checked.size(); ++i)
    Engine().OutputOptions.Insert("Che" + std::to_string(i), checked[i]);
}

bool PipelineTest::ComputeAndDraw() {
  EXPECT_TRUE(ComputeAll());
  LoadAllLayers();
  return DrawPart();
}

Recording PipelineTest::Run() const {
  return Recording::Of(*session_, messages_->Boxes());
}

std::vector<std::string> PipelineTest::BoxLines() const {
  std::vector<std::string> lines;
  for (const MessageBoxRecord& box : Boxes())
    lines.push_back(box.title + "|" + box.text);
  return lines;
}

std::vector<std::string> PipelineTest::Lines(const std::vector<RecordedEvent>& events) {
  std::vector<std::string> lines;
  for (const RecordedEvent& event : events)
    lines.push_back(Describe(event));
  return lines;
}

std::vector<std::string> PipelineTest::Keys(const RecordedView& view) {
  std::vector<std::string> keys;
  for (const RecordedObject& object : view.objects) {
    std::string id = "?";
    for (const RecordedEvent& event : object.events) {
      if (event.op == "set" && event.member == "ID") id = event.value.dump();
    }
    keys.push_back(object.key + "=" + id);
  }
  return keys;
}

std::vector<std::string> PipelineTest::Keys(const MemoryObject& view) {
  std::vector<std::string> keys;
  for (const MemoryObject::Child& child : view.Entities()) {
    keys.push_back(child.key + "=" + std::to_string(HostValueAs<int32_t>(child.object->Get("ID"))));
  }
  return keys;
}

}  // namespace qzdbs::test
