// The structure parameter, column display and attribute dialogs' widgets.
#include "ui/qt/SubWindows.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qzdbs::ui::qt {

namespace {

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

ModelWindow::ModelWindow(std::function<bool()> loaded, std::function<void()> close, QWidget* parent)
    : QDialog(parent), loaded_(std::move(loaded)), close_(std::move(close)) {
  setModal(true);
}

void ModelWindow::ModelClosed() {
  if (closing_) return;
  closing_ = true;
  QDialog::done(QDialog::Accepted);
}

void ModelWindow::reject() {
  if (loaded_()) {
    close_();
    return;
  }
  QDialog::reject();
}

StructParaWindow::StructParaWindow(frmStructPara& model, QWidget* parent)
    : ModelWindow([&model] { return model.IsLoaded(); }, [&model] { model.Close(); }, parent),
      model_(model) {
  setObjectName("frmStructPara");
  setWindowTitle(QString::fromUtf8(frmStructPara::kCaption));
  GridView::Actions actions;
  actions.keyPress = [this](std::string_view key) { model_.GridKeyPress(key); };
  actions.doubleClick = [this] { model_.GridDoubleClick(); };
  actions.selectCell = [this](int, int col) { model_.SelectColumn(col); };
  actions.scrolled = [this] { model_.GridScrolled(); };
  actions.editorText = [this](std::string text) { model_.EditorTextChanged(std::move(text)); };
  actions.editorLostFocus = [this] { model_.EditorLostFocus(); };
  grid_ = new GridView(model_.fgdStructPara(), const_cast<CellEditor&>(model_.txtEditStr()),
                       std::move(actions), "txtEditStr", this);
  grid_->setObjectName("fgdStructPara");
  grid_->setToolTip(QString::fromUtf8(frmStructPara::kGridDescription));

  auto* buttons = new QHBoxLayout;
  auto* show = Button("cmdSelDisplay", frmStructPara::kSelDisplayCaption, this);
  auto* previous = Button("cmdPreForm", frmStructPara::kPreFormCaption, this);
  auto* draw = Button("cmdDrawStr", frmStructPara::kDrawStrCaption, this);
  connect(show, &QPushButton::clicked, this, [this] { model_.cmdSelDisplay(); });
  connect(previous, &QPushButton::clicked, this, [this] { model_.cmdPreForm(); });
  connect(draw, &QPushButton::clicked, this, [this] { model_.cmdDrawStr(); });
  buttons->addWidget(show);
  buttons->addStretch(1);
  buttons->addWidget(previous);
  buttons->addWidget(draw);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromUtf8(frmStructPara::kGridDescription), this));
  layout->addWidget(grid_, 1);
  layout->addLayout(buttons);
  connection_ = model_.Changed().Connect([this](frmStructPara::Change) { ModelClosed(); });
  resize(760, 260);
}

StructParaWindow::~StructParaWindow() {
  model_.Changed().Disconnect(connection_);
}

ColumnShowWindow::ColumnShowWindow(frmColumnShow& model, const char* objectName, QWidget* parent)
    : ModelWindow([&model] { return model.IsLoaded(); }, [&model] { model.Close(); }, parent),
      model_(model) {
  setObjectName(objectName);
  setWindowTitle(QString::fromStdString(model_.Caption()));
  auto* heading = new QLabel(QString::fromStdString(model_.ColumnHeading()), this);
  list_ = new QListWidget(this);
  list_->setObjectName("lvwCheckShow");
  list_->setMinimumWidth(TwipsToPixels(*list_, frmColumnShow::kListColumnWidth));
  connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (!syncing_) model_.TickItem(list_->row(item) + 1, item->checkState() == Qt::Checked);
  });
  auto* enter = Button("cmdEnterShow", frmColumnShow::kEnterCaption, this);
  connect(enter, &QPushButton::clicked, this, [this] { model_.cmdEnterShow(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(list_, 1);
  layout->addWidget(enter);
  connection_ = model_.Changed().Connect([this](frmColumnShow::Change) { ModelClosed(); });
  listConnection_ =
      const_cast<CheckList&>(model_.lvwCheckShow()).Changed().Connect([this](CheckList::Change) {
        Refresh();
      });
  Refresh();
}

ColumnShowWindow::~ColumnShowWindow() {
  model_.Changed().Disconnect(connection_);
  const_cast<CheckList&>(model_.lvwCheckShow()).Changed().Disconnect(listConnection_);
}

void ColumnShowWindow::Refresh() {
  syncing_ = true;
  const CheckList& items = model_.lvwCheckShow();
  list_->clear();
  for (const auto& entry : items.Items()) {
    auto* item = new QListWidgetItem(QString::fromStdString(entry.text), list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
  }
  syncing_ = false;
}

AttributeWindow::AttributeWindow(frmAttribute& model, QWidget* parent)
    : ModelWindow([&model] { return model.IsLoaded(); }, [&model] { model.Close(); }, parent),
      model_(model) {
  setObjectName("frmAttribute");
  setWindowTitle(QString::fromUtf8(frmAttribute::kCaption));
  const GridModel& grid = model_.fgd_PartDes();
  auto* table = new QTableWidget(grid.Rows(), grid.Cols(), this);
  table->setObjectName("fgd_PartDes");
  table->horizontalHeader()->hide();
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setWordWrap(false);
  for (int row = 0; row < grid.Rows(); ++row) {
    for (int col = 0; col < grid.Cols(); ++col) {
      auto* cell = new QTableWidgetItem(QString::fromStdString(grid.TextMatrix(row, col)));
      if (row < grid.FixedRows() || col < grid.FixedCols())
        cell->setBackground(palette().color(QPalette::Button));
      table->setItem(row, col, cell);
    }
  }
  for (int col = 0; col < grid.Cols(); ++col)
    table->setColumnWidth(col, TwipsToPixels(*table, grid.ColWidth(col)));
  auto* enter = Button("cmdEnterAtt", frmAttribute::kEnterCaption, this);
  connect(enter, &QPushButton::clicked, this, [this] { model_.cmdEnterAtt(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table, 1);
  layout->addWidget(enter);
  connection_ = model_.Changed().Connect([this](frmAttribute::Change) { ModelClosed(); });
  resize(TwipsToPixels(*this, model_.GridWidth()) + 40, 360);
}

AttributeWindow::~AttributeWindow() {
  model_.Changed().Disconnect(connection_);
}

void QtSubDialogs::Show(frmStructPara& dialog) {
  if (!dialog.IsLoaded()) return;
  StructParaWindow window(dialog, owner_);
  window.exec();
}

void QtSubDialogs::Show(frmAttribute& dialog) {
  if (!dialog.IsLoaded()) return;
  AttributeWindow window(dialog, owner_);
  window.exec();
}

void QtSubDialogs::Show(frmParaShow& dialog) {
  if (!dialog.IsLoaded()) return;
  ColumnShowWindow window(dialog, "frmParaShow", owner_);
  window.exec();
}

void QtSubDialogs::Show(frmStructShow& dialog) {
  if (!dialog.IsLoaded()) return;
  ColumnShowWindow window(dialog, "frmStructShow", owner_);
  window.exec();
}

}  // namespace qzdbs::ui::qt
