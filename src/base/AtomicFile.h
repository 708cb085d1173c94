// Files written under a fresh hidden name in their target's folder and renamed
// over the target only when every byte is known to be on disk. The temporary
// file is made with O_CREAT|O_EXCL|O_NOFOLLOW, so a link planted under any name
// is never followed, and the rename replaces a link at the target itself, never
// what it points to: nothing outside the folder is ever written.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qzdbs {

// A file that could not be written; the text names the file and the reason.
class FileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class AtomicFile {
 public:
  // Opens the temporary file; throws FileWriteError when the folder does not
  // take it.
  explicit AtomicFile(std::filesystem::path target, mode_t mode = 0644);
  // Removes the temporary file unless committed.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  void Write(std::string_view bytes);
  // Closes the file, checks that its size is what was written, then renames it over the
  // target. Throws FileWriteError otherwise, with the target untouched.
  void Commit();

  const std::filesystem::path& Target() const { return target_; }

 private:
  [[noreturn]] void Fail(const std::string& what, int error);

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  uint64_t written_ = 0;
};

// Leaves a regular file that already holds `bytes` as it is (a link is replaced).
void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         mode_t mode = 0644);

// A temporary name beside `target` that no other process or thread of this
// one uses: ".NAME.tmp-PID-COUNTER".
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target);

}  // namespace qzdbs
