// Shared pieces of the subcommands.
#include "CliSupport.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <system_error>

#include "ui/NameLookup.h"

#ifndef QZDBS_SAMPLE_LIBRARY_PATH
#define QZDBS_SAMPLE_LIBRARY_PATH ""
#endif

namespace qzdbs::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSampleLibraryName = "metric-parts.qzlib";

std::vector<std::string> SplitPathList(const char* list) {
  std::vector<std::string> paths;
  if (!list) return paths;
  std::string text = list;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(':', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) paths.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return paths;
}

}  // namespace

fs::path ProgramFolder() {
  std::error_code error;
  fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : self.parent_path();
}

void Fail(const std::string& command, int status, const std::string& message) {
  std::cerr << "qzdbs " << command << ": " << message << '\n';
  throw CLI::RuntimeError(status);
}

std::vector<fs::path> SampleLibraryCandidates() {
  std::vector<fs::path> candidates;
  if (*QZDBS_SAMPLE_LIBRARY_PATH) candidates.emplace_back(QZDBS_SAMPLE_LIBRARY_PATH);
  if (fs::path folder = ProgramFolder(); !folder.empty()) {
    candidates.push_back(folder / kSampleLibraryName);
    candidates.push_back(folder / ".." / "share" / "qzdbs" / kSampleLibraryName);
  }
  return candidates;
}

std::vector<std::string> ResolveLibraries(const std::string& command,
                                          const std::vector<std::string>& given) {
  std::vector<std::string> libraries = given;
  if (libraries.empty()) {
    std::string looked;
    for (const fs::path& candidate : SampleLibraryCandidates()) {
      std::error_code error;
      if (fs::is_regular_file(candidate, error)) {
        libraries.push_back(candidate.lexically_normal().string());
        break;
      }
      looked += "\n  " + candidate.string();
    }
    if (libraries.empty() && !std::getenv("QZDBS_LIBRARY_PATH"))
      Fail(command, kBadRequest,
           "no library given and the sample library is not at any of:" + looked +
               "\ngive one with --library FILE (or list some in QZDBS_LIBRARY_PATH)");
  }
  for (const std::string& more : SplitPathList(std::getenv("QZDBS_LIBRARY_PATH")))
    libraries.push_back(more);
  if (libraries.empty()) Fail(command, kBadRequest, "QZDBS_LIBRARY_PATH lists no library");
  for (const std::string& library : libraries) {
    std::error_code error;
    if (!fs::exists(library, error)) Fail(command, kBadRequest, "library not found: " + library);
  }
  return libraries;
}

std::shared_ptr<const ui::Catalogue> LoadCatalogue(const std::string& command,
                                                   const std::vector<std::string>& libraries) {
  auto catalogue = std::make_shared<ui::Catalogue>();
  if (!catalogue->Load(libraries))
    Fail(command, kBadRequest, "cannot read the library:\n" + catalogue->Message());
  return catalogue;
}

const ui::CatalogueNode& FindPart(const std::string& command, const ui::Catalogue& catalogue,
                                  const std::string& part) {
  const auto parts = catalogue.Parts();
  std::vector<ui::NamedItem> items;
  for (const auto* node : parts)
    items.push_back({node->name, node->partID});
  try {
    return *parts[ui::FindNamed(items, part, ui::Match::Fragment, "part", "parts")];
  } catch (const ui::LookupError& failure) {
    Fail(command, kBadRequest, failure.what());
  }
}

ScratchFolder::ScratchFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  const std::string where = tmpdir && *tmpdir ? "TMPDIR=" + std::string(tmpdir) : "/tmp";
  std::error_code error;
  const fs::path folder = fs::temp_directory_path(error);
  if (error)
    throw std::runtime_error("cannot use the temporary folder (" + where + "): " + error.message());
  std::string pattern = (folder / "qzdbs-XXXXXX").string();
  if (!mkdtemp(pattern.data()))
    throw std::runtime_error("cannot make a scratch folder in the temporary folder (" + where +
                             "): " + std::strerror(errno));
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void AddLibraryOption(CLI::App& command, std::vector<std::string>& libraries) {
  command
      .add_option("--library", libraries,
                  "a library file; repeat for more (default: the sample library)")
      ->type_name("FILE");
}

}  // namespace qzdbs::cli
