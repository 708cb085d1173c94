// Fuzz target: any bytes as a block's drawing file, read through dxflib into
// a block that a part inserts, audited and written as DXF and JSON. Whatever
// the file says, the block is read or stands as its placeholder and both
// files are written; anything else (a crash, an exception, a sanitizer's
// report) is a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "server/DrawingServer.h"
#include "server/document/Audit.h"
#include "server/document/BlockFile.h"

namespace {

namespace fs = std::filesystem;

struct Scratch {
  fs::path folder = fs::temp_directory_path() / ("qzdbs-fuzz-block-" + std::to_string(::getpid()));
  Scratch() { fs::create_directories(folder); }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qzdbs::server;
  static const Scratch scratch;
  const fs::path block = scratch.folder / "B.dxf";
  {
    std::ofstream out(block, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  Document document;
  BlockDefinition definition;
  definition.name = "B";
  std::string reason;
  if (!ReadBlockFile(block, definition, reason)) AddPlaceholderGeometry(definition);
  Check(!definition.entities.empty());
  document.blocks.push_back(std::move(definition));
  View view;
  view.name = "V";
  Entity insert;
  insert.key = "X1";
  insert.className = "DbBlockReference";
  insert.shape = InsertShape{"B", {10, 10, 0}, 30, 2, false, {}};
  view.entities.push_back(std::move(insert));
  document.views.push_back(std::move(view));
  AuditDocument(document);
  const fs::path dxf = scratch.folder / "out.dxf";
  const fs::path json = scratch.folder / "out.json";
  ExportDxf(document, dxf);
  ExportJson(document, json);
  Check(fs::file_size(dxf) > 0 && fs::file_size(json) > 0);
  return 0;
}
