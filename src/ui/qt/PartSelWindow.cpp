// The part selection dialog's widgets and how they follow the model.
#include "ui/qt/PartSelWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSettings>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <exception>
#include <limits>

#include "state/EngineState.h"
#include "ui/ScriptedDialog.h"
#include "ui/qt/LivePreview.h"
#include "ui/qt/Picture.h"

namespace qzdbs::ui::qt {

namespace {

// Shown in the preview box when the stored picture cannot be read.
constexpr const char* kNoPreview = "无法显示预览图";
constexpr int kNodeRole = Qt::UserRole + 1;
constexpr const char* kLastLibraryKey = "selection/library";
constexpr const char* kLastPartKey = "selection/part";
constexpr const char* kLastRowKey = "selection/row";
constexpr std::array kButtonOrder = {frmPartSel::Button::SelAllView, frmPartSel::Button::DelAllView,
                                     frmPartSel::Button::Next,       frmPartSel::Button::Property,
                                     frmPartSel::Button::ParaShow,   frmPartSel::Button::Draw,
                                     frmPartSel::Button::Cancel};

QTreeWidgetItem* TreeItem(const CatalogueNode& node) {
  auto* item = new QTreeWidgetItem({QString::fromStdString(node.name)});
  // The panel is narrower than many names; the whole name shows on hover.
  item->setToolTip(0, item->text(0));
  item->setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(&node)));
  for (const auto& child : node.children)
    item->addChild(TreeItem(child));
  return item;
}

const CatalogueNode* NodeOf(const QTreeWidgetItem* item) {
  if (!item) return nullptr;
  return reinterpret_cast<const CatalogueNode*>(item->data(0, kNodeRole).value<quintptr>());
}

const find::Hit* HitOf(const CatalogueNode& node, const std::vector<find::Hit>& hits) {
  for (const auto& hit : hits)
    if (hit.partID == node.partID && hit.library == node.libraryPath) return &hit;
  return nullptr;
}

// Hides what does not match: a part shows when its name holds the text or the
// search found it. True when the item or anything below it shows.
bool Filter(QTreeWidgetItem* item, const QString& text, const std::vector<find::Hit>& hits) {
  const CatalogueNode* node = NodeOf(item);
  bool shown = false;
  for (int i = 0; i < item->childCount(); ++i)
    shown = Filter(item->child(i), text, hits) || shown;
  if (node && node->kind == CatalogueNode::Kind::Part)
    shown = text.isEmpty() || item->text(0).contains(text, Qt::CaseInsensitive) ||
            HitOf(*node, hits) != nullptr;
  else if (text.isEmpty())
    shown = true;
  item->setHidden(!shown);
  if (!text.isEmpty() && shown) item->setExpanded(true);
  return shown;
}

QLabel* Caption(const char* text, QWidget* parent) {
  return new QLabel(QString::fromUtf8(text), parent);
}

}  // namespace

