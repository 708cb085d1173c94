// Many drawings on parallel jobs, each written as files named by its
// designation, then a manifest and a summary: what batch and export-library
// share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DrawingOutput.h"
#include "ui/Catalogue.h"

namespace qzdbs::cli {

// More jobs than this many per core only wait for the cores and hold memory.
constexpr int kJobsPerCore = 4;

// A designation (or a catalogue name) as a file or folder name: what a file
// system or a DXF name cannot hold becomes "_".
std::string FileNameOf(const std::string& designation);

// Each library's name in file names, by its path: its file's stem, with a
// number for a second library of the same name.
std::map<std::string, std::string> LibraryStems(const ui::Catalogue& catalogue);

// A part to draw and the folder, under the output folder, its files go to.
struct PartToDraw {
  const ui::CatalogueNode* part = nullptr;
  std::filesystem::path folder;
};

struct BatchPlan {
  std::string command;  // for messages: "batch", "export-library"
  std::vector<std::string> libraries;
  std::vector<Format> formats;
  std::filesystem::path output;
  DrawingStyle style;
  int jobs = 0;             // 0: one per core
  int pngPixels = 0;        // the picture's longer side; 0 for the usual size
  bool thumbnails = false;  // a PNG newer than its drawing, as CAD library browsers want
};

// Draws every value row of the parts (a part without rows once) as the plan
// says, writes the manifest, prints the summary and ends the command with
// its status: 0 all drawn, 1 some failed, 130 interrupted.
void RunDrawings(std::shared_ptr<const ui::Catalogue> catalogue,
                 const std::vector<PartToDraw>& parts, const BatchPlan& plan);

}  // namespace qzdbs::cli
