// The studio's drawing area: the parts drawn so far, side by side as one
// drawing (the one that is saved), painted by the drawing server; the wheel zooms about the
// pointer, a drag pans, and layers can be switched off.
#pragma once

#include <QPointF>
#include <QWidget>
#include <set>
#include <string>
#include <vector>

#include "server/Document.h"

namespace qzdbs::ui::qt {

class DrawingCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit DrawingCanvas(QWidget* parent = nullptr);

  void SetDocuments(std::vector<server::Document> documents);
  const std::vector<server::Document>& Documents() const { return documents_; }
  // Every part as one drawing, as painted and as saved (hidden layers in).
  const server::Document& Drawing() const { return drawing_; }
  // Every layer of every part, in the order first met.
  std::vector<std::string> LayerNames() const;
  void SetLayerShown(const std::string& layer, bool shown);
  bool LayerShown(const std::string& layer) const { return !hidden_.contains(layer); }

  double Zoom() const { return zoom_; }
  void ZoomBy(double factor, const QPointF& about);
  void ResetView();

  // A part as drawn: without the entities of the hidden layers.
  server::Document Shown(const server::Document& document) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  std::vector<server::Document> documents_;
  server::Document drawing_;
  std::set<std::string> hidden_;
  double zoom_ = 1.0;
  QPointF pan_;
  QPointF dragFrom_;
};

}  // namespace qzdbs::ui::qt
