// Atomic text files.
#include "base/TextFile.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

namespace qzdbs {

void WriteTextAtomically(const std::filesystem::path& file, const std::string& text) {
  std::filesystem::path temporary = file;
  temporary += ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      throw std::runtime_error("cannot write " + file.string());
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    throw std::runtime_error("cannot write " + file.string());
  }
}

}  // namespace qzdbs
