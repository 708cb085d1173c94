// The studio's main window.
#include "ui/qt/studio/StudioWindow.h"

#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <stdexcept>

#include "base/TextFile.h"
#include "db/PropertyUnits.h"
#include "engine/IQZdbEngine.h"
#include "server/DrawingServer.h"
#include "state/EngineState.h"
#include "ui/PartsList.h"
#include "ui/PlacedPartRun.h"
#include "ui/qt/DrawingStyleSettings.h"
#include "ui/qt/QtSelectionDialog.h"
#include "ui/qt/studio/DrawingStyleDialog.h"
#include "ui/qt/studio/PartsListTable.h"

namespace qzdbs::ui::qt {

namespace {
constexpr const char* kRecentKey = "recentLibraries";
constexpr int kRecentCount = 8;

// Block files of the user's parts, in a folder nobody else can enter: a
// shared folder such as /tmp would let another user plant or read them.
QString PrivateBlockFolder() {
  const QString folder =
      QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/qzdbs/blocks";
  QDir().mkpath(folder);
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return folder + "/";
}

// Space between a part and the one before when the drawing does not say
// where it goes, paper millimetres: twice the gap between views.
constexpr double kPartGap = 30.0;

constexpr const char* kDrawingFilter = "qzdbs-studio drawing (*.qzdrawing)";

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

QString WithFilterExtension(const QString& path, const QString& filter) {
  if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  const auto match = QRegularExpression(R"(\*\.(\w+))").match(filter);
  return match.hasMatch() ? path + "." + match.captured(1) : path;
}

StudioWindow::StudioWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName("qzdbsStudio");
  setWindowTitle(tr("qzdbs-studio"));
  canvas_ = new DrawingCanvas(this);
  setCentralWidget(canvas_);
  connect(canvas_, &DrawingCanvas::PlacePicked, this, &StudioWindow::PlacePending);
  connect(canvas_, &DrawingCanvas::PendingCancelled, this, [this] {
    pending_.reset();
    statusBar()->showMessage(tr("The part was not placed"));
  });
  connect(canvas_, &DrawingCanvas::TurnRequested, this, &StudioWindow::Turn);
  connect(canvas_, &DrawingCanvas::DeleteRequested, this, &StudioWindow::DeleteSelectedPart);
  connect(canvas_, &DrawingCanvas::PartSelected, this, &StudioWindow::SelectPart);
  connect(canvas_, &DrawingCanvas::PartMoved, this, [this](int index, Placement placement) {
    MovePart(static_cast<size_t>(index), placement);
  });
  auto* session = new QDockWidget(tr("Session"), this);
  session->setObjectName("sessionDock");
  session->setWidget(BuildSessionPanel());
  addDockWidget(Qt::LeftDockWidgetArea, session);
  auto* info = new QDockWidget(tr("Part"), this);
  info->setObjectName("partDock");
  info->setWidget(BuildInfoPanel());
  addDockWidget(Qt::RightDockWidgetArea, info);
  auto* list = new QDockWidget(tr("Parts list"), this);
  list->setObjectName("partsListDock");
  list->setWidget(BuildPartsListPanel());
  addDockWidget(Qt::BottomDockWidgetArea, list);
  BuildMenus();
  ShowReadyMessage();
  resize(1200, 760);
}

void StudioWindow::BuildMenus() {
  auto* file = menuBar()->addMenu(tr("&File"));
  auto* open = file->addAction(tr("&Open library..."), this, &StudioWindow::OpenLibraryDialog);
  open->setShortcut(QKeySequence::Open);
  auto* save = file->addAction(tr("&Save drawing as..."), this, &StudioWindow::SaveDialog);
  save->setShortcut(QKeySequence::SaveAs);
  file->addSeparator();
  file->addAction(tr("Open studio &drawing..."), this, &StudioWindow::OpenStudioDialog);
  auto* saveStudio =
      file->addAction(tr("Save studio d&rawing..."), this, &StudioWindow::SaveStudioDialog);
  saveStudio->setShortcut(QKeySequence::Save);
  file->addAction(tr("Export parts &list (CSV)..."), this, &StudioWindow::ExportPartsListDialog);
  file->addSeparator();
  recent_ = file->addMenu(tr("&Recent libraries"));
  RefreshRecent();
  file->addSeparator();
  file->addAction(tr("&Quit"), this, &QWidget::close)->setShortcut(QKeySequence::Quit);

  auto* part = menuBar()->addMenu(tr("&Part"));
  auto* insert =
      part->addAction(tr("&Insert standard part..."), this, [this] { InsertStandardPart(); });
  insert->setObjectName("actionInsert");
  insert->setShortcut(Qt::CTRL | Qt::Key_I);

  auto* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(tr("&Undo"), this, [this] { Undo(); })->setShortcut(QKeySequence::Undo);
  edit->addAction(tr("&Redo"), this, [this] { Redo(); })->setShortcut(QKeySequence::Redo);
  edit->addAction(tr("&Delete part"), this, &StudioWindow::DeleteSelectedPart)
      ->setShortcut(QKeySequence::Delete);
  auto* turn = edit->addAction(tr("&Turn part by 90°"), this, &StudioWindow::Turn);
  turn->setObjectName("actionTurn");
  turn->setShortcuts({QKeySequence(Qt::Key_R), QKeySequence(Qt::Key_Space)});
  // Only while the canvas has the keys: Space ticks layers and R types.
  turn->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  canvas_->addAction(turn);
  edit->addSeparator();
  edit->addAction(tr("Drawing st&yle..."), this,
                  [this] { DrawingStyleDialog(LoadDrawingStyle(), this).exec(); });

  auto* view = menuBar()->addMenu(tr("&View"));
  view->addAction(tr("Zoom &in"), this, [this] { canvas_->ZoomBy(1.25, canvas_->rect().center()); })
      ->setShortcut(QKeySequence::ZoomIn);
  view->addAction(tr("Zoom &out"), this, [this] { canvas_->ZoomBy(0.8, canvas_->rect().center()); })
      ->setShortcut(QKeySequence::ZoomOut);
  view->addAction(tr("&Fit"), this, [this] { canvas_->ResetView(); });
  partsListOnSheet_ = view->addAction(tr("&Parts list on the sheet"));
  partsListOnSheet_->setObjectName("actionPartsListOnSheet");
  partsListOnSheet_->setCheckable(true);
  connect(partsListOnSheet_, &QAction::toggled, this, [this] { ShowParts(); });

  auto* tools = addToolBar(tr("Main"));
  tools->setObjectName("mainToolBar");
  tools->addAction(open);
  tools->addAction(insert);
  tools->addAction(save);
  tools->addAction(turn);
}

QWidget* StudioWindow::BuildSessionPanel() {
  auto* panel = new QWidget(this);
  auto* form = new QFormLayout(panel);
  scale_ = new QDoubleSpinBox(panel);
  scale_->setObjectName("drawScale");
  scale_->setRange(0.01, 1000);
  scale_->setDecimals(3);
  scale_->setValue(1.0);
  connect(scale_, &QDoubleSpinBox::valueChanged, this, [this](double scale) {
    if (placed_.empty()) canvas_->SetDrawScale(scale);
  });
  blockFolder_ = new QLineEdit(PrivateBlockFolder(), panel);
  blockFolder_->setObjectName("blockFolder");
  editing_ = new QCheckBox(tr("Editing a part"), panel);
  editing_->setObjectName("editing");
  libraryList_ = new QListWidget(panel);
  libraryList_->setObjectName("libraries");
  form->addRow(tr("Drawing scale"), scale_);
  form->addRow(tr("Block folder"), blockFolder_);
  form->addRow(editing_);
  form->addRow(tr("Libraries"), libraryList_);
  return panel;
}

QWidget* StudioWindow::BuildInfoPanel() {
  auto* panel = new QWidget(this);
  auto* layout = new QVBoxLayout(panel);
  properties_ = new QTreeWidget(panel);
  properties_->setObjectName("properties");
  properties_->setHeaderLabels({tr("Name"), tr("Value")});
  connect(properties_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    while (item && item->parent())
      item = item->parent();
    canvas_->SetSelected(item ? properties_->indexOfTopLevelItem(item) : -1);
  });
  layers_ = new QListWidget(panel);
  layers_->setObjectName("layers");
  connect(layers_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    canvas_->SetLayerShown(item->text().toStdString(), item->checkState() == Qt::Checked);
  });
  layout->addWidget(properties_, 3);
  layout->addWidget(layers_, 2);
  panel->setMinimumWidth(340);
  return panel;
}

