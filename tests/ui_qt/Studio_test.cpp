// The studio as a user meets it: inserting parts through the real selection
// window, the drawing with its layers, properties and parameters, saving in
// every format; and screenshots of the dialogs and the studio for a person
// to look at.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>

#include "QtHarness.h"
#include "support/Ezdxf.h"
#include "support/TestPaths.h"
#include "ui/PartsList.h"
#include "ui/qt/QtSelectionDialog.h"
#include "ui/qt/studio/DrawingStyleDialog.h"
#include "ui/qt/studio/SheetPlacement.h"
#include "ui/qt/studio/StudioWindow.h"
#include "ui/qt/studio/Translation.h"

namespace qzdbs::test {
namespace {

using ui::qt::PartSelWindow;
using ui::qt::StudioWindow;

constexpr const char* kBolt = "六角头螺栓";

std::filesystem::path ScreenshotDir() {
  auto dir = BuildDir() / "screenshots";
  std::filesystem::create_directories(dir);
  return dir;
}

// Saves the widget as it shows and checks that something was drawn on it.
void Screenshot(QWidget& widget, const std::string& name) {
  const QImage image = widget.grab().toImage();
  const auto file = ScreenshotDir() / name;
  ASSERT_TRUE(image.save(QString::fromStdString(file.string()))) << file;
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 4)
    for (int x = 0; x < image.width(); x += 4)
      colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 4u) << name << " is blank";
}

size_t Dimensions(const server::Document& part) {
  size_t count = 0;
  for (const auto& view : part.views)
    for (const auto& entity : view.entities)
      count += std::holds_alternative<server::DimensionShape>(entity.shape);
  return count;
}

class StudioTest : public QtWidgetTest {
 protected:
  // Inserts the bolt of the given grid row with every view, through the
  // selection window as a user would, turns it `turns` quarters with R and
  // places it with a click at `at` (below the part before when not given).
  int InsertBolt(StudioWindow& studio, int row, const std::string& screenshot = {},
                 const char* part = kBolt, int turns = 0, std::optional<Point3> at = {}) {
    const int result = Draw(studio, row, screenshot, part);
    if (result != 1) return result;
    for (int i = 0; i < turns; ++i)
      QTest::keyClick(&studio.Canvas(), Qt::Key_R);
    const Point3 place = at.value_or(Point3{60, 240 - 80.0 * studio.Placed().size(), 0});
    QTest::mouseClick(&studio.Canvas(), Qt::LeftButton, {},
                      studio.Canvas().ToScreen(place).toPoint());
    return result;
  }

  // The selection window's part drawn, waiting on the canvas for its place.
  int Draw(StudioWindow& studio, int row, const std::string& screenshot, const char* part) {
    ui::qt::Selection().onShow = [this, row, screenshot, part](PartSelWindow& window) {
      ChooseInTree(window, QString::fromUtf8(part));
      ClickCell(*window.findChild<QTableWidget*>("fgd_InputPara"), row, 1);
      Click(window, "cmd_SelAllView");
      if (!screenshot.empty()) Screenshot(window, screenshot);
      Click(window, "cmd_Draw");
    };
    return studio.InsertStandardPart();
  }
};

