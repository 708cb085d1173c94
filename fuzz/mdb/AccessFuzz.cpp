// Fuzz target: any bytes as an Access file, converted into memory. Whatever
// the damage, the conversion ends with a library or an AccessError; anything
// else (a crash, another exception) is a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/mdb/AccessLibrary.h"

namespace {

// mdbtools reads from a file, so each input goes to this process's own one,
// removed when the process ends.
struct InputFile {
  std::string path = (std::filesystem::temp_directory_path() /
                      ("qzdbs-fuzz-access-" + std::to_string(::getpid()) + ".mdb"))
                         .string();
  ~InputFile() {
    std::error_code ec;
    std::filesystem::remove(path, ec);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const InputFile file;
  {
    std::ofstream out(file.path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  qzdbs::mdb::AccessOpenOptions options;
  options.useCache = false;
  try {
    qzdbs::mdb::OpenAccessAsSqlite(file.path, options);
  } catch (const qzdbs::mdb::AccessError&) {
  }
  return 0;
}