QWidget* StudioWindow::BuildPartsListPanel() {
  partsList_ = new QTableWidget(0, static_cast<int>(PartsListHeadings().size()), this);
  partsList_->setObjectName("partsList");
  QStringList headings;
  for (const auto& heading : PartsListHeadings())
    headings << Text(heading);
  partsList_->setHorizontalHeaderLabels(headings);
  partsList_->verticalHeader()->hide();
  partsList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  partsList_->setWordWrap(false);
  partsList_->horizontalHeader()->setStretchLastSection(true);
  return partsList_;
}

void StudioWindow::ShowPartsList() {
  const auto rows = BuildPartsList(placed_);
  partsList_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const PartsListRow& row = rows[static_cast<size_t>(r)];
    const QString cells[] = {QString::number(row.number),   Text(row.code),     Text(row.name),
                             QString::number(row.quantity), Text(row.material), Text(row.unitMass),
                             Text(row.totalMass),           Text(row.remark)};
    for (int c = 0; c < partsList_->columnCount(); ++c)
      partsList_->setItem(r, c, new QTableWidgetItem(cells[c]));
  }
  partsList_->resizeColumnsToContents();
}

void StudioWindow::ShowReadyMessage() {
  statusBar()->showMessage(libraries_.isEmpty()
                               ? tr("Open a library, then insert a standard part")
                               : tr("Insert a standard part (Part > Insert standard part)"));
}

