// qzdbs batch: every value row of every part drawn into files, on parallel
// jobs, with a manifest of what was drawn and what failed.
#include <CLI/CLI.hpp>
#include <algorithm>

#include "BatchRun.h"
#include "CliSupport.h"
#include "CommandLineErrors.h"
#include "Commands.h"
#include "DrawingOutput.h"
#include "Interrupt.h"

namespace qzdbs::cli {
namespace {

struct BatchOptions {
  std::vector<std::string> libraries;
  int jobs = 0;
  std::vector<std::string> formats{CanWrite(Format::Dxf) ? "dxf" : "json"};
  std::string output;
  DrawingStyle style;
};

void RunBatch(const BatchOptions& options) {
  // From the start: a signal while the libraries are read still ends with a
  // manifest (of nothing drawn) rather than with the default action.
  InterruptWatch watch;
  std::vector<Format> formats;
  for (const std::string& name : options.formats) {
    auto format = FormatNamed(name);
    if (!format || !CanWrite(*format))
      Fail("batch", kBadRequest, "no format \"" + name + "\"; the formats are: " + FormatList());
    if (std::find(formats.begin(), formats.end(), *format) == formats.end())
      formats.push_back(*format);
  }
  CheckDrawingStyle("batch", options.style);
  auto catalogue = LoadCatalogue("batch", ResolveLibraries("batch", options.libraries));
  std::vector<PartToDraw> parts;
  for (const auto* part : catalogue->Parts())
    parts.push_back({part, {}});
  BatchPlan plan;
  plan.command = "batch";
  plan.formats = formats;
  plan.output = options.output;
  plan.style = options.style;
  plan.jobs = options.jobs;
  RunDrawings(std::move(catalogue), parts, plan);
}

void SetUpBatch(CLI::App& program) {
  auto options = std::make_shared<BatchOptions>();
  CLI::App* batch = program.add_subcommand(
      "batch", "Draw every value row of every part of the libraries into a folder");
  AddLibraryOption(*batch, options->libraries);
  WholeNumber(
      batch->add_option("--jobs,-j", options->jobs,
                        "drawings made at once, 1 or more (default: one per core; at most " +
                            std::to_string(kJobsPerCore) + " per core)"),
      1)
      ->type_name("N");
  batch->add_option("--format", options->formats, "the formats to write, e.g. dxf,svg")
      ->delimiter(',')
      ->type_name("LIST")
      ->capture_default_str();
  AddDrawingStyleOptions(*batch, options->style);
  batch->add_option("-o,--output", options->output, "the folder to write into")
      ->required()
      ->type_name("DIR");
  batch->footer(
      "Each drawing is written as DESIGNATION.FORMAT, the part's designation as the drawing\n"
      "names its block (a second drawing of the same designation adds \" (LIBRARY-pPARTID-\n"
      "rROWID)\"; without the drawing server LIBRARY-pPARTID-rROWID.FORMAT, a part without\n"
      "value rows LIBRARY-pPARTID.FORMAT); manifest.json lists every drawing with its files,\n"
      "whether it was drawn and the messages of its run. Exit status: 0 all drawn, 1 some\n"
      "failed, 2 something asked for is not there.\n\n"
      "Examples:\n"
      "  qzdbs batch -o drawings\n"
      "  qzdbs batch --jobs 2 --format dxf,svg -o drawings\n"
      "  qzdbs batch --library my-parts.qzlib --jobs 2 --format dxf,png -o my-drawings\n"
      "(my-parts.qzlib: a library of your own; a copy of the sample library will do)");
  batch->callback([options] { RunBatch(*options); });
}

const RegisterCommand kBatch("batch", SetUpBatch);

}  // namespace
}  // namespace qzdbs::cli
