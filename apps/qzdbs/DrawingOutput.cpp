// Drawing files.
#include "DrawingOutput.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "compute/OrderedMap.h"
#include "output/host/recording/Recording.h"

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
  return format == Format::Json;
}

std::string FormatList(const std::string& prefix) {
  std::string list;
  for (const auto& entry : kFormats) {
    if (!CanWrite(entry.format)) continue;
    list += (list.empty() ? "" : ", ") + prefix + entry.name;
  }
  return list;
}

void WriteTextAtomically(const std::filesystem::path& file, const std::string& text) {
  std::filesystem::path temporary = file;
  temporary += ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    throw std::runtime_error("cannot write " + file.string());
  }
}

void WriteDrawing(const RunResult& run, Format format, const std::filesystem::path& file) {
  if (!CanWrite(format))
    throw std::runtime_error(std::string("cannot write ") + Extension(format) + " files");
  WriteTextAtomically(file, Recording::Of(*run.session, run.messages).ToJson().dump(1) + "\n");
}

}  // namespace qzdbs::cli
