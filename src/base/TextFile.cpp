// Atomic text files.
#include "base/TextFile.h"

#include "base/AtomicFile.h"

namespace qzdbs {

void WriteTextAtomically(const std::filesystem::path& file, const std::string& text) {
  WriteFileAtomically(file, text);
}

}  // namespace qzdbs
