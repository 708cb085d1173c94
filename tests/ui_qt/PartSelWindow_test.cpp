// The part selection window driven with the mouse and keyboard: the tree,
// the grid's in-place editing, the view list, the options and the commands,
// and what the engine then hands the host.
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <array>
#include <filesystem>

#include "QtHarness.h"
#include "state/EngineState.h"
#include "ui/qt/QtSelectionDialog.h"

namespace qzdbs::test {
namespace {

using ui::qt::PartSelWindow;

constexpr const char* kBolt = "六角头螺栓";

QTableWidget& Grid(PartSelWindow& window) {
  return *window.findChild<QTableWidget*>("fgd_InputPara");
}
QLineEdit& Editor(PartSelWindow& window) {
  return *window.findChild<QLineEdit*>("txtEdit");
}
QListWidget& Views(PartSelWindow& window) {
  return *window.findChild<QListWidget*>("lvw_PartVeiw");
}
void TickView(PartSelWindow& window, const QString& name) {
  QListWidget& list = Views(window);
  const auto found = list.findItems(name, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << name.toStdString();
  list.setFocus();
  list.setCurrentItem(found.front());
  QTest::keyClick(&list, Qt::Key_Space);
}

using PartSelWindowTest = QtWidgetTest;

TEST_F(PartSelWindowTest, ChoosingAPartFillsGridWithFixedHeaderAndWidthsFromTwips) {
  auto window = OpenWindow();
  ChooseInTree(*window, QString::fromUtf8(kBolt));
  EXPECT_EQ(Engine().CurrentPartID, 1);
  QTableWidget& grid = Grid(*window);
  const auto& model = window->Model().fgd_InputPara();
  ASSERT_EQ(grid.rowCount(), model.Rows());
  ASSERT_EQ(grid.columnCount(), model.Cols());
  EXPECT_EQ(grid.item(0, 0)->text(), "   O.");
  EXPECT_EQ(grid.item(1, ColumnOf(*window, "L"))->text(),
            QString::fromStdString(model.TextMatrix(1, ColumnOf(*window, "L"))));
  // Fixed cells cannot be chosen; the header keeps its place.
  EXPECT_FALSE(grid.item(0, 1)->flags() & Qt::ItemIsSelectable);
  EXPECT_FALSE(grid.item(1, 0)->flags() & Qt::ItemIsSelectable);
  EXPECT_TRUE(grid.item(1, 1)->flags() & Qt::ItemIsSelectable);
  // 800 twips at the screen's resolution; the hidden pitch column does not show.
  EXPECT_EQ(grid.columnWidth(1), 800 * grid.logicalDpiX() / 1440);
  EXPECT_EQ(grid.columnWidth(0), 500 * grid.logicalDpiX() / 1440);
  EXPECT_TRUE(grid.isColumnHidden(ColumnOf(*window, "P")));
  EXPECT_EQ(Views(*window).count(), 2);
  EXPECT_TRUE(window->findChild<QPushButton*>("cmd_Draw")->isEnabled());
}

// The grid and its editor forward keys to the model, which decides what they
// do (tests/ui): a digit starts the editor, typing goes on in the box, Tab
// writes the edit back and moves on.
TEST_F(PartSelWindowTest, GridAndEditorForwardKeysAndTicksToTheModel) {
  auto window = OpenWindow();
  ChooseInTree(*window, QString::fromUtf8(kBolt));
  QTableWidget& grid = Grid(*window);
  const int l = ColumnOf(*window, "L");
  ClickCell(grid, 2, l);
  QTest::keyClick(&grid, Qt::Key_4);
  ASSERT_TRUE(Editor(*window).isVisible());
  QTest::keyClicks(&Editor(*window), "2");
  EXPECT_EQ(Editor(*window).cursorPosition(), 2);
  QTest::keyClick(&Editor(*window), Qt::Key_Backtab);
  EXPECT_FALSE(Editor(*window).isVisible());
  EXPECT_EQ(grid.item(2, l)->text(), "42");
  EXPECT_EQ(window->Model().fgd_InputPara().TextMatrix(2, l), "42");
  EXPECT_EQ(window->Model().fgd_InputPara().Col(), l - 1);
  // The headings stay in sight when the rows scroll: the header shows them.
  grid.scrollToBottom();
  ASSERT_TRUE(grid.horizontalHeader()->isVisibleTo(window.get()));
  EXPECT_EQ(grid.horizontalHeaderItem(l)->text(), "L");
  // The view list's space key and the option boxes tick the model's own.
  TickView(*window, QString::fromUtf8("左视图"));
  QTest::mouseClick(window->findChildren<QCheckBox*>("chkOut")[2], Qt::LeftButton);
  EXPECT_TRUE(window->Model().lvw_PartVeiw().Item(2).checked);
  EXPECT_FALSE(window->Model().lvw_PartVeiw().Item(1).checked);
  EXPECT_TRUE(window->Model().chkOut(2));
}

// Shift+click and a drag draw the selection on, so that the row where it
// ends is the row drawn; a click on the fixed column picks whole rows.
TEST_F(PartSelWindowTest, SelectionIsDrawnOnByShiftClickAndDrag) {
  auto window = OpenWindow();
  ChooseInTree(*window, QString::fromUtf8(kBolt));
  QTableWidget& grid = Grid(*window);
  const auto& model = window->Model().fgd_InputPara();
  ClickCell(grid, 1, 2);
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                    grid.visualItemRect(grid.item(3, 3)).center());
  EXPECT_EQ((std::array{model.Row(), model.Col(), model.RowSel(), model.ColSel()}),
            (std::array{1, 2, 3, 3}));
  const QPoint from = grid.visualItemRect(grid.item(2, 0)).center();
  const QPoint to = grid.visualItemRect(grid.item(1, 0)).center();
  QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, from);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), grid.viewport()->mapToGlobal(QPointF(to)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(grid.viewport(), &move);
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, to);
  EXPECT_EQ((std::array{model.Row(), model.Col(), model.RowSel(), model.ColSel()}),
            (std::array{2, 1, 1, model.Cols() - 1}));
}

