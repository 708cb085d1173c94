// What the subcommands share: exit statuses, failing with a message, the
// libraries to read, and a scratch folder for a run's files.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ui/Catalogue.h"

namespace CLI {
class App;
}

namespace qzdbs::cli {

// 0: done. 1: the engine could not do it (the part was not drawn). 2: the
// command line asked for something that is not there or is malformed.
constexpr int kNotDone = 1;
constexpr int kBadRequest = 2;

// Prints "qzdbs COMMAND: message" to standard error and ends the command
// with the exit status (throws CLI::RuntimeError).
[[noreturn]] void Fail(const std::string& command, int status, const std::string& message);

// The libraries a command reads: those given with --library, or else the
// sample library; either way followed by those QZDBS_LIBRARY_PATH lists
// (separated by ':'). Fails with status 2 when none is left or a given file
// does not exist.
std::vector<std::string> ResolveLibraries(const std::string& command,
                                          const std::vector<std::string>& given);

// The repeatable --library FILE option every command that reads libraries has.
void AddLibraryOption(CLI::App& command, std::vector<std::string>& libraries);

// The folder the running program is in; empty when it cannot be told.
std::filesystem::path ProgramFolder();

// Where the sample library is looked for, in order: the build's own, then
// beside the program, then in ../share/qzdbs beside it.
std::vector<std::filesystem::path> SampleLibraryCandidates();

// The catalogue of the libraries; fails with status 2, naming each library
// that cannot be read and why.
std::shared_ptr<const ui::Catalogue> LoadCatalogue(const std::string& command,
                                                   const std::vector<std::string>& libraries);

// A part of the catalogue named by its name (or a unique part of it) or its
// PartID; fails with status 2 listing the parts when none or several match.
const ui::CatalogueNode& FindPart(const std::string& command, const ui::Catalogue& catalogue,
                                  const std::string& part);

// A fresh folder under the temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace qzdbs::cli
