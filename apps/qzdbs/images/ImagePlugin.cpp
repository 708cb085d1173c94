// The picture exporters of the drawing server as a module that qzdbs loads
// only when a picture is asked for: they need Qt, and loading Qt's libraries
// would cost every DXF and JSON run more than the drawing itself.
#include <cstddef>
#include <cstring>
#include <exception>

#include "ImagePlugin.h"
#include "server/render/ImageExport.h"

namespace {

int Fail(const char* why, char* error, size_t errorSize) {
  if (errorSize > 0) {
    std::strncpy(error, why, errorSize - 1);
    error[errorSize - 1] = '\0';
  }
  return 0;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void QzdbsPrepareImages() {
  qzdbs::server::EnsureGuiApplication();
}

__attribute__((visibility("default"))) int QzdbsWriteImage(const qzdbs::server::Document* document,
                                                           int kind, const char* file, int pixels,
                                                           char* error, size_t errorSize) {
  try {
    switch (static_cast<qzdbs::cli::ImageKind>(kind)) {
      case qzdbs::cli::ImageKind::Svg:
        qzdbs::server::ExportSvg(*document, file);
        return 1;
      case qzdbs::cli::ImageKind::Png:
        qzdbs::server::ExportPng(*document, file, pixels);
        return 1;
      case qzdbs::cli::ImageKind::Pdf:
        qzdbs::server::ExportPdf(*document, file);
        return 1;
    }
    return Fail("unknown picture kind", error, errorSize);
  } catch (const std::exception& failure) {
    return Fail(failure.what(), error, errorSize);
  }
}
}