// Inserting shows the part, its properties with their units and layers; equal parts are one
// row of the parts list; the studio's own drawing reopens with the same parts
// drawn again from the same values.
TEST_F(StudioTest, InsertedPartsShowInPropertiesLayersAndPartsListAndReopen) {
  library = std::make_unique<ScratchLibrary>(
      SampleLibrarySql() +
      "ALTER TABLE QZProperties ADD COLUMN Unit TEXT;"
      "UPDATE QZProperties SET Unit = 'g' WHERE PropertyName = 'Mass';");
  ui::qt::Selection().libraries = {library->Path()};
  StudioWindow studio;
  studio.AddLibrary(QString::fromStdString(library->Path()));
  studio.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&studio));
  EXPECT_FALSE(studio.statusBar()->currentMessage().contains("Open a library"));
  ASSERT_EQ(InsertBolt(studio, 2), 1);
  ASSERT_EQ(studio.Canvas().Documents().size(), 1u);
  const auto& part = studio.Canvas().Documents()[0];
  EXPECT_EQ(part.part.name, kBolt);
  EXPECT_GE(part.views.size(), 2u);
  auto* properties = studio.findChild<QTreeWidget*>("properties");
  ASSERT_EQ(properties->topLevelItemCount(), 1);
  auto* inputs = properties->topLevelItem(0)->child(1);
  ASSERT_NE(inputs, nullptr);
  EXPECT_EQ(inputs->childCount(), static_cast<int>(part.part.inputParameters.size()));
  EXPECT_GT(inputs->childCount(), 0);
  // Each property with its unit, as the attribute dialog shows it.
  auto* mass = properties->topLevelItem(0)->child(0)->child(2);
  ASSERT_NE(mass, nullptr);
  EXPECT_EQ(mass->text(0), "Mass");
  EXPECT_TRUE(mass->text(1).endsWith(" g")) << mass->text(1).toStdString();

  // Switching a layer off leaves its entities out of what is drawn.
  auto* layers = studio.findChild<QListWidget*>("layers");
  ASSERT_GT(layers->count(), 0);
  const auto shown = [&](const std::string& layer) {
    size_t count = 0;
    for (const auto& view : studio.Canvas().Shown(part).views)
      for (const auto& entity : view.entities)
        count += layer.empty() || entity.layer == layer;
    return count;
  };
  std::string busiest;
  for (const auto& name : studio.Canvas().LayerNames())
    if (busiest.empty() || shown(name) > shown(busiest)) busiest = name;
  const size_t before = shown(""), most = shown(busiest);
  auto* item = layers->findItems(QString::fromStdString(busiest), Qt::MatchExactly).front();
  item->setCheckState(Qt::Unchecked);
  EXPECT_EQ(shown(""), before - most);
  item->setCheckState(Qt::Checked);

  // The next part comes in the thick line width the drawing style dialog
  // chose (the first keeps its own), turned a quarter by R before the click
  // that places it.
  ui::qt::DrawingStyleDialog style(ui::qt::LoadDrawingStyle());
  style.findChild<QComboBox*>("thickLines")->setCurrentIndex(1);
  style.accept();
  ASSERT_EQ(InsertBolt(studio, 4, {}, kBolt, 1), 1);
  EXPECT_EQ(studio.Placed()[1].placement, (ui::Placement{60, 160, 1}));
  const auto thickest = [](const server::Document& drawn) {
    int32_t widest = 0;
    for (const auto& layer : drawn.layers)
      widest = std::max(widest, layer.lineWeight);
    return widest;
  };
  EXPECT_EQ(thickest(studio.Canvas().Documents()[0]), 50);
  EXPECT_EQ(thickest(studio.Canvas().Documents()[1]), 70);

  // A click selects the first part, a drag moves it with its base point
  // snapped to the grid, Delete takes it out; each of these undoes.
  auto& canvas = studio.Canvas();
  const QPoint on =
      canvas
          .ToScreen(ui::qt::Endpoints(canvas.Documents()[0],
                                      ui::qt::PlacementMap(canvas.Documents()[0].part.basePoint,
                                                           *studio.Placed()[0].placement))
                        .front())
          .toPoint();
  QTest::mouseClick(&canvas, Qt::LeftButton, {}, on);
  EXPECT_EQ(canvas.Selected(), 0);
  const QPoint to = on + (canvas.ToScreen({23.4, -11.2, 0}) - canvas.ToScreen({0, 0, 0})).toPoint();
  QTest::mousePress(&canvas, Qt::LeftButton, {}, on);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), canvas.mapToGlobal(QPointF(to)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&canvas, &move);
  QTest::mouseRelease(&canvas, Qt::LeftButton, {}, to);
  EXPECT_EQ(studio.Placed()[0].placement, (ui::Placement{85, 230, 0}));
  QTest::keyClick(&canvas, Qt::Key_Delete);
  ASSERT_EQ(studio.Placed().size(), 1u);
  ASSERT_TRUE(studio.Undo());
  ASSERT_TRUE(studio.Undo());
  EXPECT_EQ(studio.Placed()[0].placement, (ui::Placement{60, 240, 0}));

  ASSERT_EQ(InsertBolt(studio, 2), 1);
  EXPECT_EQ(studio.Canvas().Documents().size(), 3u);
  EXPECT_EQ(properties->topLevelItemCount(), 3);
  auto* list = studio.findChild<QTableWidget*>("partsList");
  ASSERT_EQ(list->rowCount(), 2);
  EXPECT_EQ(list->horizontalHeaderItem(3)->text(), QString::fromUtf8("数量"));
  EXPECT_EQ(list->item(0, 3)->text(), "2");
  EXPECT_EQ(list->item(1, 3)->text(), "1");
  EXPECT_EQ(list->item(0, 2)->text(),
            QString::fromStdString(studio.Placed()[0].properties[1].second));

  const QString drawing = QString::fromStdString(scratch.Folder() + "bolts.qzdrawing");
  ASSERT_TRUE(studio.SaveStudioDrawing(drawing));
  StudioWindow reopened;
  ASSERT_TRUE(reopened.OpenStudioDrawing(drawing));
  EXPECT_EQ(reopened.Canvas().Documents().size(), 3u);
  EXPECT_EQ(reopened.Placed(), studio.Placed());
  EXPECT_EQ(reopened.findChild<QTableWidget*>("partsList")->rowCount(), 2);
  EXPECT_EQ(reopened.Libraries(), studio.Libraries());
  // A drawing saved before parts had a place opens with them side by side.
  nlohmann::json old = nlohmann::json::parse(std::ifstream(drawing.toStdString()));
  for (auto& entry : old["parts"])
    entry.erase("placement");
  const std::string oldFile = scratch.Folder() + "old.qzdrawing";
  std::ofstream(oldFile) << old.dump();
  StudioWindow older;
  ASSERT_TRUE(older.OpenStudioDrawing(QString::fromStdString(oldFile)));
  ASSERT_EQ(older.Placed().size(), 3u);
  EXPECT_LT(older.Placed()[0].placement->x, older.Placed()[1].placement->x);
  EXPECT_LT(older.Placed()[1].placement->x, older.Placed()[2].placement->x);

  // Deleting a part, undone and redone.
  ASSERT_TRUE(reopened.DeletePart(2));
  EXPECT_EQ(reopened.findChild<QTableWidget*>("partsList")->item(0, 3)->text(), "1");
  ASSERT_TRUE(reopened.Undo());
  EXPECT_EQ(reopened.Placed(), studio.Placed());
  ASSERT_TRUE(reopened.Redo());
  EXPECT_EQ(reopened.Canvas().Documents().size(), 2u);
  EXPECT_FALSE(reopened.Redo());
  EXPECT_FALSE(reopened.DeletePart(2));
}

