// The part selection window driven with the mouse and keyboard: the tree,
// the grid's in-place editing, the view list, the options and the commands,
// and what the engine then hands the host.
#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "QtHarness.h"
#include "engine/IQZdbEngine.h"
#include "state/EngineState.h"
#include "ui/qt/QtSelectionDialog.h"

namespace qzdbs::test {
namespace {

using ui::frmPartSel;
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

TEST_F(PartSelWindowTest, TypingADigitAndDrawingHandsThatValueAndTheTickedView) {
  ui::qt::Selection().onShow = [this](PartSelWindow& window) {
    ChooseInTree(window, QString::fromUtf8(kBolt));
    const int l = ColumnOf(window, "L");
    ClickCell(Grid(window), 2, l);
    QTest::keyClick(&Grid(window), Qt::Key_5);
    EXPECT_TRUE(Editor(window).isVisible());
    EXPECT_EQ(Editor(window).text(), "5");
    ClickCell(Grid(window), 2, 1);  // leaving the cell writes the edit back
    EXPECT_FALSE(Editor(window).isVisible());
    EXPECT_EQ(Grid(window).item(2, l)->text(), "5");
    ClickCell(Grid(window), 2, l);
    TickView(window, QString::fromUtf8("左视图"));
    QTest::mouseClick(window.findChildren<QCheckBox*>("chkOut")[2], Qt::LeftButton);
    Click(window, "cmd_Draw");
  };
  EXPECT_EQ(IQZdbEngine().startSPartGen(), 1);
  EXPECT_TRUE(messages->Boxes().empty());
  auto inputs = Dictionary("InputParameters");
  EXPECT_EQ(inputs, (decltype(inputs){
                        {"Thread", "M12"}, {"L", "5"}, {"s", "18"}, {"k", "7.5"}, {"P", "1.75"}}));
  EXPECT_EQ(SessionViewNames(), (std::vector<std::string>{"左视图"}));
  EXPECT_TRUE(HostValueAs<bool>(session->Get("GroupPart")));
}

TEST_F(PartSelWindowTest, InPlaceEditorStartsEndsAndSwallowsEnter) {
  auto window = OpenWindow();
  ChooseInTree(*window, QString::fromUtf8(kBolt));
  QTableWidget& grid = Grid(*window);
  const int l = ColumnOf(*window, "L");
  struct Case {
    const char* what;
    std::function<void()> start;
    QString text;  // empty: the cell's text as it was
  };
  const std::vector<Case> cases = {
      {"digit", [&] { QTest::keyClick(&grid, Qt::Key_7); }, "7"},
      {"letter", [&] { QTest::keyClicks(&grid, "x"); }, "x"},
      {"double click", [&] { DoubleClickCell(grid, 2, l); }, {}},
  };
  for (auto c : cases) {
    ClickCell(grid, 2, l);
    if (c.text.isEmpty()) c.text = grid.item(2, l)->text();
    c.start();
    ASSERT_TRUE(Editor(*window).isVisible()) << c.what;
    EXPECT_EQ(Editor(*window).text(), c.text) << c.what;
    EXPECT_EQ(Editor(*window).cursorPosition(), c.text.size()) << c.what;
    QTest::keyClick(&Editor(*window), Qt::Key_Return);
    EXPECT_TRUE(Editor(*window).isVisible()) << c.what << ": Enter ends nothing";
    EXPECT_EQ(Editor(*window).text(), c.text) << c.what;
    ClickCell(grid, 1, l);
    EXPECT_FALSE(Editor(*window).isVisible()) << c.what;
    EXPECT_EQ(grid.item(2, l)->text(), c.text) << c.what;
  }
  // Typing more into the box, then scrolling the grid, writes it back too.
  ClickCell(grid, 2, l);
  QTest::keyClick(&grid, Qt::Key_4);
  QTest::keyClicks(&Editor(*window), "2");
  window->Model().GridScrolled();
  EXPECT_EQ(grid.item(2, l)->text(), "42");
  EXPECT_EQ(window->Model().fgd_InputPara().TextMatrix(2, l), "42");
}

TEST_F(PartSelWindowTest, SearchBoxFiltersPartsByName) {
  auto window = OpenWindow();
  auto* tree = window->findChild<QTreeWidget*>("QZPartTree");
  auto* search = window->findChild<QLineEdit*>("txtSearch");
  ASSERT_NE(search, nullptr);
  auto shown = [&](const char* name) {
    return !tree->findItems(QString::fromUtf8(name), Qt::MatchExactly | Qt::MatchRecursive)
                .front()
                ->isHidden();
  };
  // Chinese arrives from the input method as a committed string.
  QInputMethodEvent typed;
  typed.setCommitString(QString::fromUtf8("垫圈"));
  QApplication::sendEvent(search, &typed);
  EXPECT_TRUE(shown("外齿锁紧垫圈"));
  EXPECT_FALSE(shown(kBolt));
  EXPECT_FALSE(shown("板式平焊法兰"));
  EXPECT_FALSE(shown("法兰"));  // the folder with nothing left to show
  search->clear();
  EXPECT_TRUE(shown(kBolt));
  EXPECT_TRUE(shown("板式平焊法兰"));
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

TEST_F(PartSelWindowTest, StoredPngPictureIsShownAsStored) {
  auto window = OpenWindow();
  ChooseInTree(*window, QString::fromUtf8("外齿锁紧垫圈"));
  auto* picture = window->findChild<QLabel*>("picPartView");
  const QPixmap shown = picture->pixmap();
  ASSERT_FALSE(shown.isNull());
  EXPECT_FALSE(picture->property("live").toBool());
  // The stored picture is 64 by 48: scaled to the viewer, its shape stays.
  EXPECT_NEAR(static_cast<double>(shown.width()) / shown.height(), 64.0 / 48.0, 0.05);
}

TEST_F(PartSelWindowTest, StoredMetafileIsShownAndADamagedOneSaysSo) {
  {
    // The bolt's stored picture is a placeable metafile framing 1600 by 800.
    auto window = OpenWindow();
    ChooseInTree(*window, QString::fromUtf8(kBolt));
    auto* picture = window->findChild<QLabel*>("picPartView");
    ASSERT_FALSE(picture->pixmap().isNull());
    EXPECT_FALSE(picture->property("live").toBool());
    EXPECT_NEAR(static_cast<double>(picture->pixmap().width()) / picture->pixmap().height(), 2.0,
                0.05);
  }
  // Its first bytes only: a metafile cut short.
  const std::string damaged =
      "UPDATE QZParts SET PartPic = substr(PartPic, 1, 60) WHERE PartID = 1;";
  for (const bool live : {false, true}) {
    auto window = OpenWindow(damaged);
    window->SetLivePreview(live);
    ChooseInTree(*window, QString::fromUtf8(kBolt));
    auto* picture = window->findChild<QLabel*>("picPartView");
    EXPECT_EQ(picture->property("live").toBool(), live);
    EXPECT_EQ(picture->pixmap().isNull(), !live) << "the drawing stands in when live";
    EXPECT_EQ(picture->text(), live ? QString() : QString::fromUtf8("无法显示预览图"));
  }
}

}  // namespace
}  // namespace qzdbs::test
