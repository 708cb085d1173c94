// Exports written whole or not at all.
#include "server/io/AtomicFile.h"

#include "base/AtomicFile.h"

namespace qzdbs::server {

void WriteAtomically(const std::filesystem::path& target,
                     const std::function<std::string()>& make) {
  std::string bytes;
  try {
    bytes = make();
  } catch (const std::exception& failure) {
    throw ExportError("cannot write \"" + target.string() + "\": " + failure.what());
  }
  try {
    WriteFileAtomically(target, bytes);
  } catch (const FileWriteError& failure) {
    throw ExportError(failure.what());
  }
}

}  // namespace qzdbs::server
