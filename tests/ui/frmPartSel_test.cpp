// The selection dialog's logic that its scenarios (tests/data/ui) do not
// reach: the reopen decision, a computation that cannot start, the
// catalogue's message.
#include "ui/frmPartSel.h"

#include <filesystem>

#include "SelectionHarness.h"
#include "db/recordset/Connection.h"
#include "state/EngineState.h"

namespace qzdbs::test {
namespace {

class PartSelTest : public SelectionTest {
 protected:
  void SetUp() override {
    SelectionTest::SetUp();
    library = SampleLibrary();
    dialog = OpenDialog({library->Path()});
  }

  std::unique_ptr<ScratchLibrary> library;
  std::unique_ptr<ui::frmPartSel> dialog;
};

// The same part reloads on the open connection; another part, or a part of
// another library, reopens; a library that cannot be opened keeps the part.
TEST_F(PartSelTest, LibraryIsReopenedForAnotherPartOnly) {
  auto other = SampleLibrary(
      "UPDATE QZParaValue SET StrValue = 'M20' WHERE PartID = 1 AND RowID = 1;", "other.qzlib");
  dialog = OpenDialog({library->Path(), other->Path()});
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  // A reopen would build the connection string afresh.
  Engine().LibraryConnection->ConnectionString += "Marker=kept;";
  dialog->fgd_InputPara().SetTextMatrix(1, 1, "edited");
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  EXPECT_EQ(db::Connection::Field(Engine().LibraryConnectString, "Marker"), "kept");
  EXPECT_EQ(dialog->fgd_InputPara().TextMatrix(1, 1), "M10");
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 2));
  EXPECT_EQ(db::Connection::Field(Engine().LibraryConnectString, "Marker"), "");

  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  ASSERT_TRUE(dialog->ChoosePart(other->Path(), 1));
  EXPECT_EQ(Engine().LibraryPath, other->Path());
  EXPECT_EQ(db::Connection::Field(Engine().LibraryConnection->ConnectionString, "Dbq"),
            other->Path());
  EXPECT_EQ(Engine().LibraryConnectString, other->ConnectionString());
  EXPECT_EQ(dialog->fgd_InputPara().TextMatrix(1, 1), "M20");

  EXPECT_FALSE(dialog->ChoosePart(scratch.Folder() + "missing.qzlib", 2));
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"提示： 无法打开用户指定的数据库！"}));
  EXPECT_EQ(Boxes().front().icon, MsgIcon::Information);
  EXPECT_EQ(dialog->fgd_InputPara().TextMatrix(1, 1), "M20");
  EXPECT_EQ(Engine().CurrentPartID, 1);
}

TEST_F(PartSelTest, InitCompFailureIsReportedAndTheDialogStays) {
  ASSERT_TRUE(dialog->ChoosePart(library->Path(), 1));
  // The shared connection keeps the file; the computation's own connection
  // cannot find it any more.
  std::filesystem::remove(library->File());
  messages->Clear();
  EXPECT_FALSE(dialog->cmd_Draw());
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"提示： InitComp初始化数据计算集合时出错"}));
  EXPECT_EQ(Boxes().front().icon, MsgIcon::Exclamation);
  EXPECT_TRUE(dialog->IsLoaded());
  messages->Clear();
  dialog->cmdNext();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"提示： InitComp初始化数据计算集合时出错"}));
  EXPECT_EQ(dialogs.shown, 0);
}

TEST_F(PartSelTest, CatalogueMessageIsShownOnLoad) {
  dialog = OpenDialog({library->Path(), scratch.Folder() + "absent.qzlib"});
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes().front().icon, MsgIcon::Information);
  EXPECT_NE(Boxes().front().text.find("absent.qzlib"), std::string::npos) << Boxes().front().text;
  EXPECT_EQ(dialog->Tree().Libraries().size(), 1u);
}

}  // namespace
}  // namespace qzdbs::test