void StudioWindow::AddLibrary(const QString& path) {
  if (path.isEmpty() || libraries_.contains(path)) return;
  libraries_.append(path);
  libraryList_->addItem(QFileInfo(path).fileName());
  libraryList_->item(libraryList_->count() - 1)->setToolTip(path);
  if (parts_.empty()) ShowReadyMessage();
}

void StudioWindow::OpenLibraryDialog() {
  const QStringList files = QFileDialog::getOpenFileNames(
      this, tr("Open part libraries"), QString(),
      tr("Part libraries (*.qzlib *.db *.sqlite *.mdb);;All files (*)"));
  for (const auto& file : files) {
    AddLibrary(file);
    RememberLibrary(file);
  }
}

void StudioWindow::RememberLibrary(const QString& path) {
  QSettings settings;
  QStringList recent = settings.value(kRecentKey).toStringList();
  recent.removeAll(path);
  recent.prepend(path);
  settings.setValue(kRecentKey, recent.mid(0, kRecentCount));
  RefreshRecent();
}

void StudioWindow::RefreshRecent() {
  recent_->clear();
  const QStringList recent = QSettings().value(kRecentKey).toStringList();
  for (const auto& path : recent)
    recent_->addAction(path, this, [this, path] { AddLibrary(path); });
  recent_->setEnabled(!recent.isEmpty());
}

int StudioWindow::InsertStandardPart() {
  auto component = MemoryComponent::Make();
  auto session = component->NewObject("QZdbSPart");
  session->Preset("DrawScale", scale_->value());
  std::string folder = blockFolder_->text().toStdString();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  session->Preset("BlockFolder", folder);
  session->Preset("IsEditing", editing_->isChecked());

  Selection().owner = this;
  Selection().libraries.clear();
  for (const auto& library : libraries_)
    Selection().libraries.push_back(library.toStdString());
  IQZdbEngine engine;
  engine.QZdbSPart(session);
  const int result = engine.startSPartGen();
  if (result == 1) {
    PlacedPart placed;
    placed.library = Engine().LibraryPath;
    placed.partID = Engine().CurrentPartID;
    placed.scale = scale_->value();
    pending_ = MakePart(*session, std::move(placed));
    if (pending_) {
      canvas_->SetPending(pending_->first);
      statusBar()->showMessage(
          tr("Click where the part goes (it snaps to the grid and to line ends); R or Space "
             "turns it by 90°, Esc drops it"));
      return result;
    }
  }
  statusBar()->showMessage(tr("No part inserted"));
  return result;
}

