// The studio's main window.
#include "ui/qt/studio/StudioWindow.h"

#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <exception>
#include <stdexcept>

#include "engine/IQZdbEngine.h"
#include "server/DrawingServer.h"
#include "state/EngineState.h"
#include "ui/qt/QtSelectionDialog.h"

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
}  // namespace

StudioWindow::StudioWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName("qzdbsStudio");
  setWindowTitle(tr("qzdbs-studio"));
  canvas_ = new DrawingCanvas(this);
  setCentralWidget(canvas_);
  auto* session = new QDockWidget(tr("Session"), this);
  session->setObjectName("sessionDock");
  session->setWidget(BuildSessionPanel());
  addDockWidget(Qt::LeftDockWidgetArea, session);
  auto* info = new QDockWidget(tr("Part"), this);
  info->setObjectName("partDock");
  info->setWidget(BuildInfoPanel());
  addDockWidget(Qt::RightDockWidgetArea, info);
  BuildMenus();
  statusBar()->showMessage(tr("Open a library, then insert a standard part"));
  resize(1200, 760);
}

void StudioWindow::BuildMenus() {
  auto* file = menuBar()->addMenu(tr("&File"));
  auto* open = file->addAction(tr("&Open library..."), this, &StudioWindow::OpenLibraryDialog);
  open->setShortcut(QKeySequence::Open);
  auto* save = file->addAction(tr("&Save drawing as..."), this, &StudioWindow::SaveDialog);
  save->setShortcut(QKeySequence::SaveAs);
  recent_ = file->addMenu(tr("&Recent libraries"));
  RefreshRecent();
  file->addSeparator();
  file->addAction(tr("&Quit"), this, &QWidget::close)->setShortcut(QKeySequence::Quit);

  auto* part = menuBar()->addMenu(tr("&Part"));
  auto* insert =
      part->addAction(tr("&Insert standard part..."), this, [this] { InsertStandardPart(); });
  insert->setObjectName("actionInsert");
  insert->setShortcut(Qt::CTRL | Qt::Key_I);

  auto* view = menuBar()->addMenu(tr("&View"));
  view->addAction(tr("Zoom &in"), this, [this] { canvas_->ZoomBy(1.25, canvas_->rect().center()); })
      ->setShortcut(QKeySequence::ZoomIn);
  view->addAction(tr("Zoom &out"), this, [this] { canvas_->ZoomBy(0.8, canvas_->rect().center()); })
      ->setShortcut(QKeySequence::ZoomOut);
  view->addAction(tr("&Fit"), this, [this] { canvas_->ResetView(); });

  auto* tools = addToolBar(tr("Main"));
  tools->setObjectName("mainToolBar");
  tools->addAction(open);
  tools->addAction(insert);
  tools->addAction(save);
}

QWidget* StudioWindow::BuildSessionPanel() {
  auto* panel = new QWidget(this);
  auto* form = new QFormLayout(panel);
  scale_ = new QDoubleSpinBox(panel);
  scale_->setObjectName("drawScale");
  scale_->setRange(0.01, 1000);
  scale_->setDecimals(3);
  scale_->setValue(1.0);
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
  layers_ = new QListWidget(panel);
  layers_->setObjectName("layers");
  connect(layers_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    canvas_->SetLayerShown(item->text().toStdString(), item->checkState() == Qt::Checked);
  });
  layout->addWidget(properties_, 3);
  layout->addWidget(layers_, 2);
  return panel;
}

void StudioWindow::AddLibrary(const QString& path) {
  if (path.isEmpty() || libraries_.contains(path)) return;
  libraries_.append(path);
  libraryList_->addItem(QFileInfo(path).fileName());
  libraryList_->item(libraryList_->count() - 1)->setToolTip(path);
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
  if (result == 1) AddPart(*session);
  statusBar()->showMessage(result == 1 ? tr("Part inserted") : tr("No part inserted"));
  return result;
}

void StudioWindow::AddPart(const MemoryObject& session) {
  try {
    parts_.push_back(server::BuildDocument(session));
  } catch (const std::exception& failure) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(failure.what()));
    return;
  }
  ShowParts();
}

void StudioWindow::ShowParts() {
  canvas_->SetDocuments(parts_);
  properties_->clear();
  for (const auto& part : parts_) {
    auto* top = new QTreeWidgetItem(properties_, {QString::fromStdString(part.part.name)});
    auto* props = new QTreeWidgetItem(top, {tr("Properties")});
    for (const auto& [name, value] : part.part.properties)
      new QTreeWidgetItem(props, {QString::fromStdString(name), QString::fromStdString(value)});
    auto* inputs = new QTreeWidgetItem(top, {tr("Design parameters")});
    for (const auto& [name, value] : part.part.inputParameters)
      new QTreeWidgetItem(inputs, {QString::fromStdString(name), QString::fromStdString(value)});
  }
  properties_->expandAll();
  properties_->resizeColumnToContents(0);
  layers_->blockSignals(true);
  layers_->clear();
  for (const auto& name : canvas_->LayerNames()) {
    auto* item = new QListWidgetItem(QString::fromStdString(name), layers_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(canvas_->LayerShown(name) ? Qt::Checked : Qt::Unchecked);
  }
  layers_->blockSignals(false);
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
    else
      throw std::runtime_error("unknown drawing format: " + suffix);
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
  const QString path =
      QFileDialog::getSaveFileName(this, tr("Save drawing"), QString(),
                                   tr("DXF (*.dxf);;SVG (*.svg);;PNG (*.png);;PDF (*.pdf)"));
  if (!path.isEmpty()) SaveDrawing(path);
}

}  // namespace qzdbs::ui::qt
