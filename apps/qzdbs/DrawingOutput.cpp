// Drawing files: through the drawing server when the program has it, else
// the recording of the run as JSON.
#include "DrawingOutput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <map>
#include <mutex>
#include <stdexcept>
#include <system_error>

#include "CliSupport.h"
#include "base/OrderedMap.h"
#include "base/TextFile.h"
#include "host/recording/Recording.h"

#ifdef QZDBS_HAVE_SERVER
#include <dlfcn.h>

#include "ImagePlugin.h"
#include "server/Document.h"
#include "server/JsonExport.h"
#include "server/document/DocumentBuilder.h"
#include "server/document/LayerStyles.h"
#include "server/document/PartName.h"
#include "server/dxf/DxfExport.h"
#endif

namespace qzdbs::cli {

namespace {

struct FormatName {
  Format format;
  const char* name;
};
constexpr FormatName kFormats[] = {{Format::Dxf, "dxf"},
                                   {Format::Svg, "svg"},
                                   {Format::Png, "png"},
                                   {Format::Pdf, "pdf"},
                                   {Format::Json, "json"}};

// The longer side of a PNG picture.
constexpr int kPngPixels = 1600;

}  // namespace

std::optional<Format> FormatNamed(const std::string& name) {
  for (const auto& entry : kFormats)
    if (FoldCase(name) == entry.name) return entry.format;
  return std::nullopt;
}

std::optional<Format> FormatOfFile(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  if (extension.empty()) return std::nullopt;
  return FormatNamed(extension.substr(1));
}

const char* Extension(Format format) {
  for (const auto& entry : kFormats)
    if (entry.format == format) return entry.name;
  return "";
}

bool CanWrite(Format format) {
#ifdef QZDBS_HAVE_SERVER
  (void)format;
  return true;
#else
  return format == Format::Json;
#endif
}

std::string FormatList(const std::string& prefix) {
  std::string list;
  for (const auto& entry : kFormats) {
    if (!CanWrite(entry.format)) continue;
    list += (list.empty() ? "" : ", ") + prefix + entry.name;
  }
  return list;
}

void AddDrawingStyleOptions(CLI::App& command, DrawingStyle& style) {
#ifdef QZDBS_HAVE_SERVER
  command
      .add_option("--layer-styles", style.layerStyles,
                  "a layer style table (one row per kind of layer: number, thick|thin, colour, "
                  "line type, names, name fragments) instead of the built-in one")
      ->type_name("FILE");
  command
      .add_option("--thick-lines", style.thickLines,
                  "the thick line width in mm: 0.35, 0.5, 0.7 or 1 (thin lines are half)")
      ->capture_default_str();
  command.add_flag("--third-angle", style.thirdAngle,
                   "place the views in third-angle projection (first angle without it)");
#else
  (void)command;
  (void)style;
#endif
}

#ifdef QZDBS_HAVE_SERVER
namespace {

// A batch's drawings share one reading of the table.
std::shared_ptr<const server::LayerStyleTable> LayerStyles(const std::string& file) {
  if (file.empty()) return nullptr;
  static std::mutex guard;
  static std::map<std::string, std::shared_ptr<const server::LayerStyleTable>> read;
  std::lock_guard lock(guard);
  auto& table = read[file];
  if (!table)
    table = std::make_shared<const server::LayerStyleTable>(server::LayerStyleTable::Read(file));
  return table;
}

}  // namespace
#endif

void CheckDrawingStyle(const std::string& command, const DrawingStyle& style) {
#ifdef QZDBS_HAVE_SERVER
  if (!server::IsThickLineWidth(style.thickLines))
    Fail(command, kBadRequest, "--thick-lines: the thick line width is 0.35, 0.5, 0.7 or 1 mm");
  try {
    LayerStyles(style.layerStyles);
  } catch (const std::exception& failure) {
    Fail(command, kBadRequest, failure.what());
  }
#else
  (void)command;
  (void)style;
#endif
}

#ifdef QZDBS_HAVE_SERVER
namespace {

// Qt wants a private runtime folder and warns on standard error without
// one; the command line gives it the one Qt would choose, made private.
void EnsureRuntimeFolder() {
  if (std::getenv("XDG_RUNTIME_DIR")) return;
  std::error_code error;
  const auto folder =
      std::filesystem::temp_directory_path(error) / ("runtime-" + std::to_string(getuid()));
  if (error) return;
  std::filesystem::create_directory(folder, error);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::replace, error);
  struct stat info {};
  if (!error && stat(folder.c_str(), &info) == 0 && info.st_uid == getuid())
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 0);
}

struct ImageModule {
  PrepareImagesFunction prepare = nullptr;
  WriteImageFunction write = nullptr;
  std::string failure;
};

