// Painting the studio's sheet and parts; placing, selecting and moving parts
// with the pointer.
#include "ui/qt/studio/DrawingCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "server/render/Painter.h"
#include "ui/qt/studio/CombinedDrawing.h"
#include "ui/qt/studio/PartsListTable.h"

namespace qzdbs::ui::qt {

namespace {
// Grid step in paper millimetres.
constexpr double kGridStep = 5.0;
// How near the pointer must come to an endpoint or a part, in pixels.
constexpr double kReachPixels = 8.0;
// A press that moves less than this, in pixels, is a click.
constexpr double kDragPixels = 4.0;
}  // namespace

DrawingCanvas::DrawingCanvas(QWidget* parent) : QWidget(parent) {
  setObjectName("drawingCanvas");
  setMinimumSize(400, 300);
  setAutoFillBackground(false);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void DrawingCanvas::SetParts(std::vector<server::Document> documents,
                             std::vector<Placement> placements, server::Document sheetExtras) {
  documents_ = std::move(documents);
  placements_ = std::move(placements);
  placements_.resize(documents_.size());
  ends_.clear();
  std::vector<server::Affine> maps;
  for (size_t i = 0; i < documents_.size(); ++i) {
    maps.push_back(PlacementMap(documents_[i].part.basePoint, placements_[i]));
    ends_.push_back(Endpoints(documents_[i], maps.back()));
  }
  FindStrokes();
  std::vector<server::Document> all = documents_;
  if (!sheetExtras.views.empty()) {
    all.push_back(std::move(sheetExtras));
    maps.emplace_back();
  }
  drawing_ = CombineParts(all, maps);
  if (selected_ >= static_cast<int>(documents_.size())) selected_ = -1;
  update();
}

void DrawingCanvas::FindStrokes() {
  strokes_.clear();
  for (size_t i = 0; i < documents_.size(); ++i)
    strokes_.push_back(PartStrokes(Shown(documents_[i]),
                                   PlacementMap(documents_[i].part.basePoint, placements_[i])));
}

std::vector<std::string> DrawingCanvas::LayerNames() const {
  std::vector<std::string> names;
  for (const auto& layer : drawing_.layers)
    if (std::find(names.begin(), names.end(), layer.name) == names.end())
      names.push_back(layer.name);
  return names;
}

void DrawingCanvas::SetLayerShown(const std::string& layer, bool shown) {
  if (shown)
    hidden_.erase(layer);
  else
    hidden_.insert(layer);
  FindStrokes();
  if (pending_) pendingStrokes_ = PartStrokes(Shown(*pending_), {});
  update();
}

void DrawingCanvas::SetDrawScale(double scale) {
  scale_ = scale > 0 ? scale : 1.0;
  update();
}

double DrawingCanvas::GridStep() const {
  return kGridStep * scale_;
}

void DrawingCanvas::SetPending(server::Document part) {
  pending_ = std::move(part);
  pendingStrokes_ = PartStrokes(Shown(*pending_), {});
  pendingTurns_ = 0;
  snap_.reset();
  setFocus();
  update();
}

void DrawingCanvas::CancelPending() {
  if (!pending_) return;
  pending_.reset();
  snap_.reset();
  update();
  emit PendingCancelled();
}

void DrawingCanvas::TurnPending() {
  pendingTurns_ = (pendingTurns_ + 1) % 4;
  update();
}

void DrawingCanvas::SetSelected(int index) {
  selected_ = index >= 0 && index < static_cast<int>(documents_.size()) ? index : -1;
  update();
}

void DrawingCanvas::ZoomBy(double factor, const QPointF& about) {
  const double next = std::clamp(zoom_ * factor, 0.05, 200.0);
  // Keeps the point under the pointer where it is.
  pan_ = about - (about - pan_) * (next / zoom_);
  zoom_ = next;
  update();
}

void DrawingCanvas::ResetView() {
  zoom_ = 1.0;
  pan_ = {};
  update();
}

QRectF DrawingCanvas::SheetRect() const {
  return QRectF(0, 0, kSheetWidth * scale_, kSheetHeight * scale_);
}

// The sheet (and whatever stands beyond it) fitted to the widget, Y up, then
// zoomed and panned.
QTransform DrawingCanvas::View() const {
  QRectF area = SheetRect();
  if (!documents_.empty()) area = area.united(server::DrawingBounds(drawing_));
  const double fit = 0.96 * std::min(width() / area.width(), height() / area.height());
  QTransform view;
  view.translate(pan_.x(), pan_.y());
  view.scale(zoom_, zoom_);
  view.translate(width() / 2.0, height() / 2.0);
  view.scale(fit, -fit);
  view.translate(-area.center().x(), -area.center().y());
  return view;
}

QPointF DrawingCanvas::ToScreen(const Point3& point) const {
  return View().map(QPointF(point[0], point[1]));
}

Point3 DrawingCanvas::ToDrawing(const QPointF& point) const {
  const QPointF at = View().inverted().map(point);
  return {at.x(), at.y(), 0};
}

Snapped DrawingCanvas::SnapAt(const Point3& point, int skip) const {
  std::vector<Point3> ends;
  for (size_t i = 0; i < ends_.size(); ++i)
    if (static_cast<int>(i) != skip) ends.insert(ends.end(), ends_[i].begin(), ends_[i].end());
  return Snap(point, GridStep(), ends, kReachPixels / View().m11());
}

server::Document DrawingCanvas::Shown(const server::Document& document) const {
  if (hidden_.empty()) return document;
  server::Document shown = document;
  for (auto& view : shown.views)
    std::erase_if(view.entities,
                  [this](const server::Entity& entity) { return hidden_.contains(entity.layer); });
  return shown;
}

void DrawingCanvas::PaintSheet(QPainter& painter) const {
  const QTransform view = View();
  painter.fillRect(rect(), QColor(0xd8, 0xd8, 0xd8));
  painter.fillRect(view.mapRect(SheetRect()), Qt::white);
  const server::Document shown = Shown(drawing_);
  if (!documents_.empty())
    server::Render(shown, painter, view.mapRect(server::DrawingBounds(shown)));
  // The grid, every point or every few where they stand close, and none
  // where they would blur into grey.
  const double step = GridStep();
  const double pixels = step * view.m11();
  const int every = pixels > 0 ? static_cast<int>(std::ceil(8 / pixels)) : 0;
  if (every >= 1 && every <= 4) {
    painter.setPen(QPen(QColor(0xb0, 0xb0, 0xc8), 1.5));
    const QRectF sheet = SheetRect();
    for (double x = sheet.left(); x <= sheet.right() + 1e-9; x += step * every)
      for (double y = sheet.top(); y <= sheet.bottom() + 1e-9; y += step * every)
        painter.drawPoint(view.map(QPointF(x, y)));
  }
  // The frame and the title block's place, which the saved drawing leaves out.
  painter.setPen(QPen(Qt::gray, 1, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  const double m = kSheetMargin * scale_;
  painter.drawRect(view.mapRect(SheetRect().adjusted(m, m, -m, -m)));
  painter.drawRect(view.mapRect(QRectF((kSheetWidth - kSheetMargin - kTitleBlockWidth) * scale_, m,
                                       kTitleBlockWidth * scale_, kTitleBlockHeight * scale_)));
}

void DrawingCanvas::Highlight(QPainter& painter, const Strokes& strokes,
                              const server::Affine& map) const {
  const QTransform view = View();
  QPainterPath path;
  for (const Stroke& stroke : strokes) {
    if (stroke.points.empty()) continue;
    const auto at = [&](const Point3& point) {
      const Point3 moved = map.Apply(point);
      return view.map(QPointF(moved[0], moved[1]));
    };
    path.moveTo(at(stroke.points.front()));
    for (size_t i = 1; i < stroke.points.size(); ++i)
      path.lineTo(at(stroke.points[i]));
  }
  painter.setPen(QPen(QColor(0x1e, 0x78, 0xff, 0xc0), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
}

void DrawingCanvas::PaintMarks(QPainter& painter) const {
  if (selected_ >= 0 && !(dragging_ == selected_ && dragTo_))
    Highlight(painter, strokes_[static_cast<size_t>(selected_)], {});
  if (dragging_ >= 0 && dragTo_) {
    // A drag keeps the part's turn: its lines move with the base point.
    const Placement& from = placements_[static_cast<size_t>(dragging_)];
    Highlight(painter, strokes_[static_cast<size_t>(dragging_)],
              server::Affine::Translation({dragTo_->x - from.x, dragTo_->y - from.y, 0}));
  }
  if (pending_ && snap_) {
    const Placement at{snap_->point[0], snap_->point[1], pendingTurns_};
    Highlight(painter, pendingStrokes_, PlacementMap(pending_->part.basePoint, at));
  }
  if (!snap_ || snap_->kind == SnapKind::None) return;
  // The snap marker: a square on an endpoint, a cross on a grid point.
  const QPointF at = ToScreen(snap_->point);
  painter.setPen(QPen(QColor(0xe0, 0x60, 0x00), 2));
  if (snap_->kind == SnapKind::Endpoint) {
    painter.drawRect(QRectF(at - QPointF(5, 5), QSizeF(10, 10)));
  } else {
    painter.drawLine(at - QPointF(6, 0), at + QPointF(6, 0));
    painter.drawLine(at - QPointF(0, 6), at + QPointF(0, 6));
  }
}

void DrawingCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintSheet(painter);
  PaintMarks(painter);
  if (documents_.empty() && !pending_) {
    painter.setPen(Qt::gray);
    painter.drawText(rect(), Qt::AlignCenter, tr("Insert a standard part to see it here"));
  }
}

void DrawingCanvas::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  ZoomBy(std::pow(1.2, steps), event->position());
}

void DrawingCanvas::mousePressEvent(QMouseEvent* event) {
  pressedAt_ = dragFrom_ = event->position();
  const Point3 at = ToDrawing(event->position());
  if (event->button() == Qt::LeftButton && pending_) {
    const Snapped snapped = SnapAt(at, -1);
    const Placement placement{snapped.point[0], snapped.point[1], pendingTurns_};
    pending_.reset();
    snap_.reset();
    emit PlacePicked(placement);
    return;
  }
  panning_ = event->button() == Qt::MiddleButton;
  if (event->button() != Qt::LeftButton) return;
  const int hit = PartAt(strokes_, at, kReachPixels / View().m11());
  SetSelected(hit);
  emit PartSelected(hit);
  dragging_ = hit;
  panning_ = hit < 0;
}

void DrawingCanvas::mouseMoveEvent(QMouseEvent* event) {
  const Point3 at = ToDrawing(event->position());
  if (pending_) {
    snap_ = SnapAt(at, -1);
    update();
    return;
  }
  if (panning_ && (event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) {
    pan_ += event->position() - dragFrom_;
    dragFrom_ = event->position();
    update();
    return;
  }
  if (dragging_ < 0 || !(event->buttons() & Qt::LeftButton)) return;
  if (QLineF(pressedAt_, event->position()).length() < kDragPixels && !dragTo_) return;
  // The part's base point follows the pointer and snaps.
  const Placement& from = placements_[static_cast<size_t>(dragging_)];
  const Point3 grabbed = ToDrawing(pressedAt_);
  snap_ = SnapAt({from.x + at[0] - grabbed[0], from.y + at[1] - grabbed[1], 0}, dragging_);
  dragTo_ = Placement{snap_->point[0], snap_->point[1], from.quarterTurns};
  update();
}

void DrawingCanvas::mouseReleaseEvent(QMouseEvent*) {
  const int moved = dragging_;
  const std::optional<Placement> to = dragTo_;
  dragging_ = -1;
  dragTo_.reset();
  panning_ = false;
  if (!pending_) snap_.reset();
  update();
  if (moved >= 0 && to && !(*to == placements_[static_cast<size_t>(moved)]))
    emit PartMoved(moved, *to);
}

void DrawingCanvas::keyPressEvent(QKeyEvent* event) {
  if (pending_ && event->key() == Qt::Key_Escape) {
    CancelPending();
    return;
  }
  if (event->key() == Qt::Key_R || event->key() == Qt::Key_Space) {
    emit TurnRequested();
    return;
  }
  if (event->key() == Qt::Key_Delete && selected_ >= 0) {
    emit DeleteRequested();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace qzdbs::ui::qt