PartSelWindow::PartSelWindow(std::shared_ptr<const Catalogue> catalogue, SubDialogs& dialogs,
                             std::string previewPath, QWidget* parent)
    : QDialog(parent), catalogue_(std::move(catalogue)) {
  setObjectName("frmPartSel");
  setWindowTitle(QString::fromUtf8(frmPartSel::kCaption));
  setModal(true);
  model_ = std::make_unique<frmPartSel>(catalogue_, dialogs, std::move(previewPath));

  GridView::Actions actions;
  actions.keyPress = [this](std::string_view key) { model_->GridKeyPress(key); };
  actions.doubleClick = [this] { model_->GridDoubleClick(); };
  actions.selectCell = [this](int row, int col) {
    if (col == 0 && row > 0)
      model_->SelectRow(row);
    else
      model_->SelectCell(row, col);
  };
  actions.extendSelection = [this](int row, int col) {
    // Drawn from the fixed column, the selection takes whole rows.
    if (col == 0 && model_->fgd_InputPara().Col() >= 1) col = model_->fgd_InputPara().Cols() - 1;
    model_->ExtendSelection(row, col);
  };
  actions.scrolled = [this] { model_->GridScrolled(); };
  actions.editorEnter = [this] { model_->EditorEnter(); };
  actions.editorEscape = [this] { model_->EditorEscape(); };
  actions.editorTab = [this](bool back) { model_->EditorTab(back); };
  actions.editorText = [this](std::string text) { model_->EditorTextChanged(std::move(text)); };
  actions.editorLostFocus = [this] { model_->EditorLostFocus(); };
  grid_ = new GridView(model_->fgd_InputPara(), model_->txtEdit(), std::move(actions), "txtEdit");
  grid_->setObjectName("fgd_InputPara");
  grid_->setToolTip(QString::fromUtf8(frmPartSel::kGridText));

  auto* right = new QWidget(this);
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->addWidget(Caption(frmPartSel::kGridText, right));
  rightLayout->addWidget(grid_, 3);
  rightLayout->addWidget(BuildViewArea(), 4);
  rightLayout->addWidget(BuildButtons());

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(BuildTreePanel());
  autoHide_ = new QToolButton(this);
  autoHide_->setObjectName("QZAutoHideBar1");
  autoHide_->setCheckable(true);
  autoHide_->setChecked(true);
  autoHide_->setArrowType(Qt::LeftArrow);
  autoHide_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  autoHide_->setToolTip(tr("Show or hide the catalogue"));
  connect(autoHide_, &QToolButton::toggled, this, [this](bool shown) {
    treePanel_->setVisible(shown);
    autoHide_->setArrowType(shown ? Qt::LeftArrow : Qt::RightArrow);
  });
  layout->addWidget(autoHide_);
  layout->addWidget(right, 1);

  connection_ = model_->Changed().Connect([this](frmPartSel::Change change) { OnChange(change); });
  viewConnection_ =
      const_cast<CheckList&>(model_->lvw_PartVeiw()).Changed().Connect([this](CheckList::Change) {
        RefreshViews();
      });
  gridConnection_ = model_->fgd_InputPara().Changed().Connect([this](GridModel::Change change) {
    // A new size or an edited value changes the drawing the preview shows.
    if (change == GridModel::Change::Cells || change == GridModel::Change::Selection)
      if (picture_->property("live").toBool()) ShowLivePreview();
    if (change == GridModel::Change::Selection) RememberChoice();
  });
  BuildTree();
  RefreshViews();
  RefreshButtons();
  RefreshOptions();
  resize(980, 640);
}

PartSelWindow::~PartSelWindow() {
  model_->Changed().Disconnect(connection_);
  const_cast<CheckList&>(model_->lvw_PartVeiw()).Changed().Disconnect(viewConnection_);
  model_->fgd_InputPara().Changed().Disconnect(gridConnection_);
  // The grid widget goes before the model it shows.
  delete grid_;
}

QWidget* PartSelWindow::BuildTreePanel() {
  treePanel_ = new QWidget(this);
  treePanel_->setObjectName("picQZPartTreeBack");
  auto* layout = new QVBoxLayout(treePanel_);
  layout->setContentsMargins(0, 0, 0, 0);
  search_ = new QLineEdit(treePanel_);
  search_->setObjectName("txtSearch");
  search_->setPlaceholderText(tr("Search parts"));
  search_->setClearButtonEnabled(true);
  connect(search_, &QLineEdit::textChanged, this, &PartSelWindow::FilterTree);
  tree_ = new QTreeWidget(treePanel_);
  tree_->setObjectName("QZPartTree");
  tree_->setHeaderHidden(true);
  // A long name keeps its start (the kind) and its end (the standard).
  tree_->setTextElideMode(Qt::ElideMiddle);
  connect(tree_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { ChooseTreeItem(item, false); });
  connect(tree_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { ChooseTreeItem(item, true); });
  layout->addWidget(search_);
  layout->addWidget(tree_);
  treePanel_->setMinimumWidth(220);
  return treePanel_;
}

