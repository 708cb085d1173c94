// Output files are made in memory, then written under a temporary name beside
// their final place and renamed over it only when complete, so a failed or
// interrupted export never leaves a half-written file where the finished one
// belongs, and never writes through a link (base/AtomicFile.h).
#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace qzdbs::server {

// A failure to write an export; the text names the file and the reason.
class ExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes what `make` returns to target. When make throws or the bytes cannot
// all be written, ExportError names target and why; target is then untouched.
void WriteAtomically(const std::filesystem::path& target, const std::function<std::string()>& make);

}  // namespace qzdbs::server
