// Writing what a run drew into a file of the format its extension names.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "SelectionRun.h"

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

// Makes ready, on the main thread, what writing the formats needs before
// jobs write them on other threads (the pictures need Qt's application).
void PrepareFormats(const std::vector<Format>& formats);

// The files of a run that drew. The drawing document is built once, on the
// first file, from the run's session.
class DrawingWriter {
 public:
  explicit DrawingWriter(const RunResult& run);
  ~DrawingWriter();
  DrawingWriter(const DrawingWriter&) = delete;
  DrawingWriter& operator=(const DrawingWriter&) = delete;

  // The file appears only when it is complete; throws std::runtime_error
  // naming the file when it cannot be written.
  void Write(Format format, const std::filesystem::path& file);

  // What the drawing server's audit found in the drawing ("CODE where: message"), after the
  // first file was written; none without the server.
  std::vector<std::string> Findings() const;

 private:
  struct Document;
  const RunResult& run_;
  std::unique_ptr<Document> document_;
};

}  // namespace qzdbs::cli
