// The widget tests' application and shared fixture.
#include "QtHarness.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "db/LibraryDB.h"
#include "engine/IQZdbEngine.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "ui/qt/QtMessageService.h"
#include "ui/qt/QtSelectionDialog.h"

namespace qzdbs::test {

namespace {

// The one application of the test program, made before any test runs.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "tests_ui_qt";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) app_ = std::make_unique<QApplication>(argc, argv);
    // Settings the windows remember go to a test folder, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(
        QString("qzdbs-tests-%1").arg(QCoreApplication::applicationPid()));
    QSettings().clear();
  }
  void TearDown() override {
    QSettings().clear();
    app_.reset();
  }

 private:
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

void Poll(const QString& objectName, std::function<void(QWidget&)> action, int triesLeft) {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal && (objectName.isEmpty() || modal->objectName() == objectName) && modal->isVisible()) {
    action(*modal);
    return;
  }
  if (triesLeft == 0) {
    ADD_FAILURE() << "no modal window " << objectName.toStdString() << " opened";
    if (modal) modal->close();
    return;
  }
  QTimer::singleShot(10, [=] { Poll(objectName, action, triesLeft - 1); });
}

QPoint CellCentre(QTableWidget& table, int row, int col) {
  table.scrollToItem(table.item(row, col));
  return table.visualItemRect(table.item(row, col)).center();
}

}  // namespace

void WhenModalOpens(const QString& objectName, std::function<void(QWidget&)> action) {
  QTimer::singleShot(0, [=] { Poll(objectName, action, 300); });
}

void ClickCell(QTableWidget& table, int row, int col) {
  QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, CellCentre(table, row, col));
}

void Click(QWidget& parent, const char* objectName) {
  auto* widget = parent.findChild<QWidget*>(objectName);
  ASSERT_NE(widget, nullptr) << objectName;
  QTest::mouseClick(widget, Qt::LeftButton);
}

void QtWidgetTest::SetUp() {
  Engine() = EngineState{};
  Compute() = ComputeState{};
  ui::qt::InstallQtServices();
  messages = std::make_shared<RecordingMessageService>();
  Engine().messages = messages;
  component = MemoryComponent::Make();
  session = component->NewObject("QZdbSPart");
  session->Preset("DrawScale", 1.0);
  session->Preset("BlockFolder", scratch.Folder());
  IQZdbEngine().QZdbSPart(session);
  library = std::make_unique<ScratchLibrary>(SampleLibrarySql());
  ui::qt::Selection() = {};
  ui::qt::Selection().libraries = {library->Path()};
  ui::qt::Selection().previewPath = scratch.Folder() + "WMFtemp.wmf";
}

void QtWidgetTest::TearDown() {
  ui::qt::Selection() = {};
  CloseLibraryDB();
  Engine() = EngineState{};
  Compute() = ComputeState{};
}

std::unique_ptr<ui::qt::PartSelWindow> QtWidgetTest::OpenWindow(const std::string& extraSql) {
  if (!extraSql.empty()) {
    library = std::make_unique<ScratchLibrary>(SampleLibrarySql() + extraSql);
    ui::qt::Selection().libraries = {library->Path()};
  }
  auto catalogue = std::make_shared<ui::Catalogue>();
  catalogue->Load({library->Path()});
  auto window =
      std::make_unique<ui::qt::PartSelWindow>(catalogue, dialogs, scratch.Folder() + "WMFtemp.wmf");
  dialogs.SetOwner(window.get());
  window->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  return window;
}

void QtWidgetTest::ChooseInTree(ui::qt::PartSelWindow& window, const QString& partName) {
  auto* tree = window.findChild<QTreeWidget*>("QZPartTree");
  ASSERT_NE(tree, nullptr);
  const auto found = tree->findItems(partName, Qt::MatchExactly | Qt::MatchRecursive);
  ASSERT_EQ(found.size(), 1) << partName.toStdString();
  tree->scrollToItem(found.front());
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                    tree->visualItemRect(found.front()).center());
}

int QtWidgetTest::ColumnOf(ui::qt::PartSelWindow& window, const std::string& name) {
  const auto& grid = window.Model().fgd_InputPara();
  for (int col = 1; col < grid.Cols(); ++col)
    if (grid.TextMatrix(0, col) == name) return col;
  ADD_FAILURE() << "no column " << name;
  return 1;
}

}  // namespace qzdbs::test
