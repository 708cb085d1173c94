// Painting the studio's parts with zoom, pan and layer switches.
#include "ui/qt/studio/DrawingCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "server/render/Painter.h"
#include "ui/qt/studio/CombinedDrawing.h"

namespace qzdbs::ui::qt {

namespace {
// Space between two parts, in paper millimetres: twice the gap between views.
constexpr double kPartGap = 30.0;
}  // namespace

DrawingCanvas::DrawingCanvas(QWidget* parent) : QWidget(parent) {
  setObjectName("drawingCanvas");
  setMinimumSize(400, 300);
  setAutoFillBackground(false);
}

void DrawingCanvas::SetDocuments(std::vector<server::Document> documents) {
  documents_ = std::move(documents);
  const double scale = documents_.empty() ? 1.0 : documents_.front().dimStyle.scale;
  drawing_ = CombineParts(documents_, kPartGap * scale);
  update();
}

std::vector<std::string> DrawingCanvas::LayerNames() const {
  std::vector<std::string> names;
  for (const auto& document : documents_)
    for (const auto& layer : document.layers)
      if (std::find(names.begin(), names.end(), layer.name) == names.end())
        names.push_back(layer.name);
  return names;
}

void DrawingCanvas::SetLayerShown(const std::string& layer, bool shown) {
  if (shown)
    hidden_.erase(layer);
  else
    hidden_.insert(layer);
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

server::Document DrawingCanvas::Shown(const server::Document& document) const {
  if (hidden_.empty()) return document;
  server::Document shown = document;
  for (auto& view : shown.views)
    std::erase_if(view.entities,
                  [this](const server::Entity& entity) { return hidden_.contains(entity.layer); });
  return shown;
}

void DrawingCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (documents_.empty()) {
    painter.setPen(Qt::gray);
    painter.drawText(rect(), Qt::AlignCenter, tr("Insert a standard part to see it here"));
    return;
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(pan_);
  painter.scale(zoom_, zoom_);
  server::Render(Shown(drawing_), painter, QRectF(rect()));
}

void DrawingCanvas::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  ZoomBy(std::pow(1.2, steps), event->position());
}

void DrawingCanvas::mousePressEvent(QMouseEvent* event) {
  dragFrom_ = event->position();
}

void DrawingCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) return;
  pan_ += event->position() - dragFrom_;
  dragFrom_ = event->position();
  update();
}

}  // namespace qzdbs::ui::qt
