// qzdbs show: a part's parameter grid with its standard sizes, its views,
// and the values the engine computes for one row: design and structure
// parameters, properties and point coordinates.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>

#include "CliSupport.h"
#include "Commands.h"
#include "PartOptions.h"
#include "state/ComputeState.h"
#include "ui/frmStructPara.h"

namespace qzdbs::cli {
namespace {

using Json = nlohmann::ordered_json;

struct ShowOptions {
  PartOptions part;
  bool json = false;
  bool all = false;
};

// What the dialog showed and the engine computed.
struct Shown {
  std::vector<std::string> header;  // the grid's row 0, without its corner
  std::vector<int16_t> types;       // 0 number, 1 text, per column
  std::vector<int16_t> visible;
  std::vector<std::vector<std::string>> rows;  // RowID first
  std::string selectedRow;
  std::vector<std::pair<int32_t, std::string>> views;
  bool computed = false;
  std::vector<std::pair<const char*, std::vector<std::pair<std::string, std::string>>>> families;
};

void ReadDialog(const ui::frmPartSel& dialog, Shown& shown) {
  const auto& grid = dialog.fgd_InputPara();
  for (int32_t c = 1; c < grid.Cols(); ++c) {
    shown.header.push_back(grid.TextMatrix(0, c));
    shown.types.push_back(dialog.ParaNames().Item(c)->ParaType);
    shown.visible.push_back(dialog.ParaNames().Item(c)->Visible);
  }
  for (int32_t r = 1; r < grid.Rows(); ++r) {
    std::vector<std::string> row;
    for (int32_t c = 0; c < grid.Cols(); ++c)
      row.push_back(grid.TextMatrix(r, c));
    shown.rows.push_back(std::move(row));
  }
  if (grid.Rows() > 1) shown.selectedRow = grid.TextMatrix(grid.RowSel(), 0);
  for (const auto& item : dialog.lvw_PartVeiw().Items())
    shown.views.emplace_back(item.tag, item.text);
}

void ReadFamilies(Shown& shown) {
  ComputeState& state = Compute();
  const std::pair<const char*, std::shared_ptr<colCompute>*> families[] = {
      {"design", &state.DesignParas},
      {"structure", &state.StructParas},
      {"properties", &state.Properties},
      {"points", &state.Points}};
  for (const auto& [name, family] : families) {
    std::vector<std::pair<std::string, std::string>> values;
    if (*family) {
      for (const auto& record : **family)
        values.emplace_back(record->XKey, record->ParaValue);
    }
    shown.families.emplace_back(name, std::move(values));
  }
}

// Columns of text line up by their width on a terminal: CJK characters
// take two cells.
size_t DisplayWidth(const std::string& text) {
  size_t width = 0;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    width += length >= 3 ? 2 : 1;
    i += length;
  }
  return width;
}

void PrintTable(const std::vector<std::vector<std::string>>& table) {
  std::vector<size_t> widths;
  for (const auto& row : table) {
    widths.resize(std::max(widths.size(), row.size()));
    for (size_t c = 0; c < row.size(); ++c)
      widths[c] = std::max(widths[c], DisplayWidth(row[c]));
  }
  for (const auto& row : table) {
    std::string line = " ";
    for (size_t c = 0; c < row.size(); ++c)
      line += " " + row[c] + std::string(widths[c] - DisplayWidth(row[c]), ' ');
    line.erase(line.find_last_not_of(' ') + 1);
    std::cout << line << '\n';
  }
}

const char* FamilyTitle(const std::string& family) {
  if (family == "design") return "Design parameters";
  if (family == "structure") return "Structure parameters";
  if (family == "properties") return "Properties";
  return "Points";
}

void PrintText(const PartChoice& part, const Shown& shown, bool all) {
  std::cout << part.partName << "  (PartID " << part.partID << ", " << part.libraryPath << ")\n\n";
  std::cout << "Parameters and standard sizes";
  if (!shown.selectedRow.empty()) std::cout << " (row " << shown.selectedRow << " selected)";
  std::cout << ":\n";
  // The dialog's grid shows a hidden column too narrow to read.
  std::vector<size_t> columns{0};
  for (size_t c = 0; c < shown.header.size(); ++c)
    if (all || shown.visible[c] == 1) columns.push_back(c + 1);
  std::vector<std::vector<std::string>> table(1);
  for (size_t c : columns)
    table[0].push_back(c == 0 ? "RowID" : shown.header[c - 1]);
  for (const auto& row : shown.rows) {
    table.emplace_back();
    for (size_t c : columns)
      table.back().push_back(row[c]);
  }
  PrintTable(table);
  std::cout << "\nViews:\n";
  if (shown.views.empty()) std::cout << "  none (every entity is drawn)\n";
  for (const auto& [id, name] : shown.views)
    std::cout << "  " << id << "  " << name << '\n';
  for (const auto& [family, values] : shown.families) {
    std::cout << '\n' << FamilyTitle(family) << ":\n";
    if (values.empty()) std::cout << "  none\n";
    for (const auto& [key, value] : values)
      std::cout << "  " << key << " = " << value << '\n';
  }
}

void PrintJson(const PartChoice& part, const Shown& shown) {
  Json json;
  json["library"] = part.libraryPath;
  json["part"] = {{"id", part.partID}, {"name", part.partName}};
  Json columns = Json::array();
  for (size_t c = 0; c < shown.header.size(); ++c)
    columns.push_back({{"name", shown.header[c]},
                       {"type", shown.types[c] == 1 ? "text" : "number"},
                       {"visible", shown.visible[c] == 1}});
  Json rows = Json::array();
  for (const auto& row : shown.rows) {
    Json values = Json::object();
    for (size_t c = 1; c < row.size(); ++c)
      values[shown.header[c - 1]] = row[c];
    rows.push_back({{"row", std::stoi(row[0])}, {"values", values}});
  }
  json["parameters"] = {{"columns", columns}, {"rows", rows}};
  json["selectedRow"] = shown.selectedRow.empty() ? Json() : Json(std::stoi(shown.selectedRow));
  json["views"] = Json::array();
  for (const auto& [id, name] : shown.views)
    json["views"].push_back({{"id", id}, {"name", name}});
  json["computed"] = shown.computed;
  for (const auto& [family, values] : shown.families) {
    Json object = Json::object();
    for (const auto& [key, value] : values)
      object[key] = value;
    json[family] = object;
  }
  std::cout << json.dump(2) << '\n';
}

void RunShow(const ShowOptions& options) {
  auto catalogue = LoadCatalogue("show", ResolveLibraries("show", options.part.libraries));
  const PartChoice choice = MakeChoice("show", options.part, *catalogue);

  ScratchFolder scratch;
  RunSettings settings;
  settings.scale = options.part.scale;
  settings.previewPath = (scratch.Path() / "WMFtemp.wmf").string();
  settings.blockFolder = (scratch.Path() / "").string();

  // The values come from the structure parameter dialog: Next computes the
  // structure parameters, and the steps before a draw add the properties
  // and the points.
  Shown shown;
  ui::DialogScript script;
  script.steps = ChoiceSteps(choice);
  script.steps.push_back([&](ui::frmPartSel& dialog) {
    ReadDialog(dialog, shown);
    dialog.cmdNext();
    ReadFamilies(shown);
  });
  script.structPara = [&](ui::frmStructPara& form) { shown.computed = form.ComputeResults(); };
  const RunResult run = RunSelection(catalogue, std::move(script), settings);
  if (!run.scriptFailure.empty()) Fail("show", kBadRequest, run.scriptFailure);
  if (options.json) {
    PrintJson(choice, shown);
  } else {
    PrintText(choice, shown, options.all);
  }
  if (!shown.computed) Fail("show", kNotDone, "the part's values could not all be computed");
}

void SetUpShow(CLI::App& program) {
  auto options = std::make_shared<ShowOptions>();
  CLI::App* show = program.add_subcommand(
      "show",
      "Show a part's parameters with their standard sizes, its views, and the structure "
      "parameters, properties and points computed for one row");
  AddPartOptions(*show, options->part, false);
  show->add_flag("--json", options->json,
                 "print JSON; each family of values is an object keyed as the engine keys it "
                 "(O.L, S.b, T.Mass, P.A1.X), with the value texts as computed");
  show->add_flag("--all", options->all,
                 "show the part's hidden parameter columns too (the JSON always lists them, "
                 "marked visible: false)");
  show->footer(
      "Exit status: 0 shown, 1 some value could not be computed, 2 something asked for is "
      "not there.\n\n"
      "Examples:\n"
      "  qzdbs show \"GB/T 5782\" --row 65\n"
      "  qzdbs show 1 --row 65 --set L=65 --json\n"
      "  qzdbs show 1 --row 65 --all");
  show->callback([options] { RunShow(*options); });
}

const RegisterCommand kShow("show", SetUpShow);

}  // namespace
}  // namespace qzdbs::cli
