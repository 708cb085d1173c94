// Painting the studio's parts with zoom, pan and layer switches.
#include "ui/qt/studio/DrawingCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "server/render/Painter.h"

namespace qzdbs::ui::qt {

DrawingCanvas::DrawingCanvas(QWidget* parent) : QWidget(parent) {
  setObjectName("drawingCanvas");
  setMinimumSize(400, 300);
  setAutoFillBackground(false);
}

void DrawingCanvas::SetDocuments(std::vector<server::Document> documents) {
  documents_ = std::move(documents);
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
  // Each part gets a slot as wide as its drawing is, side by side.
  std::vector<double> widths;
  double total = 0;
  for (const auto& document : documents_) {
    widths.push_back(server::DrawingBounds(document).width());
    total += widths.back();
  }
  double left = 0;
  for (size_t i = 0; i < documents_.size(); ++i) {
    const double share = total > 0 ? widths[i] / total : 1.0 / documents_.size();
    const QRectF slot(left, 0, width() * share, height());
    server::Render(Shown(documents_[i]), painter, slot);
    left += slot.width();
  }
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
