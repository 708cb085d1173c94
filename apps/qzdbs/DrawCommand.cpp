// qzdbs draw: one part drawn through the selection dialog, as a user would
// draw it, into a DXF, SVG, PNG, PDF or JSON file.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>

#include "CliSupport.h"
#include "Commands.h"
#include "DrawingOutput.h"
#include "Interrupt.h"
#include "PartOptions.h"

namespace qzdbs::cli {
namespace {

namespace fs = std::filesystem;

struct DrawOptions {
  PartOptions part;
  std::string blockFolder;
  std::string output;
  DrawingStyle style;
};

void RunDraw(const DrawOptions& options) {
  // From the start: a signal at any step leaves no scratch folder and no
  // half-written file.
  InterruptWatch watch;
  const auto format = FormatOfFile(options.output);
  if (!format || !CanWrite(*format))
    Fail("draw", kBadRequest,
         "cannot write \"" + options.output + "\": the file name must end in one of " +
             FormatList("."));
  CheckDrawingStyle("draw", options.style);
  auto catalogue = LoadCatalogue("draw", ResolveLibraries("draw", options.part.libraries));
  const PartChoice choice = MakeChoice("draw", options.part, *catalogue);

  ScratchFolder scratch;
  RunSettings settings;
  settings.scale = options.part.scale;
  settings.previewPath = (scratch.Path() / "WMFtemp.wmf").string();
  fs::path blocks =
      options.blockFolder.empty() ? scratch.Path() / "blocks" : fs::path(options.blockFolder);
  std::error_code error;
  fs::create_directories(blocks, error);
  if (error) Fail("draw", kBadRequest, "cannot make the block folder " + blocks.string());
  settings.blockFolder = (blocks / "").string();

  ui::DialogScript script;
  script.steps = ChoiceSteps(choice);
  script.steps.push_back(ui::steps::Draw());
  const RunResult run = RunSelection(catalogue, std::move(script), settings);
  if (!run.scriptFailure.empty()) Fail("draw", kBadRequest, run.scriptFailure);
  if (InterruptWatch::Interrupted()) EndInterrupted("draw", "before writing; no file was written");
  if (run.generateResult != 1)
    Fail("draw", kNotDone, "the part was not drawn; no file was written");
  try {
    PrepareFormats({*format});
    DrawingWriter(run, options.style).Write(*format, options.output);
  } catch (const std::exception& failure) {
    Fail("draw", kNotDone, failure.what());
  }
  std::cout << "wrote " << options.output << '\n';
  if (InterruptWatch::Interrupted()) EndInterrupted("draw", "after the file was written whole");
}

void SetUpDraw(CLI::App& program) {
  auto options = std::make_shared<DrawOptions>();
  CLI::App* draw = program.add_subcommand(
      "draw",
      "Draw a part as the selection dialog would: choose it, select a row, edit values, tick "
      "views and options, then Draw; the file's extension gives the format");
  AddPartOptions(*draw, options->part, true);
  draw->add_option("--block-folder", options->blockFolder,
                   "where block drawing files are written (default: a temporary folder)")
      ->type_name("DIR");
  AddDrawingStyleOptions(*draw, options->style);
  draw->add_option("-o,--output", options->output,
                   "the file to write (.dxf, .svg, .png, .pdf, .json)")
      ->required()
      ->type_name("FILE");
  draw->footer(
      "Message boxes of the run are printed to standard error as their title and text.\n"
      "Exit status: 0 drawn, 1 not drawn, 2 something asked for is not there, 130 stopped by\n"
      "Ctrl-C or SIGTERM (the file is whole or not written).\n\n"
      "Examples:\n"
      "  qzdbs draw \"GB/T 5782\" --row 65 -o bolt-M12x60.dxf\n"
      "  qzdbs draw \"GB/T 5782\" --row 65 --set L=65 --view front --option make-block -o "
      "bolt.png\n"
      "  qzdbs draw \"GB/T 5782\" --row 65 --no-view -o bolt-whole.svg\n"
      "  qzdbs draw 5 --row 3 --scale 2 --block-folder blocks -o washer.pdf\n"
      "  qzdbs draw \"GB/T 6170\" --row 8 --thick-lines 0.7 -o nut.pdf");
  draw->callback([options] { RunDraw(*options); });
}

const RegisterCommand kDraw("draw", SetUpDraw);

}  // namespace
}  // namespace qzdbs::cli
