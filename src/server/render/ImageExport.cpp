// Picture exports through Qt's painter.
#include "server/render/ImageExport.h"

#include <QBuffer>
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

std::string Bytes(const QBuffer& buffer) {
  return std::string(buffer.data().constData(), static_cast<size_t>(buffer.data().size()));
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
  WriteAtomically(file, [&] {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(static_cast<int>(std::lround(kUnitsPerMm * 25.4)));
    generator.setSize(size.toSize());
    generator.setViewBox(QRectF(QPointF(0, 0), size));
    generator.setTitle(QString::fromStdString(document.part.name));
    QPainter painter;
    if (!painter.begin(&generator)) throw std::runtime_error("the SVG generator cannot start");
    Render(document, painter, QRectF(QPointF(0, 0), size), options);
    if (!painter.end()) throw std::runtime_error("the SVG generator failed");
    return Bytes(buffer);
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
  WriteAtomically(file, [&] {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    Render(document, painter, QRectF(0, 0, width, height), options);
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw std::runtime_error("the PNG cannot be made");
    return Bytes(buffer);
  });
}

void ExportPdf(const Document& document, const std::filesystem::path& file,
               const RenderOptions& options) {
  EnsureGuiApplication();
  QRectF bounds = DrawingBounds(document, options);
  WriteAtomically(file, [&] {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
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
    if (!painter.end()) throw std::runtime_error("the PDF writer failed");
    return Bytes(buffer);
  });
}

}  // namespace qzdbs::server