// Every format is written, an unknown one refused; the DXF of two parts, read
// by ezdxf, holds both parts' dimensions and texts, and the parts list when
// it is drawn on the sheet.
TEST_F(StudioTest, SavesEveryFormatWithEveryInsertedPart) {
  StudioWindow studio;
  studio.AddLibrary(QString::fromStdString(library->Path()));
  EXPECT_FALSE(studio.SaveDrawing(QString::fromStdString(scratch.Folder() + "empty.dxf")));
  ASSERT_EQ(InsertBolt(studio, 1), 1);
  for (const char* name : {"first.dxf", "part.svg", "part.png", "part.pdf"}) {
    const std::string file = scratch.Folder() + name;
    ASSERT_TRUE(studio.SaveDrawing(QString::fromStdString(file))) << name;
    EXPECT_GT(std::filesystem::file_size(file), 200u) << name;
  }
  QString refusal;
  WhenModalOpens("", [&](QWidget& box) {
    refusal = static_cast<QMessageBox&>(box).text();
    box.close();
  });
  EXPECT_FALSE(studio.SaveDrawing(QString::fromStdString(scratch.Folder() + "part.txt")));
  EXPECT_TRUE(refusal.contains("txt"));
  EXPECT_FALSE(std::filesystem::exists(scratch.Folder() + "part.txt"));
  // Save As adds the chosen filter's extension to a name typed without one.
  EXPECT_EQ(ui::qt::WithFilterExtension("/d/part", "DXF (*.dxf)"), "/d/part.dxf");
  EXPECT_EQ(ui::qt::WithFilterExtension("/d/part.svg", "DXF (*.dxf)"), "/d/part.svg");

  ASSERT_EQ(InsertBolt(studio, 3), 1);
  const std::string both = scratch.Folder() + "both.dxf";
  ASSERT_TRUE(studio.SaveDrawing(QString::fromStdString(both)));
  const auto& parts = studio.Canvas().Documents();
  ASSERT_EQ(parts.size(), 2u);
  const nlohmann::json one = InspectWithEzdxf(scratch.Folder() + "first.dxf");
  const nlohmann::json two = InspectWithEzdxf(both);
  ASSERT_TRUE(two.contains("counts"));
  EXPECT_EQ(two["errors"], nlohmann::json::array());
  EXPECT_EQ(one["counts"].value("DIMENSION", 0), Dimensions(parts[0]));
  EXPECT_EQ(two["counts"].value("DIMENSION", 0), Dimensions(parts[0]) + Dimensions(parts[1]));
  // Every text of the first part is still there, next to the second's own.
  std::multiset<std::string> texts;
  for (const auto& text : two["texts"])
    texts.insert(text.get<std::string>());
  for (const auto& text : one["texts"]) {
    const auto found = texts.find(text.get<std::string>());
    ASSERT_NE(found, texts.end()) << text;
    texts.erase(found);
  }
  EXPECT_EQ(texts.size(), one["texts"].size()) << "the second part's texts";
  // The parts list drawn on the sheet goes into the export: its headings
  // and one row per part.
  studio.SetPartsListOnSheet(true);
  const std::string listed = scratch.Folder() + "listed.dxf";
  ASSERT_TRUE(studio.SaveDrawing(QString::fromStdString(listed)));
  const nlohmann::json three = InspectWithEzdxf(listed);
  EXPECT_EQ(three["errors"], nlohmann::json::array());
  std::multiset<std::string> added;
  for (const auto& text : three["texts"])
    added.insert(text.get<std::string>());
  for (const auto& heading : ui::PartsListHeadings())
    EXPECT_EQ(added.count(heading), 1u) << heading;
  for (const auto& row : ui::BuildPartsList(studio.Placed()))
    EXPECT_EQ(added.count(row.name), 1u) << row.name;
}