QWidget* PartSelWindow::BuildViewArea() {
  auto* area = new QWidget(this);
  auto* layout = new QHBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* listBox = new QWidget(area);
  auto* listLayout = new QVBoxLayout(listBox);
  listLayout->setContentsMargins(0, 0, 0, 0);
  listLayout->addWidget(Caption(frmPartSel::kViewListText, listBox));
  views_ = new QListWidget(listBox);
  views_->setObjectName("lvw_PartVeiw");
  connect(views_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (syncing_) return;
    model_->CheckView(views_->row(item) + 1, item->checkState() == Qt::Checked);
  });
  connect(views_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { model_->ClickView(views_->row(item) + 1); });
  listLayout->addWidget(views_);

  auto* frame = new QGroupBox(QString::fromUtf8(frmPartSel::kOptionsFrame), listBox);
  frame->setObjectName("Frame1");
  auto* frameLayout = new QGridLayout(frame);
  for (int i = 0; i < frmPartSel::kOptionCount; ++i) {
    auto* box = new QCheckBox(QString::fromUtf8(frmPartSel::kOptionCaptions[i]), frame);
    box->setObjectName("chkOut");
    box->setProperty("index", i);
    connect(box, &QCheckBox::toggled, this, [this, i](bool ticked) {
      if (!syncing_) model_->SetChkOut(i, ticked);
    });
    frameLayout->addWidget(box, i / 3, i % 3);
    options_[i] = box;
  }
  listLayout->addWidget(frame);
  layout->addWidget(listBox, 2);

  picture_ = new QLabel(area);
  picture_->setObjectName("picPartView");
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setMinimumSize(320, 240);
  picture_->setFrameShape(QFrame::StyledPanel);
  picture_->setStyleSheet("background: white");
  layout->addWidget(picture_, 3);
  return area;
}

QWidget* PartSelWindow::BuildButtons() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  for (auto button : kButtonOrder) {
    auto* push = new QPushButton(QString::fromUtf8(frmPartSel::Caption(button)), row);
    push->setObjectName(frmPartSel::ControlName(button));
    push->setAutoDefault(false);
    connect(push, &QPushButton::clicked, this, [this, button] {
      switch (button) {
        case frmPartSel::Button::SelAllView:
          return model_->cmd_SelAllView();
        case frmPartSel::Button::DelAllView:
          return model_->cmd_DelAllView();
        case frmPartSel::Button::Next:
          return model_->cmdNext();
        case frmPartSel::Button::Property:
          return model_->cmdProperty();
        case frmPartSel::Button::ParaShow:
          return model_->cmdParaShow();
        case frmPartSel::Button::Draw:
          model_->cmd_Draw();
          return;
        case frmPartSel::Button::Cancel:
          return model_->cmd_Cancel();
      }
    });
    if (button == frmPartSel::Button::Draw) layout->addStretch(1);
    layout->addWidget(push);
    buttons_[static_cast<size_t>(button)] = push;
  }
  return row;
}

void PartSelWindow::BuildTree() {
  tree_->clear();
  for (const auto& library : catalogue_->Libraries()) {
    auto* item = TreeItem(library);
    tree_->addTopLevelItem(item);
  }
  tree_->expandAll();
}

void PartSelWindow::FilterTree(const QString& text) {
  const std::string typed = text.trimmed().toStdString();
  hits_.clear();
  if (!typed.empty()) {
    if (!finder_) {
      // Read on the first search; a library the search cannot read still
      // filters by name.
      finder_ = std::make_unique<find::PartFinder>();
      for (const auto& library : catalogue_->Libraries()) {
        try {
          finder_->AddLibrary(library.libraryPath);
        } catch (const std::exception&) {
        }
      }
    }
    hits_ = finder_->Find(typed, std::numeric_limits<size_t>::max());
  }
  for (int i = 0; i < tree_->topLevelItemCount(); ++i)
    Filter(tree_->topLevelItem(i), text.trimmed(), hits_);
}

void PartSelWindow::ChooseTreeItem(QTreeWidgetItem* item, bool hidePanel) {
  const CatalogueNode* node = NodeOf(item);
  if (!node || node->kind != CatalogueNode::Kind::Part) return;
  // The old part's drawing is not redrawn while the new one loads.
  picture_->setProperty("live", false);
  model_->ChoosePart(*node);
  // A part the search found opens at the size asked for.
  if (const find::Hit* hit = HitOf(*node, hits_); hit && model_->IsLoaded()) {
    try {
      steps::SelectRowID(hit->row)(*model_);
      for (const auto& [name, value] : hit->set)
        steps::EditCell(name, value)(*model_);
    } catch (const std::exception&) {
      // The grid stays at the part's first row.
    }
  }
  if (hidePanel && model_->IsLoaded()) autoHide_->setChecked(false);
}

