// The pipeline from a library's rows to what the session receives: every case of
// tests/data/pipeline/*.cases runs the computation of PartID 7 and the drawing pass on a
// library built from SQL, into a memory host. Input lines:
//   sql TEXT                  rows of the library (after the schema)
//   design NAME VALUE [ALIAS] a design parameter, as the selection dialog adds it
//   view ID NAME              a chosen view
//   options 1 0 1 0 1         the five output options
//   scale X                   the drawing scale
//   structure | compute | draw   ComputeStructurePara, ComputeAll, or LoadAllLayers and DrawPart
//   values                    the computed families are shown after the steps
// Out: each step's result, the families, what the session and each view received (the scratch
// library's path reads LIBRARY), views built but never handed over, and the message boxes.
#include <gtest/gtest.h>

#include <sstream>

#include "base/MessageService.h"
#include "compute/Computation.h"
#include "db/LibraryDB.h"
#include "db/clsPartComputeDB.h"
#include "db/colEntityList.h"
#include "db/colPartView.h"
#include "host/HostClasses.h"
#include "host/memory/MemoryHost.h"
#include "host/recording/Recording.h"
#include "output/DrawingPass.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "support/CaseFile.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::test {
namespace {

// A memory host that remembers every object it creates, so that a view that never
// reached the session can be looked into.
class TrackingComponent : public MemoryComponent {
 public:
  std::shared_ptr<HostObject> CreateObject(std::string_view className) override {
    auto object = NewObject(className);
    created.push_back(object);
    return object;
  }
  std::vector<std::shared_ptr<MemoryObject>> created;
};

class PipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Engine() = EngineState{};
    Engine().messages = messages_ = std::make_shared<RecordingMessageService>();
    component_ = std::make_shared<TrackingComponent>();
    session_ = component_->NewObject("QZdbSPart");
    Engine().session = QZdbSPart(session_);
    Engine().CurrentPartID = 7;
    columns_ = 0;
    ReleaseComputeData();
  }
  void TearDown() override {
    component_->created.clear();  // each object holds its component
    ReleaseComputeData();
    CloseLibraryDB();
    Engine() = EngineState{};
    library_.reset();
  }

  void Library(const std::string& rows) {
    library_ = std::make_unique<ScratchLibrary>(SchemaSql() + rows);
    ASSERT_TRUE(OpenLibraryDB(library_->Folder(), library_->Path(), kLibraryPassword));
    Engine().LibraryPath = library_->Path();
    Engine().LibraryConnectString = library_->ConnectionString();
    Engine().BlockFolder = library_->Folder();  // block files stay in the scratch folder
    ASSERT_TRUE(InitComp());
  }

  std::vector<std::string> Run(const CaseFileCase& c) {
    std::vector<std::string> lines = c.setup, out;
    lines.insert(lines.end(), c.input.begin(), c.input.end());
    std::string rows;
    for (const std::string& line : lines)
      if (line.starts_with("sql ")) rows += line.substr(4);
    Library(rows);
    bool values = false, drawn = false;
    for (const std::string& line : lines) {
      std::istringstream words(line);
      std::string word, name, value, alias;
      words >> word;
      if (word == "design") {
        words >> name >> value >> alias;
        ++columns_;
        Ensure(Compute().DesignParas)
            .Add("O", name, value, 0, 1, 1, "",
                 alias.empty() ? "O." + std::to_string(columns_) : alias, 0);
      } else if (word == "view") {
        int32_t id = 0;
        words >> id >> name;
        EXPECT_TRUE(Compute().Views->Add(id, name, 0));
      } else if (word == "options") {
        for (int i = 0; words >> value; ++i)
          Engine().OutputOptions.Insert("Che" + std::to_string(i), value == "1");
      } else if (word == "scale") {
        words >> Engine().DrawScale;
      } else if (word == "structure" || word == "compute" || word == "draw") {
        if (word == "draw") LoadAllLayers();
        const bool ok = word == "structure" ? ComputeStructurePara()
                        : word == "compute" ? ComputeAll()
                                            : DrawPart();
        out.push_back(word + (ok ? " true" : " false"));
        drawn = drawn || word == "draw";
      } else {
        values = values || word == "values";
        EXPECT_TRUE(word == "values" || word == "sql") << line;
      }
    }
    if (values) Values(out);
    if (drawn) Drawing(out);
    for (const MessageBoxRecord& box : messages_->Boxes())
      out.push_back("box " + std::string(IconName(box.icon)) + " " + box.title + "|" + box.text);
    for (std::string& line : out) {
      for (const auto& [from, to] :
           {std::pair<std::string, std::string>{library_->Path(), "LIBRARY"},
            {"\r", "\\r"},
            {"\n", "\\n"}}) {
        for (size_t at = line.find(from); at != std::string::npos; at = line.find(from, at))
          line.replace(at, from.size(), to);
      }
    }
    return out;
  }

  static void Values(std::vector<std::string>& out) {
    const ComputeState& state = Compute();
    for (const auto& [family, pending] : {std::pair{state.StructParas, state.StructPending},
                                          {state.Properties, state.PropertiesPending},
                                          {state.Points, state.PointsPending}}) {
      if (!family || !pending) continue;
      for (const clsComputePtr& record : *family)
        out.push_back(record->XKey + " = " + record->ParaValue +
                      (record->isDoneCalValue == 1 ? "" : " (not done)"));
      if (pending->Count() > 0) out.push_back("pending " + std::to_string(pending->Count()));
    }
    out.push_back("passes " + std::to_string(state.PassLimit));
  }

  void Drawing(std::vector<std::string>& out) const {
    if (!Engine().CurrentPartGUID.empty())
      out.push_back("part " + Engine().CurrentPartGUID + " " + Engine().CurrentPartName);
    const Recording run = Recording::Of(*session_, {});
    for (const RecordedEvent& event : run.session) {
      if (!event.value.is_object() || !event.value.contains("events")) {
        out.push_back(Describe(event));
        continue;
      }
      out.push_back(event.op + " " + event.member + " " +
                    event.value.at("class").get<std::string>());
      for (const auto& e : event.value.at("events"))
        out.push_back("  " + e.at("op").get<std::string>() + " " +
                      e.at("member").get<std::string>() + " " + e.at("value").dump());
    }
    for (const RecordedView& view : run.views) {
      out.push_back("view");
      for (const RecordedEvent& event : view.events)
        if (event.member != "AddEntity") out.push_back("  " + Describe(event));
      for (const RecordedObject& object : view.objects) {
        std::string line = "  " + object.key + " " + object.className;
        for (const RecordedEvent& event : object.events)
          if (event.member == "ID" || event.member == "Sequence")
            line += " " + event.member + " " + event.value.dump();
        out.push_back(line);
      }
    }
    const auto& sent = session_->Views();
    for (const auto& view : component_->created) {
      if (view->ClassName() != "DbView" || std::find(sent.begin(), sent.end(), view) != sent.end())
        continue;
      std::string line = "unsent view " + HostValueAs<std::string>(view->Get("Name"));
      for (const MemoryObject::Child& child : view->Entities())
        line +=
            " " + child.key + "=" + std::to_string(HostValueAs<int32_t>(child.object->Get("ID")));
      out.push_back(line);
    }
  }

  std::shared_ptr<RecordingMessageService> messages_;
  std::shared_ptr<TrackingComponent> component_;
  std::shared_ptr<MemoryObject> session_;
  std::unique_ptr<ScratchLibrary> library_;
  int32_t columns_ = 0;
};

