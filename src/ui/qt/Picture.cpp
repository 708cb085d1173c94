// Reading the preview picture: raster formats through Qt's image readers,
// SVG through the SVG renderer, metafiles through libwmf (as SVG).
#include "ui/qt/Picture.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include "ui/qt/WmfPicture.h"

namespace qzdbs::ui::qt {

namespace {
bool LooksLikeSvg(const QByteArray& head) {
  return head.contains("<svg") || (head.startsWith("<?xml") && head.contains("svg"));
}

QPixmap RenderSvg(const QByteArray& svg, const QSize& size) {
  QSvgRenderer renderer(svg);
  if (!renderer.isValid() || renderer.defaultSize().isEmpty()) return {};
  QSize shown = renderer.defaultSize().scaled(size, Qt::KeepAspectRatio);
  QPixmap pixmap(shown);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}
}  // namespace

QPixmap LoadPicture(const std::string& path, const QSize& size) {
  QFile file(QString::fromStdString(path));
  if (size.isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
  const QByteArray data = file.readAll();
  // A metafile that cannot be played shows nothing rather than whatever a
  // raster reader might make of its bytes.
  if (LooksLikeWmf(data)) return RenderSvg(WmfToSvg(data), size);
  if (LooksLikeSvg(data.left(512))) return RenderSvg(data, size);
  QImage image;
  if (!image.loadFromData(data)) return {};
  return QPixmap::fromImage(image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

}  // namespace qzdbs::ui::qt