// The last part and row come back in the next window; the tree shows each
// part's whole name on hover.
TEST_F(PartSelWindowTest, LastPartAndRowAreRemembered) {
  {
    auto window = OpenWindow();
    ChooseInTree(*window, QString::fromUtf8(kBolt));
    ClickCell(Grid(*window), 3, 0);
    auto* tree = window->findChild<QTreeWidget*>("QZPartTree");
    const auto bolt =
        tree->findItems(QString::fromUtf8(kBolt), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(bolt.size(), 1);
    EXPECT_EQ(bolt.front()->toolTip(0), QString::fromUtf8(kBolt));
    window->reject();
  }
  Engine().CurrentPartID = -1;
  auto window = OpenWindow();
  EXPECT_EQ(Engine().CurrentPartID, -1);
  window->RestoreLastChoice();
  EXPECT_EQ(Engine().CurrentPartID, 1);
  EXPECT_EQ(window->Model().fgd_InputPara().RowSel(), 3);
}

// Names typed (Chinese arrives from the input method as a committed string),
// standards, designations and sizes filter the tree; the row found opens with the length typed.
TEST_F(PartSelWindowTest, SearchBoxFiltersPartsByNameStandardDesignationAndSize) {
  // A second M16 row lets the bolt's length be typed between rows (30 and 60).
  auto window = OpenWindow(
      "INSERT INTO QZParaValue VALUES (1, 470, 4, 'M16', NULL), (1, 197, 4, NULL, 60.0), "
      "(1, 781, 4, NULL, 24.0), (1, 525, 4, NULL, 10.0), (1, 834, 4, NULL, 2.0);");
  auto* tree = window->findChild<QTreeWidget*>("QZPartTree");
  auto* search = window->findChild<QLineEdit*>("txtSearch");
  ASSERT_NE(search, nullptr);
  const struct {
    const char* typed;
    std::vector<const char*> shown, hidden;
  } rows[] = {
      // "法兰" is the folder with nothing left to show.
      {"垫圈", {"外齿锁紧垫圈"}, {kBolt, "板式平焊法兰", "法兰"}},
      {"", {kBolt, "板式平焊法兰"}, {}},
      // The flange's standard and the washer's designation are in their
      // properties, not their names.
      {"HG/T 20592", {"板式平焊法兰"}, {kBolt, "外齿锁紧垫圈"}},
      {"lock washer", {"外齿锁紧垫圈"}, {kBolt, "板式平焊法兰"}},
      {"M16 x 45", {kBolt}, {"外齿锁紧垫圈", "板式平焊法兰"}},  // no M16 among the washer's sizes
  };
  for (const auto& row : rows) {
    search->clear();
    QInputMethodEvent typed;
    typed.setCommitString(QString::fromUtf8(row.typed));
    QApplication::sendEvent(search, &typed);
    for (const auto& [names, hidden] : {std::pair{row.shown, false}, std::pair{row.hidden, true}})
      for (const char* name : names)
        EXPECT_EQ(tree->findItems(QString::fromUtf8(name), Qt::MatchExactly | Qt::MatchRecursive)
                      .front()
                      ->isHidden(),
                  hidden)
            << row.typed << ": " << name;
  }
  ChooseInTree(*window, QString::fromUtf8(kBolt));
  const auto& grid = window->Model().fgd_InputPara();
  ASSERT_EQ(grid.Row(), 3);
  EXPECT_EQ(grid.TextMatrix(3, 1), "M16");
  EXPECT_EQ(grid.TextMatrix(3, 2), "45");  // L, typed into the first of the two nearest rows
}

TEST_F(PartSelWindowTest, AutoHideBarHidesTheTreeAfterADoubleClickedPart) {
  auto window = OpenWindow();
  auto* panel = window->findChild<QWidget*>("picQZPartTreeBack");
  auto* tree = window->findChild<QTreeWidget*>("QZPartTree");
  ASSERT_TRUE(panel->isVisible());
  auto* item =
      tree->findItems(QString::fromUtf8(kBolt), Qt::MatchExactly | Qt::MatchRecursive).front();
  tree->scrollToItem(item);
  const QPoint at = tree->visualItemRect(item).center();
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(Engine().CurrentPartID, 1);
  EXPECT_FALSE(panel->isVisible());
  Click(*window, "QZAutoHideBar1");
  EXPECT_TRUE(panel->isVisible());
}

TEST_F(PartSelWindowTest, PreviewShowsTheDrawingWhenTheLibraryHasNoPicture) {
  auto window = OpenWindow("UPDATE QZParts SET PartPic = NULL;");
  ChooseInTree(*window, QString::fromUtf8(kBolt));
  auto* picture = window->findChild<QLabel*>("picPartView");
  const QImage first = picture->pixmap().toImage();
  ASSERT_FALSE(first.isNull());
  int dark = 0;
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x)
      dark += qGray(first.pixel(x, y)) < 128;
  EXPECT_GT(dark, 50) << "the drawing has lines";
  // A shorter bolt draws another picture; the host's session got nothing.
  const int l = ColumnOf(*window, "L");
  ClickCell(Grid(*window), 1, l);
  QTest::keyClick(&Grid(*window), Qt::Key_8);
  ClickCell(Grid(*window), 1, 1);
  ASSERT_EQ(Grid(*window).item(1, l)->text(), "8");
  EXPECT_NE(picture->pixmap().toImage(), first);
  EXPECT_TRUE(session->Views().empty());
  EXPECT_EQ(Engine().GenerateResult, 0);
}

