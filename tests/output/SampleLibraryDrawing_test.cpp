// Every part and size row of the sample library drawn end to end with every
// view ticked, as the selection dialog's Draw runs it, into the memory host:
// how much reached each view, that no builder failed, and a tolerance that
// depends on the row. Which entity reaches which view is checked with the
// pipeline's tests.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "base/NumberText.h"
#include "compute/Computation.h"
#include "db/LibraryDB.h"
#include "db/clsPartSelDB.h"
#include "db/colPartView.h"
#include "host/memory/MemoryHost.h"
#include "host/recording/Recording.h"
#include "output/DrawingPass.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::test {
namespace {

class SampleLibraryDrawingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { library_ = std::make_unique<ScratchLibrary>(SampleLibrarySql()); }
  static void TearDownTestSuite() { library_.reset(); }
  void TearDown() override {
    ReleaseComputeData();
    CloseLibraryDB();
    Engine() = EngineState{};
  }

  // Draws one size row of a part, with every view chosen or none, and
  // returns what the host received.
  Recording Draw(int32_t part, int32_t row, bool allViews) {
    Engine() = EngineState{};
    auto messages = std::make_shared<RecordingMessageService>();
    Engine().messages = messages;
    auto component = MemoryComponent::Make();
    auto session = component->NewObject("QZdbSPart");
    Engine().session = QZdbSPart(session);
    Engine().BlockFolder = blocks_.Folder();
    Engine().CurrentPartID = part;
    Engine().LibraryConnectString = library_->ConnectionString();
    EXPECT_TRUE(OpenLibraryDB(library_->Folder(), library_->Path(), kLibraryPassword));
    EXPECT_TRUE(InitComp());

    clsPartSelDB selection;
    selection.InitClassData(part);
    colInputPara names, values;
    EXPECT_TRUE(selection.getInputParaName(names));
    EXPECT_TRUE(selection.getInputParaData(values, names));
    for (int32_t column = 1; column <= names.Count(); ++column) {
      const auto& name = names.Item(column);
      const auto& cell = values.Item(std::to_string(row) + "->" + std::to_string(name->ParaID));
      if (!cell) {
        ADD_FAILURE() << "no value for " << name->ParaName;
        continue;
      }
      const std::string text =
          name->ParaType == 1 ? cell->StringValue : FormatNumber(cell->RealValue);
      Ensure(Compute().DesignParas)
          .Add("O", name->ParaName, text, 0, 1, name->Visible, "", "O." + std::to_string(column));
    }
    if (allViews) {
      EXPECT_TRUE(selection.getPartView(*Compute().Views));
    }

    EXPECT_TRUE(ComputeAll());
    LoadAllLayers();
    EXPECT_TRUE(DrawPart());
    return Recording::Of(*session, messages->Boxes());
  }

  static std::vector<size_t> Counts(const Recording& recording) {
    std::vector<size_t> counts;
    for (const RecordedView& view : recording.views)
      counts.push_back(view.objects.size());
    return counts;
  }

  static const RecordedObject* Find(const Recording& recording, const std::string& className) {
    for (const RecordedView& view : recording.views) {
      for (const RecordedObject& object : view.objects) {
        if (object.className == className) return &object;
      }
    }
    return nullptr;
  }

  static std::string FirstBox(const Recording& recording) {
    if (recording.messages.empty()) return {};
    return recording.messages[0].title + " " + recording.messages[0].text;
  }

 private:
  static std::unique_ptr<ScratchLibrary> library_;
  ScratchDir blocks_;
};

std::unique_ptr<ScratchLibrary> SampleLibraryDrawingTest::library_;

TEST_F(SampleLibraryDrawingTest, EveryPartAndRowIsDrawnWithoutAFailure) {
  struct Case {
    int32_t part, row;
    std::vector<size_t> objects;  // per view, empty where not known beforehand
  };
  const Case cases[] = {
      {1, 1, {18, 15}}, {1, 2, {}},       {1, 3, {}},       {2, 1, {16, 8}},  {2, 2, {}},
      {2, 3, {}},       {3, 1, {18, 10}}, {3, 2, {19, 10}}, {3, 3, {19, 10}},
  };
  std::set<std::string> classes;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "PartID " << c.part << " row " << c.row);
    Recording recording = Draw(c.part, c.row, /*allViews=*/true);
    EXPECT_TRUE(recording.messages.empty()) << FirstBox(recording);
    ASSERT_EQ(recording.views.size(), 2u);
    if (!c.objects.empty()) {
      EXPECT_EQ(Counts(recording), c.objects);
    }
    for (const RecordedView& view : recording.views) {
      for (const RecordedObject& object : view.objects)
        classes.insert(object.className);
    }
    TearDown();
  }
  // One host class per entity type 1 to 26.
  EXPECT_EQ(classes.size(), 26u);
}

TEST_F(SampleLibraryDrawingTest, ComputedMultilineTextTakesItsToleranceFromItsSize) {
  // The bolt's text is its thread diameter with h9: over 10 to 18 mm h9 is
  // 0/-0.043, where the library stores the 6 to 10 mm value -0.036.
  Recording recording = Draw(1, 2, /*allViews=*/true);
  const RecordedObject* text = Find(recording, "DbMText");
  ASSERT_TRUE(text);
  nlohmann::json shown, lower;
  for (const RecordedEvent& event : text->events) {
    if (event.member == "TextString") shown = event.value;
    if (event.member == "BottomTol") lower = event.value;
  }
  EXPECT_EQ(shown, "12");
  ASSERT_TRUE(lower.is_number());
  EXPECT_NEAR(lower.get<double>(), -0.043, 1e-12);
}

}  // namespace
}  // namespace qzdbs::test