void PartSelWindow::RememberChoice() {
  const EngineState& engine = Engine();
  if (!model_->IsLoaded() || engine.CurrentPartID <= 0) return;
  QSettings settings;
  settings.setValue(kLastLibraryKey, QString::fromStdString(engine.LibraryPath));
  settings.setValue(kLastPartKey, engine.CurrentPartID);
  const GridModel& grid = model_->fgd_InputPara();
  if (grid.Rows() > 1)
    settings.setValue(kLastRowKey, QString::fromStdString(grid.TextMatrix(grid.RowSel(), 0)));
  else
    settings.remove(kLastRowKey);
}

void PartSelWindow::RestoreLastChoice() {
  QSettings settings;
  const std::string library = settings.value(kLastLibraryKey).toString().toStdString();
  const int part = settings.value(kLastPartKey, 0).toInt();
  const std::string row = settings.value(kLastRowKey).toString().toStdString();
  for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
    const CatalogueNode* node = NodeOf(*it);
    if (!node || node->kind != CatalogueNode::Kind::Part || node->partID != part ||
        node->libraryPath != library)
      continue;
    tree_->setCurrentItem(*it);
    ChooseTreeItem(*it, false);
    const GridModel& grid = model_->fgd_InputPara();
    for (int32_t r = 1; r < grid.Rows(); ++r)
      if (grid.TextMatrix(r, 0) == row) model_->SelectRow(r);
    return;
  }
}

void PartSelWindow::OnChange(frmPartSel::Change change) {
  switch (change) {
    case frmPartSel::Change::Part:
      RefreshViews();
      RefreshButtons();
      RememberChoice();
      break;
    case frmPartSel::Change::Picture:
      RefreshPicture();
      break;
    case frmPartSel::Change::Buttons:
      RefreshButtons();
      break;
    case frmPartSel::Change::Options:
      RefreshOptions();
      break;
    case frmPartSel::Change::Closed:
      if (!closing_) {
        closing_ = true;
        QDialog::done(Engine().GenerateResult == 1 ? QDialog::Accepted : QDialog::Rejected);
      }
      break;
  }
}

void PartSelWindow::RefreshViews() {
  syncing_ = true;
  const CheckList& list = model_->lvw_PartVeiw();
  if (views_->count() != list.Count()) views_->clear();
  for (int i = 1; i <= list.Count(); ++i) {
    const CheckItem& entry = list.Item(i);
    QListWidgetItem* item = views_->item(i - 1);
    if (!item) {
      item = new QListWidgetItem(views_);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
    item->setText(QString::fromStdString(entry.text));
    item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
  }
  views_->setCurrentRow(list.Selected() - 1);
  views_->setEnabled(list.Enabled());
  syncing_ = false;
}

void PartSelWindow::RefreshButtons() {
  for (auto button : kButtonOrder)
    buttons_[static_cast<size_t>(button)]->setEnabled(model_->Enabled(button));
}

void PartSelWindow::RefreshOptions() {
  syncing_ = true;
  for (int i = 0; i < frmPartSel::kOptionCount; ++i)
    options_[i]->setChecked(model_->chkOut(i));
  syncing_ = false;
}

void PartSelWindow::SetLivePreview(bool on) {
  livePreview_ = on;
  RefreshPicture();
}

void PartSelWindow::RefreshPicture() {
  picture_->setProperty("live", false);
  const std::string& path = model_->PicturePath();
  QPixmap pixmap = path.empty() ? QPixmap() : LoadPicture(path, picture_->contentsRect().size());
  if (!pixmap.isNull()) {
    picture_->setPixmap(pixmap);
    return;
  }
  picture_->clear();
  if (livePreview_ && Engine().CurrentPartID > 0 && model_->IsLoaded()) {
    picture_->setProperty("live", true);
    ShowLivePreview();
    return;
  }
  // A stored picture that cannot be read (a damaged metafile, say) says so
  // instead of leaving an empty box that looks like a part without one.
  if (!path.empty()) picture_->setText(QString::fromUtf8(kNoPreview));
}

void PartSelWindow::ShowLivePreview() {
  picture_->setPixmap(preview_.Pixmap(*model_, picture_->contentsRect().size()));
}

void PartSelWindow::reject() {
  if (model_->IsLoaded()) {
    model_->Close();
    return;
  }
  QDialog::reject();
}

}  // namespace qzdbs::ui::qt
