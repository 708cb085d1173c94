// The studio's drawing area: a sheet with the parts where the user put them,
// as one drawing (the one that is saved), painted by the drawing server. A
// part just drawn by the engine follows the pointer as its outline, snapped
// to the grid or to an endpoint, until a click places it; a click on a
// part's lines selects it, a drag moves it; the wheel zooms about the pointer, a drag on empty
// paper pans, and layers can be switched off.
#pragma once

#include <QPointF>
#include <QTransform>
#include <QWidget>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "server/Document.h"
#include "ui/StudioDrawing.h"
#include "ui/qt/studio/SheetPlacement.h"

namespace qzdbs::ui::qt {

class DrawingCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit DrawingCanvas(QWidget* parent = nullptr);

  // The parts, each where its placement puts it, and what the sheet carries
  // besides (the parts list table; empty when none).
  void SetParts(std::vector<server::Document> documents, std::vector<Placement> placements,
                server::Document sheetExtras = {});
  const std::vector<server::Document>& Documents() const { return documents_; }
  const std::vector<Placement>& Placements() const { return placements_; }
  // Every part as one drawing, as painted and as saved (hidden layers in).
  const server::Document& Drawing() const { return drawing_; }
  // Every layer of every part, in the order first met.
  std::vector<std::string> LayerNames() const;
  void SetLayerShown(const std::string& layer, bool shown);
  bool LayerShown(const std::string& layer) const { return !hidden_.contains(layer); }

  // The sheet's size follows the drawing scale (paper millimetres times it).
  void SetDrawScale(double scale);
  double GridStep() const;

  // A part waiting to be placed by a click; R or Space (or Turn()) turns it.
  void SetPending(server::Document part);
  bool HasPending() const { return pending_.has_value(); }
  void CancelPending();
  int PendingTurns() const { return pendingTurns_; }
  void TurnPending();

  int Selected() const { return selected_; }
  void SetSelected(int index);

  double Zoom() const { return zoom_; }
  void ZoomBy(double factor, const QPointF& about);
  void ResetView();
  QPointF ToScreen(const Point3& point) const;
  Point3 ToDrawing(const QPointF& point) const;

  // A part as drawn: without the entities of the hidden layers.
  server::Document Shown(const server::Document& document) const;

 signals:
  void PlacePicked(Placement placement);
  void PendingCancelled();
  // R or Space reached the canvas.
  void TurnRequested();
  // Delete reached the canvas.
  void DeleteRequested();
  void PartSelected(int index);
  void PartMoved(int index, Placement placement);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTransform View() const;
  QRectF SheetRect() const;
  // Where the pointer snaps, leaving out the endpoints of part `skip`.
  Snapped SnapAt(const Point3& point, int skip) const;
  void PaintSheet(QPainter& painter) const;
  void PaintMarks(QPainter& painter) const;
  // The strokes in the highlight colour, moved by `map` first.
  void Highlight(QPainter& painter, const Strokes& strokes, const server::Affine& map) const;
  // What the pointer can touch of each part, as shown.
  void FindStrokes();

  std::vector<server::Document> documents_;
  std::vector<Placement> placements_;
  std::vector<Strokes> strokes_;           // of each part as placed and shown
  std::vector<std::vector<Point3>> ends_;  // of each part as placed
  server::Document drawing_;
  std::set<std::string> hidden_;
  double scale_ = 1.0;
  double zoom_ = 1.0;
  QPointF pan_;
  QPointF pressedAt_;
  QPointF dragFrom_;
  bool panning_ = false;
  int selected_ = -1;
  int dragging_ = -1;
  std::optional<Placement> dragTo_;
  std::optional<server::Document> pending_;
  Strokes pendingStrokes_;  // where the part was drawn
  int pendingTurns_ = 0;
  std::optional<Snapped> snap_;
};

}  // namespace qzdbs::ui::qt
