// The dialogs the selection window opens, driven through their widgets: the structure
// parameters edited and drawn, the column display choices, and the message boxes the engine
// shows. What the dialogs decide is checked on their models (tests/ui).
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "QtHarness.h"
#include "engine/IQZdbEngine.h"
#include "state/EngineState.h"
#include "state/Messages.h"
#include "ui/qt/QtMessageService.h"
#include "ui/qt/QtSelectionDialog.h"

namespace qzdbs::test {
namespace {

using ui::qt::PartSelWindow;

constexpr const char* kBolt = "六角头螺栓";

using SubWindowsTest = QtWidgetTest;

TEST_F(SubWindowsTest, StructureParameterValueTypedThenDrawnClosesBothDialogs) {
  ui::qt::Selection().onShow = [&](PartSelWindow& window) {
    ChooseInTree(window, QString::fromUtf8(kBolt));
    WhenModalOpens("frmStructPara", [&](QWidget& dialog) {
      EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("结构参数结果显示："));
      auto& grid = *dialog.findChild<QTableWidget*>("fgdStructPara");
      ASSERT_EQ(grid.rowCount(), 3);
      ClickCell(grid, 2, 1);
      QTest::keyClick(&grid, Qt::Key_9);
      auto* editor = dialog.findChild<QLineEdit*>("txtEditStr");
      ASSERT_TRUE(editor->isVisible());
      EXPECT_EQ(editor->text(), "9");
      Click(dialog, "cmdDrawStr");
    });
    Click(window, "cmdNext");
  };
  EXPECT_EQ(IQZdbEngine().startSPartGen(), 1);
  EXPECT_FALSE(session->Views().empty());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(SubWindowsTest, ParaShowUntickedColumnIsHiddenAndTickedHiddenOneShows) {
  auto window = OpenWindow();
  ChooseInTree(*window, QString::fromUtf8(kBolt));
  auto& grid = *window->findChild<QTableWidget*>("fgd_InputPara");
  const int pitch = ColumnOf(*window, "P");
  ASSERT_TRUE(grid.isColumnHidden(pitch));
  WhenModalOpens("frmParaShow", [&](QWidget& dialog) {
    auto& list = *dialog.findChild<QListWidget*>("lvwCheckShow");
    ASSERT_EQ(list.count(), grid.columnCount() - 1);
    EXPECT_EQ(list.item(pitch - 1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list.item(0)->checkState(), Qt::Checked);
    for (int row : {0, pitch - 1}) {
      list.setCurrentRow(row);
      QTest::keyClick(&list, Qt::Key_Space);
    }
    Click(dialog, "cmdEnterShow");
  });
  Click(*window, "cmdParaShow");
  EXPECT_TRUE(grid.isColumnHidden(1));
  EXPECT_FALSE(grid.isColumnHidden(pitch));
  EXPECT_EQ(grid.columnWidth(pitch), 800 * grid.logicalDpiX() / 1440);
}

TEST_F(SubWindowsTest, MessageBoxShowsIconTitleAndAnswersWithTheButtonPressed) {
  Engine().messages = std::make_shared<ui::qt::QtMessageService>();
  struct Case {
    MsgIcon icon;
    MsgButtons buttons;
    QMessageBox::Icon shown;
    QMessageBox::StandardButton press;
    MsgResult result;
  };
  const std::vector<Case> cases = {
      {MsgIcon::Information, MsgButtons::OK, QMessageBox::Information, QMessageBox::Ok,
       MsgResult::OK},
      {MsgIcon::Exclamation, MsgButtons::OKCancel, QMessageBox::Warning, QMessageBox::Cancel,
       MsgResult::Cancel},
      {MsgIcon::Question, MsgButtons::YesNo, QMessageBox::Question, QMessageBox::No, MsgResult::No},
      {MsgIcon::Critical, MsgButtons::YesNoCancel, QMessageBox::Critical, QMessageBox::Yes,
       MsgResult::Yes},
  };
  for (const auto& c : cases) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title, text;
    WhenModalOpens("MsgBox", [&](QWidget& widget) {
      auto& box = static_cast<QMessageBox&>(widget);
      icon = box.icon();
      title = box.windowTitle();
      text = box.text();
      QTest::mouseClick(box.button(c.press), Qt::LeftButton);
    });
    EXPECT_EQ(MsgBox("无法打开用户指定的数据库！", c.icon, "提示：", c.buttons), c.result);
    EXPECT_EQ(icon, c.shown);
    EXPECT_EQ(title, QString::fromUtf8("提示："));
    EXPECT_EQ(text, QString::fromUtf8("无法打开用户指定的数据库！"));
  }
}

// A run that keeps failing: the third box offers to stop, the boxes after it
// that only inform are left out (questions are still asked), and the run's
// end says how many were left out.
TEST_F(SubWindowsTest, AfterTheThirdBoxARunCanSilenceTheRest) {
  auto service = std::make_shared<ui::qt::QtMessageService>();
  Engine().messages = service;
  service->RunStarted();
  std::vector<bool> offered;
  for (int i = 1; i <= 3; ++i) {
    WhenModalOpens("MsgBox", [&](QWidget& widget) {
      auto& box = static_cast<QMessageBox&>(widget);
      offered.push_back(box.checkBox() != nullptr);
      if (box.checkBox()) box.checkBox()->setChecked(true);
      QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
    });
    EXPECT_EQ(MsgBox("公式错误", MsgIcon::Critical, "函数->Eval:"), MsgResult::OK);
  }
  EXPECT_EQ(offered, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(MsgBox("公式错误", MsgIcon::Critical, "函数->Eval:"), MsgResult::OK);
  EXPECT_EQ(MsgBox("公式错误", MsgIcon::Critical, "函数->Eval:"), MsgResult::OK);
  bool asked = false;
  WhenModalOpens("MsgBox", [&](QWidget& widget) {
    asked = true;
    QTest::mouseClick(static_cast<QMessageBox&>(widget).button(QMessageBox::No), Qt::LeftButton);
  });
  EXPECT_EQ(MsgBox("继续？", MsgIcon::Question, "提示：", MsgButtons::YesNo), MsgResult::No);
  EXPECT_TRUE(asked);
  QString summary;
  WhenModalOpens("MsgBoxSummary", [&](QWidget& widget) {
    summary = static_cast<QMessageBox&>(widget).text();
    QTest::mouseClick(static_cast<QMessageBox&>(widget).button(QMessageBox::Ok), Qt::LeftButton);
  });
  service->RunEnded();
  EXPECT_TRUE(summary.contains("2")) << summary.toStdString();
}

}  // namespace
}  // namespace qzdbs::test
