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
#include <QTableWidget>
#include <QTreeWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/memory/MemoryHost.h"
#include "server/Document.h"
#include "ui/StudioDrawing.h"
#include "ui/qt/studio/DrawingCanvas.h"

namespace qzdbs::ui::qt {

class StudioWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit StudioWindow(QWidget* parent = nullptr);

  void AddLibrary(const QString& path);
  const QStringList& Libraries() const { return libraries_; }

  // One insert: a fresh session from the settings, startSPartGen, and the
  // part, when the engine drew it, waiting on the canvas for the click that
  // places it. The engine's result.
  int InsertStandardPart();
  // Adds a part as the engine drew it into `session`; `placed` says what
  // was chosen to draw it and where it goes (when it does not say, right of
  // the parts before it).
  void AddPart(const MemoryObject& session, PlacedPart placed);

  // Turns the part waiting to be placed, else the selected part, by 90°.
  void Turn();
  // Moves an inserted part (undoable); false when there is no such part.
  bool MovePart(size_t index, Placement placement);
  // The parts list drawn on the sheet, in the canvas and every export.
  void SetPartsListOnSheet(bool shown);

  // Saves every part inserted, as the canvas shows them; the format follows the file's extension
  // (.dxf, .svg, .png, .pdf). False, after a message, when it cannot.
  bool SaveDrawing(const QString& path);

  // The studio's own drawing: what was inserted, in order, with its values,
  // views and options. Opening draws every part again in a new drawing; a
  // part that cannot be drawn is named in a message and left out. False,
  // after a message, when nothing could be saved or opened.
  bool SaveStudioDrawing(const QString& path);
  bool OpenStudioDrawing(const QString& path);
  const std::vector<PlacedPart>& Placed() const { return placed_; }

  // The parts list of the drawing as CSV (UTF-8 with a byte order mark).
  bool ExportPartsList(const QString& path);

  // Takes the inserted part out of the drawing (by insertion order); false
  // when there is no such part. Inserting, deleting and opening a drawing
  // can be undone and redone; false when there is nothing to undo or redo.
  bool DeletePart(size_t index);
  bool Undo();
  bool Redo();

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
  void SaveStudioDialog();
  void OpenStudioDialog();
  void ExportPartsListDialog();
  QWidget* BuildPartsListPanel();
  // Keeps the drawing as it is for Undo, before a change.
  void RememberForUndo();
  void DeleteSelectedPart();
  void ShowPartsList();
  void ShowReadyMessage();
  void PlacePending(Placement placement);
  void SelectPart(int index);
  // The part as the engine drew it, with what was chosen; none after a message.
  std::optional<std::pair<server::Document, PlacedPart>> MakePart(const MemoryObject& session,
                                                                  PlacedPart placed);

  // The units of each library's properties, read once (by full path).
  const std::map<std::string, std::string>& UnitsOf(const std::string& library);

  QStringList libraries_;
  std::map<std::string, std::map<std::string, std::string>> units_;
  std::vector<server::Document> parts_;
  std::vector<PlacedPart> placed_;  // one for each of parts_
  struct Drawing {
    std::vector<server::Document> parts;
    std::vector<PlacedPart> placed;
  };
  std::vector<Drawing> undo_;
  std::vector<Drawing> redo_;
  // Drawn, waiting on the canvas for its place.
  std::optional<std::pair<server::Document, PlacedPart>> pending_;
  QAction* partsListOnSheet_ = nullptr;
  DrawingCanvas* canvas_ = nullptr;
  QDoubleSpinBox* scale_ = nullptr;
  QLineEdit* blockFolder_ = nullptr;
  QCheckBox* editing_ = nullptr;
  QListWidget* libraryList_ = nullptr;
  QMenu* recent_ = nullptr;
  QListWidget* layers_ = nullptr;
  QTreeWidget* properties_ = nullptr;
  QTableWidget* partsList_ = nullptr;
};

// The file name as the user typed it, with the extension of the chosen save
// filter ("DXF (*.dxf)") added when it has none.
QString WithFilterExtension(const QString& path, const QString& filter);

}  // namespace qzdbs::ui::qt
