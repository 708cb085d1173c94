// Picture exports through Qt's painter.
#include "server/render/ImageExport.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "server/io/AtomicFile.h"

namespace qzdbs::server {

namespace {

QString QPath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

}  // namespace

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "qzdbs";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> application =
      std::make_unique<QGuiApplication>(argc, argv);
}

void ExportSvg(const Document& document, const std::filesystem::path& file,
               const RenderOptions& options) {
  EnsureGuiApplication();
  QRectF bounds = DrawingBounds(document, options);
  // Ten SVG units per millimetre: the generator writes the size in millimetres.
  constexpr double kUnitsPerMm = 10.0;
  QSizeF size(bounds.width() * kUnitsPerMm, bounds.height() * kUnitsPerMm);
  WriteAtomically(file, [&](const std::filesystem::path& temporary) {
    QSvgGenerator generator;
    generator.setFileName(QPath(temporary));
    generator.setResolution(static_cast<int>(std::lround(kUnitsPerMm * 25.4)));
    generator.setSize(size.toSize());
    generator.setViewBox(QRectF(QPointF(0, 0), size));
    generator.setTitle(QString::fromStdString(document.part.name));
    QPainter painter;
    if (!painter.begin(&generator)) throw std::runtime_error("the SVG generator cannot start");
    Render(document, painter, QRectF(QPointF(0, 0), size), options);
    painter.end();
  });
}

void ExportPng(const Document& document, const std::filesystem::path& file, int pixels,
               const RenderOptions& options) {
  EnsureGuiApplication();
  if (pixels < 16 || pixels > 20000)
    throw ExportError("a picture of " + std::to_string(pixels) + " pixels");
  QRectF bounds = DrawingBounds(document, options);
  double longer = std::max(bounds.width(), bounds.height());
  int width = std::max(1, static_cast<int>(std::lround(pixels * bounds.width() / longer)));
  int height = std::max(1, static_cast<int>(std::lround(pixels * bounds.height() / longer)));
  WriteAtomically(file, [&](const std::filesystem::path& temporary) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    Render(document, painter, QRectF(0, 0, width, height), options);
    painter.end();
    if (!image.save(QPath(temporary), "PNG")) throw std::runtime_error("the PNG cannot be saved");
  });
}

void ExportPdf(const Document& document, const std::filesystem::path& file,
               const RenderOptions& options) {
  EnsureGuiApplication();
  QRectF bounds = DrawingBounds(document, options);
  WriteAtomically(file, [&](const std::filesystem::path& temporary) {
    QPdfWriter writer(QPath(temporary));
    writer.setTitle(QString::fromStdString(document.part.name));
    writer.setCreator("qzdbs drawing server");
    writer.setResolution(1200);
    writer.setPageSize(
        QPageSize(bounds.size(), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) throw std::runtime_error("the PDF writer cannot start");
    QRectF page(0, 0, writer.width(), writer.height());
    Render(document, painter, page, options);
    painter.end();
  });
}

}  // namespace qzdbs::server
