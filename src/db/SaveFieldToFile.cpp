// Binary fields to files, and the preview picture's place.
#include "db/SaveFieldToFile.h"

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "state/Messages.h"

namespace qzdbs {

namespace {
constexpr int64_t kPieceSize = 16384;

void WritePiece(AtomicFile& out, db::Field& field, int64_t length) {
  db::Blob piece = field.GetChunk(length);
  out.Write(std::string_view(reinterpret_cast<const char*>(piece.data()), piece.size()));
}
}  // namespace

bool SaveFieldToFile(db::Field& field, const std::string& path) {
  try {
    // A new file renamed over the old one: a link planted at `path` (in a
    // shared block folder) is replaced, never written through.
    AtomicFile out(path);
    const int64_t size = field.ActualSize();
    // The remainder first, then the whole pieces: the field is read in order,
    // so the file receives its bytes in order. The piece count is not limited
    // to 16 bits, so a field of any size is written whole.
    WritePiece(out, field, size % kPieceSize);
    for (int64_t piece = 0; piece < size / kPieceSize; ++piece)
      WritePiece(out, field, kPieceSize);
    out.Commit();
    return true;
  } catch (const std::exception& e) {
    MsgBox(e.what(), MsgIcon::Information, "提示：");
    return false;
  }
}

bool SaveBlobToFile(const db::SharedLibrary& library, const std::string& table,
                    const std::string& column, int64_t rowid, const std::string& path) {
  try {
    AtomicFile out(path);
    library.ReadBlob(table, column, rowid, [&](std::string_view piece) { out.Write(piece); });
    out.Commit();
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
