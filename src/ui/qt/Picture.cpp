// Reading the preview picture: raster formats through Qt's image readers,
// SVG through the SVG renderer.
#include "ui/qt/Picture.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace qzdbs::ui::qt {

namespace {
bool LooksLikeSvg(const QByteArray& head) {
  return head.contains("<svg") || (head.startsWith("<?xml") && head.contains("svg"));
}
}  // namespace

QPixmap LoadPicture(const std::string& path, const QSize& size) {
  QFile file(QString::fromStdString(path));
  if (size.isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
  const QByteArray data = file.readAll();
  if (LooksLikeSvg(data.left(512))) {
    QSvgRenderer renderer(data);
    if (!renderer.isValid()) return {};
    QSize shown = renderer.defaultSize().scaled(size, Qt::KeepAspectRatio);
    QPixmap pixmap(shown);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
  }
  QImage image;
  if (!image.loadFromData(data)) return {};
  return QPixmap::fromImage(image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

}  // namespace qzdbs::ui::qt
