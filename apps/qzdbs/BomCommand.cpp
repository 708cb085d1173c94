// qzdbs bom: the parts list of a drawing saved by the studio, as CSV.
#include <CLI/CLI.hpp>
#include <iostream>

#include "CliSupport.h"
#include "Commands.h"
#include "base/TextFile.h"
#include "ui/PartsList.h"

namespace qzdbs::cli {
namespace {

struct BomOptions {
  std::string drawing;
  std::string output;
};

void RunBom(const BomOptions& options) {
  std::vector<ui::PlacedPart> parts;
  try {
    parts = ui::ReadStudioDrawing(options.drawing);
  } catch (const std::exception& failure) {
    Fail("bom", kBadRequest, failure.what());
  }
  const std::string csv = ui::PartsListCsv(ui::BuildPartsList(parts));
  if (options.output.empty()) {
    std::cout << csv;
    return;
  }
  try {
    WriteTextAtomically(options.output, csv);
  } catch (const std::exception& failure) {
    Fail("bom", kNotDone, failure.what());
  }
  std::cout << "wrote " << options.output << '\n';
}

void SetUpBom(CLI::App& program) {
  auto options = std::make_shared<BomOptions>();
  CLI::App* bom = program.add_subcommand(
      "bom",
      "The parts list (明细栏) of a drawing saved by qzdbs-studio, as CSV: 序号, 代号, 名称, "
      "数量, 材料, 单件质量, 总计质量, 备注; equal parts counted together");
  bom->add_option("drawing", options->drawing, "the studio drawing (.qzdrawing)")
      ->required()
      ->type_name("DRAWING");
  bom->add_option("-o,--output", options->output,
                  "the CSV file to write (UTF-8 with a byte order mark; default: standard output)")
      ->type_name("FILE");
  bom->footer(
      "Exit status: 0 written, 1 the file could not be written, 2 the drawing cannot be read.\n\n"
      "Examples (the studio drawing of the source folder):\n"
      "  qzdbs bom docs/bolt-and-nut.qzdrawing\n"
      "  qzdbs bom docs/bolt-and-nut.qzdrawing -o parts-list.csv");
  bom->callback([options] { RunBom(*options); });
}

const RegisterCommand kBom("bom", SetUpBom);

}  // namespace
}  // namespace qzdbs::cli
