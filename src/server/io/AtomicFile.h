// Output files are written under a temporary name beside their final place
// and renamed over it only when complete, so an interrupted export never
// leaves a half-written file where the finished one belongs.
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

// Calls write with a temporary path in the target's folder, then renames the
// written file to target. When write throws or leaves no file, the temporary
// file is removed and ExportError is thrown; target is then untouched.
void WriteAtomically(const std::filesystem::path& target,
                     const std::function<void(const std::filesystem::path& temporary)>& write);

}  // namespace qzdbs::server