TEST_F(PipelineTest, EveryCaseGivesItsValuesAndDrawing) {
  const size_t count = ExpectEveryCase("pipeline", ".cases", [&](const CaseFileCase& c) {
    TearDown();
    SetUp();
    return Run(c);
  });
  // Passes, family order and failures; part information, dictionaries, views and filters.
  EXPECT_GE(count, 25u);
}

// Each text is bounded by the formulas (1 MiB); so are all the texts of a part together:
// 64 copies of a 1 MiB text pass its 64 MiB.
TEST_F(PipelineTest, AllTheTextsAPartComputesTogetherAreBounded) {
  std::string rows = "INSERT INTO QZPartStructureParas VALUES (1, 7, 'T0', 'x', 0, 1, 1);";
  auto row = [&](int id, const std::string& name, const std::string& formula) {
    rows += "INSERT INTO QZPartStructureParas VALUES (" + std::to_string(id) + ", 7, '" + name +
            "', '" + formula + "', 1, 1, " + std::to_string(id) + ");";
  };
  for (int i = 1; i <= 20; ++i) {
    const std::string half = "S.T" + std::to_string(i - 1);
    row(1 + i, "T" + std::to_string(i), half + " & " + half);
  }
  for (int i = 1; i <= 70; ++i)
    row(100 + i, "C" + std::to_string(i), "S.T20 & \"\"");
  Library("INSERT INTO QZParts VALUES (7, '测试件', 1, 1, NULL);" + rows);
  EXPECT_FALSE(ComputeStructurePara());
  ASSERT_FALSE(messages_->Boxes().empty());
  const std::string& text = messages_->Boxes().front().text;
  EXPECT_NE(text.find("64 MiB"), std::string::npos) << text;
  EXPECT_NE(text.find("的 S.C"), std::string::npos) << text;
}

