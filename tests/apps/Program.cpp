// Running qzdbs.
#include "Program.h"

#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>

#include "support/ScratchLibrary.h"
#include "support/TestPaths.h"

namespace qzdbs::test {

namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

}  // namespace

std::filesystem::path ProgramPath() {
  return BuildDir() / "apps" / "qzdbs" / "qzdbs";
}

std::filesystem::path SampleLibraryPath() {
  return BuildDir() / "library" / "metric-parts.qzlib";
}

ProgramRun RunQzdbs(const std::vector<std::string>& args,
                    const std::vector<std::pair<std::string, std::string>>& env,
                    const std::vector<std::string>& wrapper) {
  ScratchDir capture;
  std::string command = "env";
  // The test's own QZDBS_LIBRARY_PATH must not add libraries to a run.
  command += " -u QZDBS_LIBRARY_PATH";
  for (const auto& [name, value] : env)
    command += " " + Quoted(name + "=" + value);
  for (const auto& word : wrapper)
    command += " " + Quoted(word);
  command += " " + Quoted(ProgramPath().string());
  for (const auto& arg : args)
    command += " " + Quoted(arg);
  const auto out = capture.Path() / "out";
  const auto err = capture.Path() / "err";
  command += " >" + Quoted(out.string()) + " 2>" + Quoted(err.string());
  const int raw = std::system(command.c_str());
  if (raw == -1 || !WIFEXITED(raw)) throw std::runtime_error("cannot run " + command);
  return ProgramRun{WEXITSTATUS(raw), ReadText(out), ReadText(err)};
}

}  // namespace qzdbs::test
