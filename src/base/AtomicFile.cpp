// Writing under a temporary name and renaming, without following links.
#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace qzdbs {

namespace fs = std::filesystem;

fs::path TemporaryNameBeside(const fs::path& target) {
  static std::atomic<uint64_t> counter{0};
  // Asked once: a batch makes thousands of names. A child forked later
  // that keeps its parent's number only meets its names, which O_EXCL turns
  // away.
  static const std::string pid = std::to_string(::getpid());
  std::string name =
      "." + target.filename().string() + ".tmp-" + pid + "-" + std::to_string(counter++);
  return target.parent_path() / name;
}

AtomicFile::AtomicFile(fs::path target, mode_t mode) : target_(std::move(target)) {
  // A name left by a killed run of a process with the same id is skipped.
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = TemporaryNameBeside(target_);
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd_ < 0 && errno != EEXIST) Fail("cannot create a file in its folder", errno);
  }
  if (fd_ < 0) Fail("cannot create a file in its folder", EEXIST);
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void AtomicFile::Fail(const std::string& what, int error) {
  throw FileWriteError("cannot write \"" + target_.string() + "\": " + what + ": " +
                       std::strerror(error));
}

void AtomicFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail("write failed", n < 0 ? errno : ENOSPC);
    bytes.remove_prefix(static_cast<size_t>(n));
    written_ += static_cast<uint64_t>(n);
  }
}

void AtomicFile::Commit() {
  // close tells of blocks a network folder could not take; no fsync, which
  // would cost a batch of small files more than their drawing. The size is
  // asked once more after close: a file system that took every write may
  // still have dropped some (quota on a network folder).
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) Fail("cannot close", errno);
  struct stat info {};
  if (::lstat(temporary_.c_str(), &info) != 0) Fail("cannot check the size", errno);
  if (static_cast<uint64_t>(info.st_size) != written_)
    Fail(std::to_string(info.st_size) + " of " + std::to_string(written_) + " bytes on disk", EIO);
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) Fail("cannot rename", errno);
  temporary_.clear();
}

namespace {

// Whether `target` is a regular file holding exactly `bytes`. A link is not
// followed and a FIFO does not block the open: both are replaced as ever.
bool HoldsAlready(const fs::path& target, std::string_view bytes) {
  struct Opened {
    int fd;
    ~Opened() {
      if (fd >= 0) ::close(fd);
    }
  } opened{::open(target.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
  const int fd = opened.fd;
  if (fd < 0) return false;
  struct stat info {};
  bool same = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<uint64_t>(info.st_size) == bytes.size();
  char buffer[1 << 16];
  while (same && !bytes.empty()) {
    const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, bytes.size()));
    if (n < 0 && errno == EINTR) continue;
    same = n > 0 && bytes.substr(0, static_cast<size_t>(n)) ==
                        std::string_view(buffer, static_cast<size_t>(n));
    if (same) bytes.remove_prefix(static_cast<size_t>(n));
  }
  return same;
}

}  // namespace

void WriteFileAtomically(const fs::path& target, std::string_view bytes, mode_t mode) {
  // A file that already holds these bytes is left as it is, its time too: a
  // batch run again into its folder rewrites only the drawings that changed,
  // and a file system that has just freed thousands of files is slow to make
  // new ones.
  if (HoldsAlready(target, bytes)) return;
  AtomicFile file(target, mode);
  file.Write(bytes);
  file.Commit();
}

}  // namespace qzdbs
