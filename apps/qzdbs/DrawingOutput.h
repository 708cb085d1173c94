// Writing what a run drew into a file of the format its extension names.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "SelectionRun.h"

namespace CLI {
class App;
}  // namespace CLI

namespace qzdbs::cli {

enum class Format { Dxf, Svg, Png, Pdf, Json };

// The format an extension names (.dxf, .svg, .png, .pdf, .json, any case).
std::optional<Format> FormatOfFile(const std::filesystem::path& file);
// The format named "dxf", "svg", ... (any case).
std::optional<Format> FormatNamed(const std::string& name);
const char* Extension(Format format);  // "dxf", ...
// The formats this program can write, as "dxf, svg, ..." with each name
// after `prefix` (".dxf, .svg, ...").
std::string FormatList(const std::string& prefix = {});
bool CanWrite(Format format);

// How the drawing server styles the drawings of draw and batch.
struct DrawingStyle {
  std::string layerStyles;    // a layer style table file; the built-in table when empty
  double thickLines = 0.5;    // the thick line's width in millimetres
  bool thirdAngle = false;    // views placed in third-angle projection
  bool baseAtOrigin = false;  // the part's base point at the origin, wherever the library puts it
};

// --layer-styles, --thick-lines, --third-angle.
void AddDrawingStyleOptions(CLI::App& command, DrawingStyle& style);
// Reads the layer style table and checks the width before anything is drawn;
// fails with status 2 naming what is wrong.
void CheckDrawingStyle(const std::string& command, const DrawingStyle& style);

// Makes ready, on the main thread, what writing the formats needs before
// jobs write them on other threads (the pictures need Qt's application).
void PrepareFormats(const std::vector<Format>& formats);

// The files of a run that drew. The drawing document is built once, on the
// first file, from the run's session.
class DrawingWriter {
 public:
  explicit DrawingWriter(const RunResult& run, const DrawingStyle& style = {});
  ~DrawingWriter();
  DrawingWriter(const DrawingWriter&) = delete;
  DrawingWriter& operator=(const DrawingWriter&) = delete;

  // The file appears only when it is complete; throws std::runtime_error
  // naming the file when it cannot be written. A PNG picture is `pixels` on
  // its longer side (1600 when 0).
  void Write(Format format, const std::filesystem::path& file, int pixels = 0);

  // What the drawing server's audit found in the drawing ("CODE where: message"), after the
  // first file was written; none without the server.
  std::vector<std::string> Findings() const;

  // The part's designation as the drawing server names its block (empty
  // without the server).
  std::string Designation();

 private:
  struct Document;
#ifdef QZDBS_HAVE_SERVER
  Document& Built();
#endif
  const RunResult& run_;
  DrawingStyle style_;
  std::unique_ptr<Document> document_;
};

}  // namespace qzdbs::cli
