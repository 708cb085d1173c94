// SVG, PNG and PDF files of a document, drawn by the document painter.
#pragma once

#include <filesystem>

#include "server/Document.h"
#include "server/render/Painter.h"

namespace qzdbs::server {

// SVG sized in millimetres at the drawing's own scale (1 unit = 1 mm).
void ExportSvg(const Document& document, const std::filesystem::path& file,
               const RenderOptions& options = {});
// PNG whose longer side has the given number of pixels.
void ExportPng(const Document& document, const std::filesystem::path& file, int pixels,
               const RenderOptions& options = {});
// PDF of one page the size of the drawing plus its margin, at 1:1.
void ExportPdf(const Document& document, const std::filesystem::path& file,
               const RenderOptions& options = {});

// Qt draws text only inside a GUI application; a program without one (the
// command line, the tests) gets one on the offscreen platform.
void EnsureGuiApplication();

}  // namespace qzdbs::server
