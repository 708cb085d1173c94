// Writing a whole text file so that a reader never meets half of it: the
// text goes to a temporary name of this process beside FILE, which then
// replaces FILE (base/AtomicFile.h).
#pragma once

#include <filesystem>
#include <string>

namespace qzdbs {

// Throws FileWriteError (a std::runtime_error) naming the file when it
// cannot be written; the file is then as it was.
void WriteTextAtomically(const std::filesystem::path& file, const std::string& text);

}  // namespace qzdbs
