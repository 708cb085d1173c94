// The studio: a desktop program that plays the CAD host. It keeps a session
// (drawing scale, block folder, editing flag), runs the engine's part
// selection on the libraries it has opened, shows what the engine drew and
// saves it through the drawing server's exporters.
#pragma once

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QStringList>
#include <QTreeWidget>
#include <memory>
#include <string>
#include <vector>

#include "host/memory/MemoryHost.h"
#include "server/Document.h"
#include "ui/qt/studio/DrawingCanvas.h"

namespace qzdbs::ui::qt {

class StudioWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit StudioWindow(QWidget* parent = nullptr);

  void AddLibrary(const QString& path);
  const QStringList& Libraries() const { return libraries_; }

  // One insert: a fresh session from the settings, startSPartGen, and the
  // part added to the drawing when the engine drew it. The engine's result.
  int InsertStandardPart();
  // Adds a part as the engine drew it into `session`.
  void AddPart(const MemoryObject& session);

  // Saves every part inserted, as the canvas shows them; the format follows the file's extension
  // (.dxf, .svg, .png, .pdf). False, after a message, when it cannot.
  bool SaveDrawing(const QString& path);

  DrawingCanvas& Canvas() { return *canvas_; }
  QDoubleSpinBox& DrawScale() { return *scale_; }
  QLineEdit& BlockFolder() { return *blockFolder_; }

 private:
  void BuildMenus();
  QWidget* BuildSessionPanel();
  QWidget* BuildInfoPanel();
  void ShowParts();
  void OpenLibraryDialog();
  void RememberLibrary(const QString& path);
  void RefreshRecent();
  void SaveDialog();

  QStringList libraries_;
  std::vector<server::Document> parts_;
  DrawingCanvas* canvas_ = nullptr;
  QDoubleSpinBox* scale_ = nullptr;
  QLineEdit* blockFolder_ = nullptr;
  QCheckBox* editing_ = nullptr;
  QListWidget* libraryList_ = nullptr;
  QMenu* recent_ = nullptr;
  QListWidget* layers_ = nullptr;
  QTreeWidget* properties_ = nullptr;
};

}  // namespace qzdbs::ui::qt
