// Binary fields to files, and the preview picture's place.
#include "db/SaveFieldToFile.h"

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "state/Messages.h"

namespace qzdbs {

namespace {
constexpr int64_t kPieceSize = 16384;

void WritePiece(std::ofstream& out, db::Field& field, int64_t length, const std::string& path) {
  db::Blob piece = field.GetChunk(length);
  out.write(reinterpret_cast<const char*>(piece.data()),
            static_cast<std::streamsize>(piece.size()));
  if (!out) throw std::runtime_error("写文件失败: " + path);
}
}  // namespace

bool SaveFieldToFile(db::Field& field, const std::string& path) {
  try {
    // Truncated first, so no bytes of an older, longer picture stay behind.
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("文件未找到或无法写入: " + path);
    const int64_t size = field.ActualSize();
    // The remainder first, then the whole pieces: the field is read in order,
    // so the file receives its bytes in order. The piece count is not limited
    // to 16 bits, so a field of any size is written whole.
    WritePiece(out, field, size % kPieceSize, path);
    for (int64_t piece = 0; piece < size / kPieceSize; ++piece)
      WritePiece(out, field, kPieceSize, path);
    out.close();
    if (!out) throw std::runtime_error("写文件失败: " + path);
    return true;
  } catch (const std::exception& e) {
    MsgBox(e.what(), MsgIcon::Information, "提示：");
    return false;
  }
}

std::string PreviewPicturePath() {
  namespace fs = std::filesystem;
  fs::path cache;
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg) {
    cache = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    cache = fs::path(home) / ".cache";
  } else {
    std::error_code noTemp;
    cache = fs::temp_directory_path(noTemp);
  }
  fs::path folder = cache / "qzdbs";
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) return {};
  return (folder / "WMFtemp.wmf").string();
}

}  // namespace qzdbs
