// The engine's public class: the session setter and a run's start and end.
#include "engine/IQZdbEngine.h"

#include <gtest/gtest.h>

#include <functional>

#include "db/recordset/Connection.h"
#include "host/memory/MemoryHost.h"
#include "state/EngineState.h"

namespace qzdbs {
namespace {

class ScriptedDialog : public SelectionDialog {
 public:
  explicit ScriptedDialog(std::function<void()> script) : script_(std::move(script)) {}
  void ShowModal() override { script_(); }

 private:
  std::function<void()> script_;
};

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Engine() = EngineState{};
    messages = std::make_shared<RecordingMessageService>();
    Engine().messages = messages;
    component = MemoryComponent::Make();
    session = component->NewObject("QZdbSPart");
  }
  void Dialog(std::function<void()> script) {
    Engine().selectionDialog = [script] { return std::make_unique<ScriptedDialog>(script); };
  }

  std::shared_ptr<RecordingMessageService> messages;
  std::shared_ptr<MemoryComponent> component;
  std::shared_ptr<MemoryObject> session;
  IQZdbEngine engine;
};

TEST_F(EngineTest, SetterTwiceKeepsOnlyTheSecondSession) {
  session->Preset("DrawScale", 2.0);
  session->Preset("BlockFolder", std::string("/first/"));
  auto second = component->NewObject("QZdbSPart");
  second->Preset("DrawScale", 0.5);
  second->Preset("BlockFolder", std::string("/second/"));
  engine.QZdbSPart(session);
  engine.QZdbSPart(second);
  EXPECT_EQ(Engine().session.Object(), second);
  EXPECT_EQ(Engine().DrawScale, 0.5);
  EXPECT_EQ(Engine().BlockFolder, "/second/");
  // Not editing: a run reads no identity from the session.
  Engine().CurrentPartGUID = "before";
  Dialog([] {});
  engine.startSPartGen();
  EXPECT_EQ(Engine().CurrentPartGUID, "before");
}

// A run's result is what its own dialog left: a cancel after a success is 0.
TEST_F(EngineTest, EachRunReturnsWhatItsDialogLeftAndClosesTheConnection) {
  int shown = 0;
  Dialog([&] { ++shown; });
  engine.QZdbSPart(session);
  EXPECT_EQ(engine.startSPartGen(), 0);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(messages->Boxes().empty());
  std::shared_ptr<db::Connection> seen;
  Dialog([&] {
    Engine().LibraryConnection = seen = std::make_shared<db::Connection>();
    Engine().GenerateResult = 1;
  });
  EXPECT_EQ(engine.startSPartGen(), 1);
  EXPECT_FALSE(Engine().LibraryConnection);
  EXPECT_EQ(seen->State(), db::ObjectState::Closed);
  Dialog([] {});
  EXPECT_EQ(engine.startSPartGen(), 0);
}

TEST_F(EngineTest, EditingSessionIsReadAndItsParametersWalkedBeforeTheDialog) {
  session->Preset("IsEditing", int32_t{-1});
  session->Preset("Name", std::string("{GUID}"));
  session->Preset("ID", int32_t{42});
  session->Preset("PartName", std::string("螺栓"));
  session->Preset("DBPath", std::string("/lib/parts.qzlib"));
  auto inputs = component->NewObject("DbDictionary");
  DbDictionary(inputs).Add("12", "d");
  DbDictionary(inputs).Add("60", "L");
  session->Preset("InputParameters", std::shared_ptr<HostObject>(inputs));
  size_t eventsWhenShown = 0;
  Dialog([&] { eventsWhenShown = inputs->Events().size(); });
  engine.QZdbSPart(session);
  engine.startSPartGen();
  EXPECT_EQ(Engine().CurrentPartGUID, "{GUID}");
  EXPECT_EQ(Engine().CurrentPartID, 42);
  EXPECT_EQ(Engine().CurrentPartName, "螺栓");
  EXPECT_EQ(Engine().LibraryPath, "/lib/parts.qzlib");
  // Add, Add, then Reset and three GetNext calls (two entries, then the end).
  std::vector<std::string> calls;
  for (const auto& e : inputs->Events())
    calls.push_back(e.member);
  EXPECT_EQ(calls,
            (std::vector<std::string>{"Add", "Add", "Reset", "GetNext", "GetNext", "GetNext"}));
  EXPECT_EQ(eventsWhenShown, inputs->Events().size());
}

TEST_F(EngineTest, EditingSessionWithAnEmptyDictionary) {
  session->Preset("IsEditing", true);
  auto inputs = component->NewObject("DbDictionary");
  session->Preset("InputParameters", std::shared_ptr<HostObject>(inputs));
  Dialog([] {});
  engine.QZdbSPart(session);
  EXPECT_EQ(engine.startSPartGen(), 0);
  ASSERT_EQ(inputs->Events().size(), 2u);
  EXPECT_EQ(inputs->Events()[1].member, "GetNext");
}

}  // namespace
}  // namespace qzdbs