TEST_F(StudioTest, MenusFollowTheLanguage) {
  struct Case {
    const char* locale;
    QStringList menus;
    const char* insert;
  };
  const Case cases[] = {
      {"zh_CN", {"文件(&F)", "零件(&P)", "编辑(&E)", "视图(&V)"}, "插入标准件(&I)..."},
      {"en_US", {"&File", "&Part", "&Edit", "&View"}, "&Insert standard part..."},
      // No translation of its own: the texts stay English.
      {"de_DE", {"&File", "&Part", "&Edit", "&View"}, "&Insert standard part..."}};
  for (const Case& c : cases) {
    EXPECT_EQ(ui::qt::InstallStudioTranslation(QLocale(c.locale)), c.locale[0] != 'd') << c.locale;
    StudioWindow studio;
    QStringList menus;
    for (QAction* action : studio.menuBar()->actions())
      menus << action->text();
    EXPECT_EQ(menus, c.menus) << c.locale;
    EXPECT_EQ(studio.findChild<QAction*>("actionInsert")->text(), QString::fromUtf8(c.insert))
        << c.locale;
  }
  // The dialogs' own captions stay as they are in any language.
  ASSERT_TRUE(ui::qt::InstallStudioTranslation(QLocale("zh_CN")));
  {
    auto window = OpenWindow();
    EXPECT_EQ(window->findChild<QPushButton*>("cmd_Draw")->text(), QString::fromUtf8("绘  制  "));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("选择欲出库零件的信息："));
  }
  EXPECT_FALSE(ui::qt::InstallStudioTranslation(QLocale::c()));
}