std::optional<std::pair<server::Document, PlacedPart>> StudioWindow::MakePart(
    const MemoryObject& session, PlacedPart placed) {
  server::Document document;
  try {
    // Drawn in the style chosen now; parts drawn before keep theirs.
    document = server::BuildDocument(session, BuildOptionsOf(LoadDrawingStyle()));
  } catch (const std::exception& failure) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(failure.what()));
    return std::nullopt;
  }
  const server::PartInfo& info = document.part;
  placed.name = info.name;
  placed.values = info.inputParameters;
  placed.properties = info.properties;
  placed.options = {info.removeDimension, info.allowMove, info.groupPart, info.makeBlock,
                    info.hideBackground};
  placed.views.clear();
  // A part drawn without a ticked view comes in the engine's default views
  // PartView1 and PartView2, which the dialog does not list.
  for (const auto& view : document.views)
    if (view.name != "PartView" + std::to_string(view.id + 1)) placed.views.push_back(view.name);
  return std::make_pair(std::move(document), std::move(placed));
}

void StudioWindow::AddPart(const MemoryObject& session, PlacedPart placed) {
  auto part = MakePart(session, std::move(placed));
  if (!part) return;
  auto& [document, made] = *part;
  if (!made.placement) {
    double right = 0;
    for (size_t i = 0; i < parts_.size(); ++i) {
      const auto box = PlacedExtents(
          parts_[i],
          PlacementMap(parts_[i].part.basePoint, placed_[i].placement.value_or(Placement{})));
      if (box.valid) right = std::max(right, box.max[0]);
    }
    made.placement = parts_.empty()
                         ? Placement{document.part.basePoint[0], document.part.basePoint[1], 0}
                         : BesideOf(right, kPartGap * made.scale, server::DocumentExtents(document),
                                    document.part.basePoint);
  }
  parts_.push_back(std::move(document));
  placed_.push_back(std::move(made));
  ShowParts();
}

void StudioWindow::PlacePending(Placement placement) {
  if (!pending_) return;
  auto [document, placed] = std::move(*pending_);
  pending_.reset();
  placed.placement = placement;
  RememberForUndo();
  parts_.push_back(std::move(document));
  placed_.push_back(std::move(placed));
  ShowParts();
  SelectPart(static_cast<int>(parts_.size()) - 1);
  statusBar()->showMessage(tr("Part inserted"));
}