TEST_F(PipelineTest, InitCompStartsFromEmptyAndReleaseDropsEverything) {
  Library(
      "INSERT INTO QZParts VALUES (7, '测试件', 1, 1, NULL); INSERT INTO QZLayer VALUES (2, 'L');"
      "INSERT INTO QZPartPoints VALUES (1, 7, 'BP', '0', '0', '0', 1);"
      "INSERT INTO QZPartStructureParas VALUES (1, 7, 'd', '10', 0, 1, 1);");
  Ensure(Compute().DesignParas).Add("O", "L", "40", 0, 1, 1, "", "O.1", 0);
  ASSERT_TRUE(Compute().Views->Add(31, "主视图", 0));
  Engine().OutputOptions.Insert("Che0", true);
  ASSERT_TRUE(ComputeAll());
  LoadAllLayers();
  LoadAllLayers();  // read again, not added twice
  EXPECT_EQ(Compute().Layers->Count(), 1);

  ASSERT_TRUE(InitComp());
  ComputeState& state = Compute();
  for (const auto* family :
       {&state.DesignParas, &state.StructParas, &state.StructPending, &state.Properties,
        &state.PropertiesPending, &state.Points, &state.PointsPending}) {
    ASSERT_TRUE(*family);
    EXPECT_EQ((*family)->Count(), 0);
  }
  EXPECT_EQ(state.Views->Count() + state.Layers->Count() + state.Entities->Count(), 0);
  EXPECT_EQ(Engine().OutputOptions.Count(), 0);
  EXPECT_EQ(state.ComputeDB->PartID(), 7);

  ReleaseComputeData();
  EXPECT_FALSE(state.DesignParas || state.StructParas || state.Points || state.Properties ||
               state.Views || state.Layers || state.Entities || state.ComputeDB ||
               state.CurrentView);
  EXPECT_TRUE(state.Parser);  // its compiled formulas serve the next drawing

  Engine().LibraryConnectString =
      LibraryConnectionString("/nonexistent/", "/nonexistent/x.db", kLibraryPassword);
  EXPECT_FALSE(InitComp());
  EXPECT_TRUE(messages_->Boxes().empty());
}

}  // namespace
}  // namespace qzdbs::test
