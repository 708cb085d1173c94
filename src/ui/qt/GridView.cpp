// The grid control: keeps the table and its overlay editor in step with the
// model and hands the user's actions to the dialog.
#include "ui/qt/GridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStringList>
#include <algorithm>

namespace qzdbs::ui::qt {

int TwipsToPixels(const QWidget& widget, int twips) {
  return twips * widget.logicalDpiX() / 1440;
}

GridView::GridView(GridModel& model, CellEditor& editor, Actions actions, const QString& editorName,
                   QWidget* parent)
    : QTableWidget(parent),
      model_(model),
      editor_(editor),
      actions_(std::move(actions)),
      editorBox_(new QLineEdit(viewport())) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Narrow title columns keep their text rather than an ellipsis, and a
  // number is never broken over two lines at its decimal point.
  setTextElideMode(Qt::ElideNone);
  setWordWrap(false);
  editorBox_->setObjectName(editorName);
  editorBox_->setFrame(false);
  editorBox_->hide();
  editorBox_->installEventFilter(this);

  connect(editorBox_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (actions_.editorText) actions_.editorText(text.toStdString());
  });
  connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
    if (!syncing_ && row >= 0 && col >= 0 && actions_.selectCell) actions_.selectCell(row, col);
  });
  auto scrolled = [this] {
    if (!syncing_ && actions_.scrolled) actions_.scrolled();
  };
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, scrolled);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, scrolled);

  modelConnection_ = model_.Changed().Connect([this](GridModel::Change change) {
    switch (change) {
      case GridModel::Change::Shape:
        // The headings are the grid's first row: a new shape (another
        // part) starts from the top, where they are.
        RefreshCells();
        scrollToTop();
        break;
      case GridModel::Change::Cells:
        RefreshCells();
        break;
      case GridModel::Change::Widths:
        RefreshWidths();
        break;
      case GridModel::Change::Selection:
        RefreshSelection();
        break;
    }
  });
  editorConnection_ = editor_.Changed().Connect([this] { RefreshEditor(); });
  Refresh();
}

GridView::~GridView() {
  model_.Changed().Disconnect(modelConnection_);
  editor_.Changed().Disconnect(editorConnection_);
}

void GridView::Refresh() {
  RefreshCells();
  RefreshEditor();
}

void GridView::RefreshCells() {
  syncing_ = true;
  setRowCount(model_.Rows());
  setColumnCount(model_.Cols());
  const QColor fixedBack = palette().color(QPalette::Button);
  for (int row = 0; row < model_.Rows(); ++row) {
    for (int col = 0; col < model_.Cols(); ++col) {
      auto* cell = item(row, col);
      if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row, col, cell);
      }
      cell->setText(QString::fromStdString(model_.TextMatrix(row, col)));
      const bool fixed = row < model_.FixedRows() || col < model_.FixedCols();
      cell->setFlags(fixed ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      if (fixed) cell->setBackground(fixedBack);
    }
  }
  // One row of headings stays in sight when the rows scroll: the table's
  // header shows it and its own row is hidden (it keeps its place in the
  // model's numbering).
  const bool headed = model_.FixedRows() == 1 && model_.Rows() > 0;
  horizontalHeader()->setVisible(headed);
  if (model_.Rows() > 0) setRowHidden(0, headed);
  if (headed) {
    QStringList headings;
    for (int col = 0; col < model_.Cols(); ++col)
      headings << QString::fromStdString(model_.TextMatrix(0, col));
    setHorizontalHeaderLabels(headings);
  }
  syncing_ = false;
  RefreshWidths();
  RefreshSelection();
}

void GridView::RefreshWidths() {
  for (int col = 0; col < model_.Cols(); ++col) {
    setColumnHidden(col, !model_.ColumnShown(col));
    // A shown column is at least as wide as its widest text.
    const int laidOut = std::max(1, TwipsToPixels(*this, model_.ColWidth(col)));
    const int text =
        std::max(sizeHintForColumn(col),
                 horizontalHeader()->isVisible() ? horizontalHeader()->sectionSizeHint(col) : 0);
    setColumnWidth(col, model_.ColumnShown(col) ? std::max(laidOut, text) : laidOut);
  }
}

