// What the widget tests share: one QApplication for the program, a fresh
// engine with a memory host session per test, message boxes recorded, the
// sample library made from SQL, and helpers that act on widgets as a user
// does (clicks, keys) and find the modal window that opens.
#pragma once

#include <gtest/gtest.h>

#include <QTableWidget>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/MessageService.h"
#include "host/memory/MemoryHost.h"
#include "support/ScratchLibrary.h"
#include "ui/qt/PartSelWindow.h"
#include "ui/qt/SubWindows.h"

namespace qzdbs::test {

// Runs `action` on the next modal window once it is up (the test's own code
// continues inside its modal loop). The window is handed over by its
// objectName (any modal window when empty); the action must close it.
void WhenModalOpens(const QString& objectName, std::function<void(QWidget&)> action);

void ClickCell(QTableWidget& table, int row, int col);
void Click(QWidget& parent, const char* objectName);

class QtWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A selection window over the sample library, shown but not modal.
  std::unique_ptr<ui::qt::PartSelWindow> OpenWindow(const std::string& extraSql = {});
  // Chooses the part in the window's tree by clicking it.
  void ChooseInTree(ui::qt::PartSelWindow& window, const QString& partName);
  // The grid column whose heading is `name`.
  int ColumnOf(ui::qt::PartSelWindow& window, const std::string& name);

  std::shared_ptr<RecordingMessageService> messages;
  std::shared_ptr<MemoryComponent> component;
  std::shared_ptr<MemoryObject> session;
  ScratchDir scratch;
  std::unique_ptr<ScratchLibrary> library;
  ui::qt::QtSubDialogs dialogs;
};

}  // namespace qzdbs::test
