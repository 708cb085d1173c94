// The whole run on the three-part sample library: each part with its first
// standard size and the dialog's default choices (no view ticked, no option)
// computed and drawn into the memory host, then again with every view ticked.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "PipelineHarness.h"
#include "compute/Computation.h"
#include "compute/FormulaEvaluator.h"
#include "db/clsPartComputeDB.h"
#include "db/clsPartSelDB.h"
#include "db/colEntityList.h"
#include "db/colPartView.h"
#include "output/DrawingPass.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"

namespace qzdbs::test {
namespace {

class SampleLibraryDrawTest : public PipelineTest {
 protected:
  // Chooses the part's first value row as the selection dialog does, and
  // returns the part's views.
  colPartView ChooseFirstRow(int32_t part) {
    clsPartSelDB selection;
    selection.InitClassData(part);
    colInputPara names, data;
    std::vector<int32_t> rows;
    colPartView views;
    EXPECT_TRUE(selection.getInputParaName(names) && selection.getInputParaData(data, names) &&
                selection.getParaRows(rows) && selection.getPartView(views));
    if (rows.empty()) return views;
    for (int32_t column = 1; column <= names.Count(); ++column) {
      const auto& name = names.Item(column);
      const auto& cell =
          data.Item(std::to_string(rows.front()) + "->" + std::to_string(name->ParaID));
      Ensure(Compute().DesignParas)
          .Add("O", name->ParaName, cell->StringValue, 0, 1, name->Visible, "",
               "O." + std::to_string(column), 0);
    }
    Options({false, false, false, false, false});
    return views;
  }

  // "id class" of each entity of the chosen views (of the whole part when
  // none is chosen) whose filter lets it through, with the host class its
  // type is built as: every type of the sample library builds an object.
  std::multiset<std::string> Drawable() {
    static const char* const kClassOfType[] = {
        "",
        "DbLine",
        "DbCircle",
        "DbArc",
        "DbEllipse",
        "DbPolyline",
        "Db3dPolyline",
        "DbText",
        "DbMText",
        "DbDictionary",
        "DbBlockDefinition",
        "DbBlockReference",
        "DbGroup",
        "DbHatch",
        "DbLeader",
        "DbRotatedDimension",
        "DbAlignedDimension",
        "DbDiametricDimension",
        "DbRadialDimension",
        "Db3PointAngularDimension",
        "Db2LineAngularDimension",
        "DbOrdinateDimension",
        "DbMove",
        "DbPolarArray",
        "DbRectArray",
        "DbRotate",
        "DbMirror",
    };
    colEntityList entities, total;
    clsPartComputeDB& reader = *Compute().ComputeDB;
    if (Compute().Views->Count() == 0) {
      EXPECT_TRUE(reader.getPartEntity(entities, total));
    } else {
      for (const auto& view : *Compute().Views)
        EXPECT_TRUE(reader.getViewEntity(view->PartViewID, entities, total));
    }
    std::multiset<std::string> objects;
    for (const auto& entity : entities) {
      EXPECT_TRUE(entity->EntityType >= 1 && entity->EntityType <= 26) << entity->EntityType;
      if (EvaluateCondition(entity->EntityFilter) == 2) continue;
      objects.insert(std::to_string(entity->EntityID) + " " + kClassOfType[entity->EntityType]);
    }
    return objects;
  }

  static void Drawn(const RecordedView& view, std::multiset<std::string>& objects) {
    for (const RecordedObject& object : view.objects) {
      for (const RecordedEvent& event : object.events) {
        if (event.op == "set" && event.member == "ID")
          objects.insert(event.value.dump() + " " + object.className);
      }
    }
  }
};

TEST_F(SampleLibraryDrawTest, EachPartDrawsEveryEntityOnceWithoutAMessage) {
  const std::string sql = SampleLibrarySql();
  // Objects drawn per part with no view ticked and with every view ticked, of
  // 34, 25 and 28 entities: the washer's first row filters one out, and one
  // construction line of the bolt belongs to no view.
  const std::map<int32_t, std::pair<size_t, size_t>> expected = {
      {1, {34, 33}}, {2, {24, 24}}, {3, {28, 28}}};
  for (const auto& [part, counts] : expected) {
    SCOPED_TRACE("part " + std::to_string(part));
    for (bool tickEveryView : {false, true}) {
      SCOPED_TRACE(tickEveryView ? "every view" : "no view");
      TearDown();
      SetUp();
      Open(sql, part);
      const colPartView views = ChooseFirstRow(part);
      if (tickEveryView) {
        for (const auto& view : views)
          ChooseView(view->PartViewID, view->ViewName);
      }
      ASSERT_TRUE(ComputeAll());
      LoadAllLayers();
      const std::multiset<std::string> drawable = Drawable();
      EXPECT_EQ(drawable.size(), tickEveryView ? counts.second : counts.first);
      ASSERT_TRUE(DrawPart());
      for (const MessageBoxRecord& box : Boxes())
        ADD_FAILURE() << "box " << box.title << " " << box.text;

      const Recording run = Run();
      std::multiset<std::string> drawn;
      if (tickEveryView) {
        ASSERT_EQ(run.views.size(), static_cast<size_t>(views.Count()));
        for (const RecordedView& view : run.views) {
          EXPECT_FALSE(view.objects.empty());
          Drawn(view, drawn);
        }
      } else {
        ASSERT_EQ(run.views.size(), 2u);
        EXPECT_TRUE(run.views[0].objects.empty());
        Drawn(run.views[1], drawn);
      }
      EXPECT_EQ(drawn, drawable);
      EXPECT_EQ(Engine().CurrentPartID, part);
      ReleaseComputeData();
    }
  }
}

}  // namespace
}  // namespace qzdbs::test