// The program itself picks its language from the system's locale; its
// command-line help is the quickest of its texts to read from outside.
TEST(StudioProgramTest, HelpFollowsTheSystemLanguage) {
  const auto program = BuildDir() / "apps/qzdbs-studio/qzdbs-studio";
  ASSERT_TRUE(std::filesystem::exists(program)) << program;
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"zh_CN.UTF-8", "从零件库中把标准件插入图形。"},
      {"en_US.UTF-8", "Inserts standard parts from part libraries into a drawing."}};
  for (const auto& [locale, description] : cases) {
    const std::string command = std::string("LC_ALL=") + locale + " QT_QPA_PLATFORM=offscreen '" +
                                program.string() + "' --help 2>/dev/null";
    std::string help;
    RunCommand(command, &help);
    EXPECT_NE(help.find(description), std::string::npos) << locale << ":\n" << help;
  }
}

TEST_F(StudioTest, ZoomKeepsThePointUnderThePointer) {
  StudioWindow studio;
  auto& canvas = studio.Canvas();
  canvas.resize(800, 600);
  canvas.ZoomBy(2.0, QPointF(100, 100));
  EXPECT_DOUBLE_EQ(canvas.Zoom(), 2.0);
  canvas.ZoomBy(1e9, QPointF(0, 0));
  EXPECT_DOUBLE_EQ(canvas.Zoom(), 200.0);
  canvas.ResetView();
  EXPECT_DOUBLE_EQ(canvas.Zoom(), 1.0);
}

// Where the pointer snaps, how a placement turns a part and which part a
// click finds, without widgets.
TEST(SheetPlacementTest, SnapsTurnsAndFindsParts) {
  using ui::qt::SnapKind;
  const std::vector<Point3> ends = {{12, 7, 0}, {13.5, 7, 0}};
  struct Case {
    Point3 at;
    double grid;
    Point3 snapped;
    SnapKind kind;
  };
  const Case cases[] = {
      {{13, 8, 0}, 5, {13.5, 7, 0}, SnapKind::Endpoint},  // the nearest end, not the grid
      {{17, 8, 0}, 5, {15, 10, 0}, SnapKind::Grid},       // no end within reach
      {{-7.6, 2.4, 0}, 5, {-10, 0, 0}, SnapKind::Grid},
      {{17, 8, 0}, 0, {17, 8, 0}, SnapKind::None},  // no grid
  };
  for (const Case& c : cases) {
    const auto snapped = ui::qt::Snap(c.at, c.grid, ends, 2);
    EXPECT_EQ(snapped.point, c.snapped) << c.at[0];
    EXPECT_EQ(snapped.kind, c.kind) << c.at[0];
  }
  // A quarter turn counter-clockwise about the base point, which then goes
  // where the placement says.
  const auto map = ui::qt::PlacementMap({10, 0, 0}, {100, 50, 1});
  for (const auto& [from, to] : {std::pair<Point3, Point3>{{10, 0, 0}, {100, 50, 0}},
                                 {{20, 0, 0}, {100, 60, 0}},
                                 {{10, 5, 0}, {95, 50, 0}}}) {
    EXPECT_NEAR(map.Apply(from)[0], to[0], 1e-9);
    EXPECT_NEAR(map.Apply(from)[1], to[1], 1e-9);
  }
  // A part is found by its lines, not its box: the inner corner of an L and
  // the inside of a ring are empty, a solid is met inside; of overlapping
  // parts the one drawn last is found.
  const auto part = [](server::Shape shape) {
    server::Document document;
    server::Entity entity;
    entity.shape = std::move(shape);
    document.views.emplace_back().entities.push_back(std::move(entity));
    return document;
  };
  const std::vector<ui::qt::Strokes> parts = {
      ui::qt::PartStrokes(
          part(server::PolylineShape{
              .vertices = {{0, 0, 0}, {20, 0, 0}, {20, 5, 0}, {5, 5, 0}, {5, 20, 0}, {0, 20, 0}},
              .closed = true}),
          {}),
      ui::qt::PartStrokes(part(server::CircleShape{{0, 0, 0}, 8}),
                          ui::qt::PlacementMap({0, 0, 0}, {30, 10, 1})),
      ui::qt::PartStrokes(part(server::SolidShape{{{{34, 4, 0}, {56, 4, 0}, {34, 26, 0}}}}), {})};
  for (const auto& [at, found] : {std::pair<Point3, int>{{15, 15, 0}, -1},
                                  {{12, 5.5, 0}, 0},
                                  {{21.5, 1, 0}, 0},
                                  {{30, 10, 0}, -1},
                                  {{30, 2.2, 0}, 1},
                                  {{42, 14, 0}, 2},
                                  {{38, 10, 0}, 2},
                                  {{60, 60, 0}, -1}})
    EXPECT_EQ(ui::qt::PartAt(parts, at, 2), found) << at[0] << ", " << at[1];
}