void GridView::RefreshSelection() {
  syncing_ = true;
  const int top = std::min(model_.Row(), model_.RowSel());
  const int bottom = std::max(model_.Row(), model_.RowSel());
  const int left = std::min(model_.Col(), model_.ColSel());
  const int right = std::max(model_.Col(), model_.ColSel());
  const QColor highlight = palette().color(QPalette::Highlight).lighter(170);
  const QColor fixedBack = palette().color(QPalette::Button);
  for (int row = 0; row < rowCount(); ++row) {
    for (int col = 0; col < columnCount(); ++col) {
      auto* cell = item(row, col);
      if (!cell) continue;
      const bool fixed = row < model_.FixedRows() || col < model_.FixedCols();
      const bool selected =
          model_.HasCurrentCell() && row >= top && row <= bottom && col >= left && col <= right;
      cell->setBackground(fixed      ? fixedBack
                          : selected ? highlight
                                     : palette().color(QPalette::Base));
    }
  }
  if (model_.Row() < rowCount() && model_.Col() < columnCount())
    setCurrentCell(model_.Row(), model_.Col(), QItemSelectionModel::NoUpdate);
  syncing_ = false;
}

void GridView::RefreshEditor() {
  if (!editor_.Visible()) {
    // The keys go on to the grid once the edit has ended. The grid takes the
    // focus first: a focused box that hides hands it on as Tab would, which
    // moves the table's current cell.
    if (editorBox_->hasFocus()) setFocus(Qt::OtherFocusReason);
    editorBox_->hide();
    return;
  }
  const auto* cell = item(editor_.Row(), editor_.Col());
  if (cell) editorBox_->setGeometry(visualItemRect(cell));
  const QString text = QString::fromStdString(editor_.Text());
  if (editorBox_->text() != text) {
    editorBox_->setText(text);
    editorBox_->setCursorPosition(static_cast<int>(text.size()));
  }
  if (!editorBox_->isVisible()) {
    editorBox_->show();
    editorBox_->setFocus();
  }
}

std::string TypedKey(int key, const QString& text) {
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return {};
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return "\r";
    case Qt::Key_Backspace:
      return "\b";
    case Qt::Key_Escape:
      return "\x1b";
    case Qt::Key_Delete:
      return "\x7f";
    default:
      return text.toStdString();
  }
}

void GridView::keyPressEvent(QKeyEvent* event) {
  const std::string typed = TypedKey(event->key(), event->text());
  if (!typed.empty() && actions_.keyPress) {
    actions_.keyPress(typed);
    return;
  }
  QTableWidget::keyPressEvent(event);
}

// The model owns the selection: a click picks a cell (on the fixed column,
// its row), Shift+click and a drag draw the selection on from it.
void GridView::mousePressEvent(QMouseEvent* event) {
  const QModelIndex at = indexAt(event->position().toPoint());
  setFocus(Qt::MouseFocusReason);
  if (!at.isValid() || event->button() != Qt::LeftButton) return;
  const bool extend = event->modifiers().testFlag(Qt::ShiftModifier);
  if (extend && actions_.extendSelection)
    actions_.extendSelection(at.row(), at.column());
  else if (actions_.selectCell)
    actions_.selectCell(at.row(), at.column());
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
  if (!event->buttons().testFlag(Qt::LeftButton) || !actions_.extendSelection) return;
  const QModelIndex at = indexAt(event->position().toPoint());
  if (at.isValid() && (at.row() != model_.RowSel() || at.column() != model_.ColSel()))
    actions_.extendSelection(at.row(), at.column());
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableWidget::mouseDoubleClickEvent(event);
  if (actions_.doubleClick) actions_.doubleClick();
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == editorBox_) {
    if (event->type() == QEvent::KeyPress) {
      const auto* press = static_cast<QKeyEvent*>(event);
      const int key = press->key();
      if ((key == Qt::Key_Return || key == Qt::Key_Enter) && actions_.editorEnter) {
        actions_.editorEnter();
        return true;
      }
      if (key == Qt::Key_Escape && actions_.editorEscape) {
        actions_.editorEscape();
        return true;
      }
      if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && actions_.editorTab) {
        actions_.editorTab(key == Qt::Key_Backtab ||
                           press->modifiers().testFlag(Qt::ShiftModifier));
        return true;
      }
    } else if (event->type() == QEvent::FocusOut && editorBox_->isVisible()) {
      if (actions_.editorLostFocus) actions_.editorLostFocus();
    }
  }
  return QTableWidget::eventFilter(watched, event);
}

}  // namespace qzdbs::ui::qt
