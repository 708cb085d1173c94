// Writing a whole text file so that a reader never meets half of it: the
// text goes to FILE.part, which then replaces FILE.
#pragma once

#include <filesystem>
#include <string>

namespace qzdbs {

// Throws std::runtime_error naming the file when it cannot be written; the
// file is then as it was.
void WriteTextAtomically(const std::filesystem::path& file, const std::string& text);

}  // namespace qzdbs