void StudioWindow::ShowParts() {
  std::vector<Placement> placements;
  for (const PlacedPart& placed : placed_)
    placements.push_back(placed.placement.value_or(Placement{}));
  const double scale = placed_.empty() ? scale_->value() : placed_.front().scale;
  canvas_->SetDrawScale(scale);
  canvas_->SetParts(parts_, std::move(placements),
                    partsListOnSheet_ && partsListOnSheet_->isChecked()
                        ? PartsListTable(BuildPartsList(placed_), scale)
                        : server::Document{});
  properties_->blockSignals(true);
  properties_->clear();
  for (size_t i = 0; i < parts_.size(); ++i) {
    const auto& part = parts_[i];
    auto* top = new QTreeWidgetItem(properties_, {QString::fromStdString(part.part.name)});
    auto* props = new QTreeWidgetItem(top, {tr("Properties")});
    // Read as the attribute dialog shows them: each value with its unit.
    for (const auto& [name, value] : part.part.properties) {
      const auto [shownName, shownValue] =
          db::ShownProperty(name, value, UnitsOf(placed_[i].library));
      new QTreeWidgetItem(props,
                          {QString::fromStdString(shownName), QString::fromStdString(shownValue)});
    }
    auto* inputs = new QTreeWidgetItem(top, {tr("Design parameters")});
    for (const auto& [name, value] : part.part.inputParameters)
      new QTreeWidgetItem(inputs, {QString::fromStdString(name), QString::fromStdString(value)});
  }
  properties_->blockSignals(false);
  properties_->expandAll();
  properties_->resizeColumnToContents(0);
  // The names give way to the values: a long name is cut, its whole text
  // in the tooltip, rather than the Value column pushed out of sight.
  properties_->setColumnWidth(
      0, std::min(properties_->columnWidth(0), properties_->viewport()->width() / 2));
  for (QTreeWidgetItemIterator it(properties_); *it; ++it) {
    (*it)->setToolTip(0, (*it)->text(0));
    (*it)->setToolTip(1, (*it)->text(1));
  }
  ShowPartsList();
  layers_->blockSignals(true);
  layers_->clear();
  for (const auto& name : canvas_->LayerNames()) {
    auto* item = new QListWidgetItem(QString::fromStdString(name), layers_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(canvas_->LayerShown(name) ? Qt::Checked : Qt::Unchecked);
  }
  layers_->blockSignals(false);
}

const std::map<std::string, std::string>& StudioWindow::UnitsOf(const std::string& library) {
  auto [found, fresh] = units_.try_emplace(library);
  if (fresh) found->second = db::PropertyUnits(library);
  return found->second;
}

bool StudioWindow::SaveDrawing(const QString& path) {
  if (parts_.empty()) return false;
  const server::Document shown = canvas_->Shown(canvas_->Drawing());
  const std::string suffix = QFileInfo(path).suffix().toLower().toStdString();
  const std::filesystem::path file = path.toStdString();
  try {
    if (suffix == "dxf")
      server::ExportDxf(shown, file);
    else if (suffix == "svg")
      server::ExportSvg(shown, file);
    else if (suffix == "png")
      server::ExportPng(shown, file, 1600);
    else if (suffix == "pdf")
      server::ExportPdf(shown, file);
    else if (suffix.empty())
      throw std::runtime_error(
          "the file name has no extension; end it in .dxf, .svg, .png or .pdf");
    else
      throw std::runtime_error("unknown drawing format \"." + suffix +
                               "\"; end the file name in .dxf, .svg, .png or .pdf");
  } catch (const std::exception& failure) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(failure.what()));
    return false;
  }
  statusBar()->showMessage(tr("Saved %1").arg(path));
  return true;
}

void StudioWindow::SaveDialog() {
  if (parts_.empty()) {
    QMessageBox::information(this, windowTitle(), tr("Nothing has been drawn yet."));
    return;
  }
  QString filter;
  const QString path = QFileDialog::getSaveFileName(
      this, tr("Save drawing"), QString(), tr("DXF (*.dxf);;SVG (*.svg);;PNG (*.png);;PDF (*.pdf)"),
      &filter);
  if (!path.isEmpty()) SaveDrawing(WithFilterExtension(path, filter));
}

bool StudioWindow::SaveStudioDrawing(const QString& path) {
  try {
    WriteStudioDrawing(path.toStdString(), placed_);
  } catch (const std::exception& failure) {
    QMessageBox::warning(this, windowTitle(), Text(failure.what()));
    return false;
  }
  statusBar()->showMessage(tr("Saved %1").arg(path));
  return true;
}

bool StudioWindow::OpenStudioDrawing(const QString& path) {
  std::vector<PlacedPart> placed;
  try {
    placed = ReadStudioDrawing(path.toStdString());
  } catch (const std::exception& failure) {
    QMessageBox::warning(this, windowTitle(), Text(failure.what()));
    return false;
  }
  RememberForUndo();
  parts_.clear();
  placed_.clear();
  std::string folder = blockFolder_->text().toStdString();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  QStringList failures;
  for (PlacedPart& part : placed) {
    AddLibrary(Text(part.library));
    const PlacedPartDrawing drawing = DrawPlacedPart(part, folder);
    if (!drawing.failure.empty()) {
      failures << Text(drawing.failure);
      continue;
    }
    AddPart(*drawing.session, std::move(part));
  }
  ShowParts();
  if (!failures.isEmpty())
    QMessageBox::warning(this, windowTitle(),
                         tr("These parts could not be drawn again:\n%1").arg(failures.join("\n")));
  statusBar()->showMessage(
      tr("Opened %1: %2 of %3 parts").arg(path).arg(parts_.size()).arg(placed.size()));
  return failures.size() < static_cast<qsizetype>(placed.size()) || placed.empty();
}