ImageModule LoadImageModule() {
  ImageModule module;
  std::string looked;
  const std::filesystem::path folder = ProgramFolder();
  for (const auto& candidate :
       {folder / kImageModule, folder / ".." / "lib" / "qzdbs" / kImageModule}) {
    looked += " " + candidate.string();
    // Never closed: Qt's application object lives in the module until exit.
    void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) continue;
    module.prepare = reinterpret_cast<PrepareImagesFunction>(dlsym(handle, "QzdbsPrepareImages"));
    module.write = reinterpret_cast<WriteImageFunction>(dlsym(handle, "QzdbsWriteImage"));
    if (module.prepare && module.write) return module;
    module = {};
  }
  module.failure = std::string("cannot write pictures: the module ") + kImageModule +
                   " was not found (looked at" + looked + ")";
  return module;
}

const ImageModule& Images() {
  static const ImageModule module = LoadImageModule();
  return module;
}

void WriteImage(const server::Document& document, ImageKind kind, const std::filesystem::path& file,
                int pixels) {
  const ImageModule& images = Images();
  if (!images.write) throw std::runtime_error(images.failure);
  char error[512] = {};
  if (!images.write(&document, static_cast<int>(kind), file.c_str(), pixels, error, sizeof error))
    throw std::runtime_error(error);
}

}  // namespace
#endif

void PrepareFormats(const std::vector<Format>& formats) {
#ifdef QZDBS_HAVE_SERVER
  for (Format format : formats) {
    if (format == Format::Svg || format == Format::Png || format == Format::Pdf) {
      EnsureRuntimeFolder();
      const ImageModule& images = Images();
      if (!images.prepare) throw std::runtime_error(images.failure);
      images.prepare();
      return;
    }
  }
#else
  (void)formats;
#endif
}

#ifdef QZDBS_HAVE_SERVER

struct DrawingWriter::Document {
  server::Document document;
  bool withMessages = false;
};

DrawingWriter::DrawingWriter(const RunResult& run, const DrawingStyle& style)
    : run_(run), style_(style) {}
DrawingWriter::~DrawingWriter() = default;

DrawingWriter::Document& DrawingWriter::Built() {
  if (!document_) {
    // The JSON file builds its recording itself, with the run's message boxes.
    server::BuildOptions options;
    options.withRecording = false;
    options.layerStyles = LayerStyles(style_.layerStyles);
    options.thickLineWidth = style_.thickLines;
    options.projection =
        style_.thirdAngle ? server::Projection::ThirdAngle : server::Projection::FirstAngle;
    options.baseAtOrigin = style_.baseAtOrigin;
    document_ = std::make_unique<Document>(Document{server::BuildDocument(*run_.session, options)});
  }
  return *document_;
}

std::string DrawingWriter::Designation() {
  return server::PartDesignation(Built().document.part);
}

void DrawingWriter::Write(Format format, const std::filesystem::path& file, int pixels) {
  server::Document& document = Built().document;
  if (pixels <= 0) pixels = kPngPixels;
  switch (format) {
    case Format::Dxf:
      server::ExportDxf(document, file);
      break;
    case Format::Svg:
      WriteImage(document, ImageKind::Svg, file, pixels);
      break;
    case Format::Png:
      WriteImage(document, ImageKind::Png, file, pixels);
      break;
    case Format::Pdf:
      WriteImage(document, ImageKind::Pdf, file, pixels);
      break;
    case Format::Json:
      // The run's message boxes belong in its JSON too.
      if (!document_->withMessages) {
        document.recording = Recording::Of(*run_.session, run_.messages).ToJson();
        document_->withMessages = true;
      }
      server::ExportJson(document, file);
      break;
  }
}

std::vector<std::string> DrawingWriter::Findings() const {
  std::vector<std::string> findings;
  if (!document_) return findings;
  for (const server::Finding& finding : document_->document.findings)
    findings.push_back(std::string(server::AuditCodeName(finding.code)) + " " + finding.where +
                       ": " + finding.message);
  return findings;
}

#else

struct DrawingWriter::Document {};

std::vector<std::string> DrawingWriter::Findings() const {
  return {};
}

DrawingWriter::DrawingWriter(const RunResult& run, const DrawingStyle& style)
    : run_(run), style_(style) {}
DrawingWriter::~DrawingWriter() = default;

std::string DrawingWriter::Designation() {
  return {};
}

void DrawingWriter::Write(Format format, const std::filesystem::path& file, int) {
  if (!CanWrite(format))
    throw std::runtime_error(std::string("cannot write ") + Extension(format) + " files");
  WriteTextAtomically(file, Recording::Of(*run_.session, run_.messages).ToJson().dump(1) + "\n");
}

#endif

}  // namespace qzdbs::cli
