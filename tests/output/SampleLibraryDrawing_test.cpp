// Every part and size row of the sample library drawn once with every view
// ticked, as the selection dialog's Draw runs it, into the memory host: how
// much reached each view, that no builder failed and every entity type was
// built, and a tolerance that depends on the row. Which entity reaches which
// view is checked with the pipeline's cases.
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

// Draws one size row of a part with every view chosen and returns what the host received.
Recording Draw(const ScratchLibrary& library, const ScratchDir& blocks, int32_t part, int32_t row) {
  Engine() = EngineState{};
  auto messages = std::make_shared<RecordingMessageService>();
  Engine().messages = messages;
  auto component = MemoryComponent::Make();
  auto session = component->NewObject("QZdbSPart");
  Engine().session = QZdbSPart(session);
  Engine().BlockFolder = blocks.Folder();
  Engine().CurrentPartID = part;
  Engine().LibraryConnectString = library.ConnectionString();
  EXPECT_TRUE(OpenLibraryDB(library.Folder(), library.Path(), kLibraryPassword));
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
    Ensure(Compute().DesignParas)
        .Add("O", name->ParaName,
             name->ParaType == 1 ? cell->StringValue : FormatNumber(cell->RealValue), 0, 1,
             name->Visible, "", "O." + std::to_string(column));
  }
  EXPECT_TRUE(selection.getPartView(*Compute().Views));
  EXPECT_TRUE(ComputeAll());
  LoadAllLayers();
  EXPECT_TRUE(DrawPart());
  Recording recording = Recording::Of(*session, messages->Boxes());
  ReleaseComputeData();
  CloseLibraryDB();
  Engine() = EngineState{};
  return recording;
}

TEST(SampleLibraryDrawing, EveryPartAndRowIsDrawnWithoutAFailure) {
  const ScratchLibrary library(SampleLibrarySql());
  const ScratchDir blocks;
  struct Case {
    int32_t part, row;
    std::vector<size_t> objects;  // per view, empty where not known beforehand
  };
  const Case cases[] = {
      {1, 1, {18, 15}}, {1, 2, {}},       {1, 3, {}},       {2, 1, {16, 8}},  {2, 2, {}},
      {2, 3, {}},       {3, 1, {18, 10}}, {3, 2, {19, 10}}, {3, 3, {19, 10}},
  };
  std::set<std::string> classes;
  int tolerances = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "PartID " << c.part << " row " << c.row);
    const Recording recording = Draw(library, blocks, c.part, c.row);
    EXPECT_TRUE(recording.messages.empty()) << recording.messages[0].text;
    ASSERT_EQ(recording.views.size(), 2u);
    std::vector<size_t> counts;
    for (const RecordedView& view : recording.views) {
      counts.push_back(view.objects.size());
      for (const RecordedObject& object : view.objects) {
        classes.insert(object.className);
        // The bolt's text is its thread diameter with h9: over 10 to 18 mm h9 is
        // 0/-0.043, where the library stores the 6 to 10 mm value -0.036.
        if (c.part != 1 || c.row != 2 || object.className != "DbMText") continue;
        for (const RecordedEvent& event : object.events) {
          if (event.member == "TextString") {
            EXPECT_EQ(event.value, "12");
          } else if (event.member == "BottomTol") {
            EXPECT_NEAR(event.value.get<double>(), -0.043, 1e-12);
            ++tolerances;
          }
        }
      }
    }
    if (!c.objects.empty()) {
      EXPECT_EQ(counts, c.objects);
    }
  }
  EXPECT_EQ(tolerances, 1);
  // One host class per entity type 1 to 26.
  EXPECT_EQ(classes.size(), 26u);
}

}  // namespace
}  // namespace qzdbs::test
