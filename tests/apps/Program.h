// Running the built qzdbs program from a test: its exit status, standard
// output and standard error.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace qzdbs::test {

struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::filesystem::path ProgramPath();
std::filesystem::path SampleLibraryPath();

// Runs qzdbs with the arguments (each passed as one argument) and the
// environment variables given (NAME, VALUE) on top of the test's own, under
// the command `wrapper` names when given (e.g. timeout).
ProgramRun RunQzdbs(const std::vector<std::string>& args,
                    const std::vector<std::pair<std::string, std::string>>& env = {},
                    const std::vector<std::string>& wrapper = {});

}  // namespace qzdbs::test