void StudioWindow::RememberForUndo() {
  undo_.push_back({parts_, placed_});
  redo_.clear();
}

bool StudioWindow::DeletePart(size_t index) {
  if (index >= parts_.size()) return false;
  RememberForUndo();
  parts_.erase(parts_.begin() + static_cast<std::ptrdiff_t>(index));
  placed_.erase(placed_.begin() + static_cast<std::ptrdiff_t>(index));
  ShowParts();
  return true;
}

// The part whose entry (or anything under it) is selected in the Part panel.
void StudioWindow::DeleteSelectedPart() {
  if (canvas_->Selected() >= 0) {
    DeletePart(static_cast<size_t>(canvas_->Selected()));
    return;
  }
  QTreeWidgetItem* item = properties_->currentItem();
  while (item && item->parent())
    item = item->parent();
  if (item) DeletePart(static_cast<size_t>(properties_->indexOfTopLevelItem(item)));
}

bool StudioWindow::Undo() {
  if (undo_.empty()) return false;
  redo_.push_back({std::move(parts_), std::move(placed_)});
  parts_ = std::move(undo_.back().parts);
  placed_ = std::move(undo_.back().placed);
  undo_.pop_back();
  ShowParts();
  return true;
}

bool StudioWindow::Redo() {
  if (redo_.empty()) return false;
  undo_.push_back({std::move(parts_), std::move(placed_)});
  parts_ = std::move(redo_.back().parts);
  placed_ = std::move(redo_.back().placed);
  redo_.pop_back();
  ShowParts();
  return true;
}

void StudioWindow::SelectPart(int index) {
  canvas_->SetSelected(index);
  properties_->blockSignals(true);
  properties_->setCurrentItem(index >= 0 ? properties_->topLevelItem(index) : nullptr);
  properties_->blockSignals(false);
}

bool StudioWindow::MovePart(size_t index, Placement placement) {
  if (index >= placed_.size()) return false;
  RememberForUndo();
  placed_[index].placement = placement;
  ShowParts();
  SelectPart(static_cast<int>(index));
  return true;
}

void StudioWindow::Turn() {
  if (canvas_->HasPending()) {
    canvas_->TurnPending();
    return;
  }
  const int selected = canvas_->Selected();
  if (selected < 0) return;
  Placement placement = placed_[static_cast<size_t>(selected)].placement.value_or(Placement{});
  placement.quarterTurns = (placement.quarterTurns + 1) % 4;
  MovePart(static_cast<size_t>(selected), placement);
}

void StudioWindow::SetPartsListOnSheet(bool shown) {
  partsListOnSheet_->setChecked(shown);
}

bool StudioWindow::ExportPartsList(const QString& path) {
  try {
    WriteTextAtomically(path.toStdString(), PartsListCsv(BuildPartsList(placed_)));
  } catch (const std::exception& failure) {
    QMessageBox::warning(this, windowTitle(), Text(failure.what()));
    return false;
  }
  statusBar()->showMessage(tr("Saved %1").arg(path));
  return true;
}

void StudioWindow::SaveStudioDialog() {
  QString filter;
  const QString path = QFileDialog::getSaveFileName(this, tr("Save studio drawing"), QString(),
                                                    tr(kDrawingFilter), &filter);
  if (!path.isEmpty()) SaveStudioDrawing(WithFilterExtension(path, filter));
}

void StudioWindow::OpenStudioDialog() {
  const QString path =
      QFileDialog::getOpenFileName(this, tr("Open studio drawing"), QString(), tr(kDrawingFilter));
  if (!path.isEmpty()) OpenStudioDrawing(path);
}

void StudioWindow::ExportPartsListDialog() {
  QString filter;
  const QString path = QFileDialog::getSaveFileName(this, tr("Export parts list"), QString(),
                                                    tr("CSV (*.csv)"), &filter);
  if (!path.isEmpty()) ExportPartsList(WithFilterExtension(path, filter));
}

}  // namespace qzdbs::ui::qt
