// qzdbs export-library: the part libraries as a folder of DXF drawings, one
// per size, that a CAD program's library browser offers and inserts as
// blocks.
#include <CLI/CLI.hpp>
#include <map>
#include <set>

#include "BatchRun.h"
#include "CliSupport.h"
#include "CommandLineErrors.h"
#include "Commands.h"
#include "DrawingOutput.h"
#include "Interrupt.h"

namespace qzdbs::cli {
namespace {

namespace fs = std::filesystem;

// Enough for a browser's icon; LibreCAD draws its own at 64 pixels.
constexpr int kThumbnailPixels = 128;
// Room for the folders above a name within the 255 bytes of a file name.
constexpr size_t kFolderNameBytes = 120;

struct ExportOptions {
  std::string target;
  std::vector<std::string> libraries;
  std::vector<std::string> parts;
  int jobs = 0;
  std::string output;
  DrawingStyle style;
};

// A catalogue name as a folder: sanitised like a file name, cut at a
// character boundary where it is long.
std::string FolderNameOf(const std::string& name) {
  std::string folder = FileNameOf(name);
  if (folder.size() <= kFolderNameBytes) return folder;
  size_t end = kFolderNameBytes;
  while (end > 0 && (static_cast<unsigned char>(folder[end]) & 0xC0) == 0x80)
    --end;
  folder.resize(end);
  return folder;
}

// Every part under `node`, each with the folders of the tree above it and
// a folder of its own for its sizes.
void CollectParts(const ui::CatalogueNode& node, const fs::path& folder,
                  const std::set<const ui::CatalogueNode*>& chosen,
                  std::vector<PartToDraw>& parts) {
  for (const ui::CatalogueNode& child : node.children) {
    const fs::path below = folder / FolderNameOf(child.name);
    if (child.kind == ui::CatalogueNode::Kind::Part) {
      if (chosen.empty() || chosen.count(&child)) parts.push_back({&child, below});
    } else {
      CollectParts(child, below, chosen, parts);
    }
  }
}

void RunExport(const ExportOptions& options) {
  const std::string command = "export-library";
  InterruptWatch watch;
  CheckDrawingStyle(command, options.style);
  auto catalogue = LoadCatalogue(command, ResolveLibraries(command, options.libraries));
  std::set<const ui::CatalogueNode*> chosen;
  for (const std::string& part : options.parts)
    chosen.insert(&FindPart(command, *catalogue, part));
  const auto stems = LibraryStems(*catalogue);
  std::vector<PartToDraw> parts;
  for (const ui::CatalogueNode& library : catalogue->Libraries())
    CollectParts(library, FileNameOf(stems.at(library.libraryPath)), chosen, parts);

  BatchPlan plan;
  plan.command = command;
  // The picture after the drawing: browsers take a thumbnail only when it
  // is newer.
  plan.formats = {Format::Dxf, Format::Png};
  plan.output = options.output;
  plan.style = options.style;
  plan.style.baseAtOrigin = true;
  plan.jobs = options.jobs;
  plan.pngPixels = kThumbnailPixels;
  plan.thumbnails = true;
  RunDrawings(std::move(catalogue), parts, plan);
}

void SetUpExportLibrary(CLI::App& program) {
  auto options = std::make_shared<ExportOptions>();
  CLI::App* exporter = program.add_subcommand(
      "export-library", "Write the libraries as a folder of DXF blocks for a CAD program");
  exporter->add_option("--for", options->target, "the CAD program: librecad")
      ->required()
      ->check(CLI::IsMember({"librecad"}))
      ->type_name("CAD");
  AddLibraryOption(*exporter, options->libraries);
  exporter
      ->add_option("--part", options->parts,
                   "only this part (its name, a unique part of it, or its PartID); repeatable")
      ->type_name("PART");
  WholeNumber(exporter->add_option("--jobs,-j", options->jobs,
                                   "drawings made at once, 1 or more (default: one per core)"),
              1)
      ->type_name("N");
  AddDrawingStyleOptions(*exporter, options->style);
  exporter->add_option("DIR", options->output, "the folder to write into")->required();
  exporter->footer(
      "Writes every value row of every part (or of the parts given) as DESIGNATION.dxf with\n"
      "its base point at the origin, and DESIGNATION.png beside it as its thumbnail, in\n"
      "folders that follow the catalogue: LIBRARY/FOLDER/.../PART/. Names are those batch\n"
      "gives its files. Point LibreCAD at DIR (Options > Application Preferences > Paths >\n"
      "Library); any CAD program that inserts DXF files as blocks can use the folder too.\n"
      "manifest.json lists every drawing with its files. Exit status: 0 all drawn, 1 some\n"
      "failed, 2 something asked for is not there, 130 interrupted.\n\n"
      "Examples:\n"
      "  qzdbs export-library --for librecad ~/cad/parts\n"
      "  qzdbs export-library --for librecad --part \"GB/T 5782\" --part 44 parts");
  exporter->callback([options] { RunExport(*options); });
}

const RegisterCommand kExportLibrary("export-library", SetUpExportLibrary);

}  // namespace
}  // namespace qzdbs::cli
