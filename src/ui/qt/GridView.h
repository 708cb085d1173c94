// A grid control over a GridModel: the fixed header row and column drawn as
// headings, widths converted from twips to pixels, and the in-place editor as
// a line edit laid over the current cell. The dialog decides what a key, a
// double click or a cell choice means; this widget only reports them.
#pragma once

#include <QLineEdit>
#include <QTableWidget>
#include <functional>
#include <string>
#include <string_view>

#include "ui/CellEditor.h"
#include "ui/GridModel.h"

namespace qzdbs::ui::qt {

// Twips (1440 to the inch) to pixels at the widget's logical resolution.
int TwipsToPixels(const QWidget& widget, int twips);

class GridView : public QTableWidget {
  Q_OBJECT

 public:
  struct Actions {
    std::function<void(std::string_view key)> keyPress;
    std::function<void()> doubleClick;
    std::function<void(int row, int col)> selectCell;
    std::function<void(int row, int col)> extendSelection;
    std::function<void()> scrolled;
    std::function<void(std::string text)> editorText;
    std::function<void()> editorLostFocus;
    std::function<void()> editorEnter;
    std::function<void()> editorEscape;
    std::function<void(bool back)> editorTab;
  };

  GridView(GridModel& model, CellEditor& editor, Actions actions, const QString& editorName,
           QWidget* parent = nullptr);
  ~GridView() override;

  QLineEdit& Editor() { return *editorBox_; }
  // Shows the model as it stands.
  void Refresh();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RefreshCells();
  void RefreshWidths();
  void RefreshSelection();
  void RefreshEditor();

  GridModel& model_;
  CellEditor& editor_;
  Actions actions_;
  QLineEdit* editorBox_;
  size_t modelConnection_ = 0;
  size_t editorConnection_ = 0;
  bool syncing_ = false;
};

// The text a key types as the grid's rules take it: its character, or for
// Enter, Backspace, Escape and Delete their control character, which starts
// the editor from the cell's text; empty for a key the grid leaves alone
// (Tab moves the focus on).
std::string TypedKey(int key, const QString& text);

}  // namespace qzdbs::ui::qt