// A part made with block files previews without writing them into the
// host's block folder; its own folder goes with the window.
TEST_F(PartSelWindowTest, PreviewWritesBlockFilesOnlyIntoAFolderOfItsOwn) {
  Engine().BlockFolder = scratch.Folder();
  std::string own;
  {
    auto window = OpenWindow();
    ChooseInTree(*window, QString::fromUtf8("板式平焊法兰"));
    ASSERT_FALSE(window->findChild<QLabel*>("picPartView")->pixmap().isNull());
    own = window->PreviewBlockFolder();
    EXPECT_FALSE(std::filesystem::is_empty(own));
    for (const auto& entry : std::filesystem::directory_iterator(scratch.Path()))
      EXPECT_NE(entry.path().extension(), ".DWG") << entry.path();
    EXPECT_EQ(Engine().BlockFolder, scratch.Folder());
  }
  EXPECT_FALSE(std::filesystem::exists(own));
}

// A stored picture shows as stored, in its own shape (the washer's PNG is 64
// by 48, the bolt's placeable metafile frames 1600 by 800); one cut short
// says so, unless the live drawing stands in for it.
TEST_F(PartSelWindowTest, StoredPictureIsShownInItsShapeAndADamagedOneSaysSo) {
  const std::string damaged =
      "UPDATE QZParts SET PartPic = substr(PartPic, 1, 60) WHERE PartID = 1;";
  const struct {
    const char* part;
    std::string sql;
    bool live;
    double shape;  // 0: no picture, -1: the live drawing
    const char* text;
  } rows[] = {
      {"外齿锁紧垫圈", "", true, 64.0 / 48.0, ""},
      {kBolt, "", true, 2.0, ""},
      {kBolt, damaged, false, 0, "无法显示预览图"},
      {kBolt, damaged, true, -1, ""},
  };
  for (const auto& row : rows) {
    auto window = OpenWindow(row.sql);
    window->SetLivePreview(row.live);
    ChooseInTree(*window, QString::fromUtf8(row.part));
    auto* picture = window->findChild<QLabel*>("picPartView");
    const QPixmap shown = picture->pixmap();
    EXPECT_EQ(picture->property("live").toBool(), row.shape < 0) << row.part;
    EXPECT_EQ(shown.isNull(), row.shape == 0) << row.part;
    if (row.shape > 0) {
      EXPECT_NEAR(static_cast<double>(shown.width()) / shown.height(), row.shape, 0.05);
    }
    EXPECT_EQ(picture->text(), QString::fromUtf8(row.text)) << row.part;
  }
}

}  // namespace
}  // namespace qzdbs::test
