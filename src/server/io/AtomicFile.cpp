// Writing under a temporary name and renaming.
#include "server/io/AtomicFile.h"

#include <unistd.h>

#include <atomic>

namespace qzdbs::server {

namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  std::string name = "." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                     std::to_string(counter++);
  return target.parent_path() / name;
}

}  // namespace

void WriteAtomically(const std::filesystem::path& target,
                     const std::function<void(const std::filesystem::path& temporary)>& write) {
  std::filesystem::path temporary = TemporaryBeside(target);
  std::error_code ignored;
  try {
    write(temporary);
  } catch (const std::exception& failure) {
    std::filesystem::remove(temporary, ignored);
    throw ExportError("cannot write \"" + target.string() + "\": " + failure.what());
  }
  std::error_code error;
  if (!std::filesystem::is_regular_file(temporary, error)) {
    throw ExportError("cannot write \"" + target.string() + "\": nothing was written");
  }
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::filesystem::remove(temporary, ignored);
    throw ExportError("cannot write \"" + target.string() + "\": " + error.message());
  }
}

}  // namespace qzdbs::server