// The sample library as a newcomer meets it: not a test but the pictures of
// docs/, run only by scripts/screenshots.sh.
TEST_F(StudioTest, DISABLED_Screenshots) {
  const std::string sample = (BuildDir() / "library" / "metric-parts.qzlib").string();
  constexpr const char* kSampleBolt = "六角头螺栓 GB/T 5782 (ISO 4014) (Hexagon head bolt)";
  constexpr const char* kSampleNut = "1型六角螺母 GB/T 6170 (ISO 4032) (Hexagon nut, style 1)";
  ui::qt::Selection().libraries = {sample};
  StudioWindow studio;
  studio.AddLibrary(QString::fromStdString(sample));
  studio.resize(1280, 800);
  studio.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&studio));
  ASSERT_EQ(InsertBolt(studio, 65, {}, kSampleBolt, 0, Point3{130, 235, 0}), 1);
  ASSERT_EQ(InsertBolt(studio, 5, "frmPartSel.png", kSampleNut, 1, Point3{290, 150, 0}), 1);
  studio.SetPartsListOnSheet(true);
  Screenshot(studio, "qzdbs-studio.png");
  ASSERT_TRUE(studio.SaveDrawing(QString::fromStdString((ScreenshotDir() / "sheet.png").string())));
  ASSERT_TRUE(studio.SaveStudioDrawing(
      QString::fromStdString((ScreenshotDir() / "bolt-and-nut.qzdrawing").string())));
  // A third part on its way: it follows the pointer, snapped to a line end.
  ASSERT_EQ(Draw(studio, 5, {}, kSampleNut), 1);
  const auto& ends = studio.Canvas().Documents()[0];
  const QPoint near =
      studio.Canvas()
          .ToScreen(ui::qt::Endpoints(ends, ui::qt::PlacementMap(ends.part.basePoint,
                                                                 *studio.Placed()[0].placement))
                        .back())
          .toPoint() +
      QPoint(3, 2);
  QMouseEvent move(QEvent::MouseMove, QPointF(near), studio.Canvas().mapToGlobal(QPointF(near)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&studio.Canvas(), &move);
  Screenshot(studio, "qzdbs-studio-placing.png");

  auto catalogue = std::make_shared<ui::Catalogue>();
  ASSERT_TRUE(catalogue->Load({sample}));
  PartSelWindow window(catalogue, dialogs, scratch.Folder() + "WMFtemp.wmf");
  dialogs.SetOwner(&window);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ChooseInTree(window, QString::fromUtf8(kSampleBolt));
  WhenModalOpens("frmStructPara", [&](QWidget& dialog) {
    Screenshot(dialog, "frmStructPara.png");
    WhenModalOpens("frmStructShow", [&](QWidget& show) {
      Screenshot(show, "frmStructShow.png");
      Click(show, "cmdEnterShow");
    });
    Click(dialog, "cmdSelDisplay");
    Click(dialog, "cmdPreForm");
  });
  Click(window, "cmdNext");
  WhenModalOpens("frmAttribute", [&](QWidget& dialog) {
    Screenshot(dialog, "frmAttribute.png");
    Click(dialog, "cmdEnterAtt");
  });
  Click(window, "cmdProperty");
  WhenModalOpens("frmParaShow", [&](QWidget& dialog) {
    Screenshot(dialog, "frmParaShow.png");
    Click(dialog, "cmdEnterShow");
  });
  Click(window, "cmdParaShow");
}

}  // namespace
}  // namespace qzdbs::test
