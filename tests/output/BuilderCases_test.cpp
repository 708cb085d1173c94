// Every builder case of tests/data/builders/*.cases: library rows, computed values and the
// entity record in, the builder's result, the objects the view received event by event and
// the message boxes out. A file's "setup" block goes before each of its cases; in the expected
// part "common entity" and "common object" stand for what the shared steps set. Input lines:
//   point ID X Y Z           a computed point "P.<id>"
//   struct ID NAME VALUE     a computed structure parameter "S.<id>" (key "S." & name)
//   sql TEXT                 rows of PartID 7's library (after the schema)
//   draw TYPE ID NAME [LAYER]   the entity to build, on layer 2 unless told
//   record ISASSIST VISIBLE MATCHPROP COLOUR   the record's flags, when not 0 1 1 256
#include <gtest/gtest.h>

#include <sstream>

#include "base/MessageService.h"
#include "base/NumberText.h"
#include "compute/Computation.h"
#include "db/colEntityList.h"
#include "host/memory/MemoryHost.h"
#include "host/recording/Recording.h"
#include "output/BuilderTable.h"
#include "output/OutputCommon.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "support/CaseFile.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::test {
namespace {

class BuilderCases : public ::testing::Test {
 protected:
  void SetUp() override {
    Engine() = EngineState{};
    Engine().messages = messages_ = std::make_shared<RecordingMessageService>();
    component_ = MemoryComponent::Make();
    session_ = component_->NewObject("QZdbSPart");
    Engine().session = QZdbSPart(session_);
    Engine().CurrentPartID = 7;
    ReleaseComputeData();
    DbView view(component_->NewObject("DbView"));
    Engine().session.AddView(view);
    Compute().CurrentView = view;
    Compute().Layers = std::make_shared<OrderedMap<std::string>>();
    Compute().Layers->Insert("X2", "轮廓线");
  }
  void TearDown() override {
    ReleaseComputeData();
    Engine() = EngineState{};
    library_.reset();
  }

  // Runs one case and returns its result lines, with the shared steps' lines folded back.
  std::vector<std::string> Run(const CaseFileCase& c) {
    std::string rows;
    clsEntityList record;
    record.LayerID = 2;
    record.Color = 256;
    record.Visible = record.IsMatchProp = true;
    int32_t type = 0;
    std::vector<std::string> input = c.setup;
    input.insert(input.end(), c.input.begin(), c.input.end());
    for (const std::string& line : input) {
      std::istringstream words(line);
      std::string word, rest;
      words >> word;
      if (word == "point") {
        int32_t id;
        Point3 p;
        words >> id >> p[0] >> p[1] >> p[2];
        for (int axis = 0; axis < 3; ++axis) {
          const std::string name = std::to_string(id) + "." + "XYZ"[axis];
          Ensure(Compute().Points)
              .Add("P", "Pt" + name, FormatNumber(p[axis]), 0, 1, 1, "", "P." + name);
        }
      } else if (word == "struct") {
        int32_t id;
        std::string name;
        words >> id >> name;
        std::getline(words >> std::ws, rest);
        Ensure(Compute().StructParas).Add("S", name, rest, 0, 1, 1, "", "S." + std::to_string(id));
      } else if (word == "sql") {
        std::getline(words >> std::ws, rest);
        rows += rest;
      } else if (word == "draw") {
        words >> type >> record.EntityID >> record.EntityName;
        if (!(words >> record.LayerID)) record.LayerID = 2;
      } else if (word == "record") {
        words >> record.IsAssist >> record.Visible >> record.IsMatchProp >> record.Color;
      } else {
        ADD_FAILURE() << "unknown input line: " << line;
      }
    }
    record.XKey = "X" + std::to_string(record.EntityID);
    library_ = std::make_unique<ScratchLibrary>(SchemaSql() + rows);
    Engine().LibraryConnectString = library_->ConnectionString();
    Engine().BlockFolder = library_->Folder();
    EXPECT_TRUE(OpenComputeDB()) << library_->File();

    std::vector<std::string> out = {BuildEntity(type, 5, record) ? "true" : "false"};
    const std::string id = "set ID " + std::to_string(record.EntityID);
    const std::string name = "set Name \"" + record.EntityName + "\"";
    const std::vector<std::string> commonObject = {id, name, "set Sequence 5"};
    const std::vector<std::string> commonEntity = {id,
                                                   name,
                                                   "set IsAssist false",
                                                   "set LayerName \"轮廓线\"",
                                                   "set Color 256",
                                                   "set Visible true",
                                                   "set IsMatchProp true",
                                                   "set Sequence 5"};
    const Recording recording = Recording::Of(*session_, {});
    for (const RecordedObject& object : recording.views.at(0).objects) {
      out.push_back("object " + object.className + " " + object.key);
      std::vector<std::string> lines;
      for (const RecordedEvent& event : object.events)
        lines.push_back(Describe(event));
      for (const auto& [macro, common] :
           {std::pair{"common entity", commonEntity}, std::pair{"common object", commonObject}}) {
        if (lines.size() >= common.size() &&
            std::equal(common.begin(), common.end(), lines.end() - common.size())) {
          lines.resize(lines.size() - common.size());
          lines.push_back(macro);
          break;
        }
      }
      out.insert(out.end(), lines.begin(), lines.end());
    }
    for (const MessageBoxRecord& box : messages_->Boxes()) {
      std::string text = box.text;
      for (const auto& [from, to] : {std::pair{'\r', "\\r"}, std::pair{'\n', "\\n"}}) {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
          text.replace(at, 1, to);
      }
      out.push_back("box " + std::string(IconName(box.icon)) + " " +
                    std::to_string(static_cast<int>(box.buttons)) + " " + box.title + "|" + text);
    }
    return out;
  }

  std::shared_ptr<RecordingMessageService> messages_;
  std::shared_ptr<MemoryComponent> component_;
  std::shared_ptr<MemoryObject> session_;
  std::unique_ptr<ScratchLibrary> library_;
};

TEST_F(BuilderCases, EveryCaseGivesItsRecording) {
  const size_t count = ExpectEveryCase("builders", ".cases", [&](const CaseFileCase& c) {
    TearDown();
    SetUp();
    return Run(c);
  });
  // Every builder with its members, its failures and its flags' readings.
  EXPECT_GE(count, 100u);
}

// A host that refuses the members (no object behind the handle): the identity
// fails without a box, where the entity's attributes show one.
TEST_F(BuilderCases, ObjectIdentityFailsWithoutABoxWhereEntityAttributesShowOne) {
  clsEntityList record;
  record.LayerID = 2;
  EXPECT_FALSE(OutputCommonObject(5, record, DbIdentity()));
  EXPECT_TRUE(messages_->Boxes().empty());
  EXPECT_FALSE(OutputCommonEntity(5, record, DbEntity()));
  ASSERT_EQ(messages_->Boxes().size(), 1u);
  EXPECT_EQ(messages_->Boxes()[0].title, "函数->OutputCommonEntity:");
}

}  // namespace
}  // namespace qzdbs::test
