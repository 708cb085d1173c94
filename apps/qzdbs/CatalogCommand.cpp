// qzdbs catalog: the catalogue tree of the libraries, as text or JSON.
#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

#include "CliSupport.h"
#include "Commands.h"

namespace qzdbs::cli {
namespace {

struct CatalogOptions {
  std::vector<std::string> libraries;
  bool json = false;
};

using Kind = ui::CatalogueNode::Kind;

void PrintTree(const ui::CatalogueNode& node, int depth) {
  std::cout << std::string(static_cast<size_t>(depth) * 2, ' ');
  if (node.kind == Kind::Part) std::cout << "[" << node.partID << "] ";
  std::cout << node.name;
  if (node.kind == Kind::Library) std::cout << "  (" << node.libraryPath << ")";
  std::cout << '\n';
  for (const auto& child : node.children)
    PrintTree(child, depth + 1);
}

nlohmann::ordered_json TreeJson(const ui::CatalogueNode& node) {
  nlohmann::ordered_json json;
  json["name"] = node.name;
  switch (node.kind) {
    case Kind::Library:
      json["kind"] = "library";
      json["path"] = node.libraryPath;
      break;
    case Kind::Folder:
      json["kind"] = "folder";
      break;
    case Kind::Part:
      json["kind"] = "part";
      json["partId"] = node.partID;
      break;
  }
  if (node.kind != Kind::Part) {
    json["children"] = nlohmann::ordered_json::array();
    for (const auto& child : node.children)
      json["children"].push_back(TreeJson(child));
  }
  return json;
}

void RunCatalog(const CatalogOptions& options) {
  auto catalogue = LoadCatalogue("catalog", ResolveLibraries("catalog", options.libraries));
  if (options.json) {
    nlohmann::ordered_json libraries = nlohmann::ordered_json::array();
    for (const auto& library : catalogue->Libraries())
      libraries.push_back(TreeJson(library));
    std::cout << nlohmann::ordered_json{{"libraries", libraries}}.dump(2) << '\n';
    return;
  }
  for (const auto& library : catalogue->Libraries())
    PrintTree(library, 0);
}

void SetUpCatalog(CLI::App& program) {
  auto options = std::make_shared<CatalogOptions>();
  CLI::App* catalog = program.add_subcommand(
      "catalog", "List the folders and parts of the libraries, with each part's PartID");
  AddLibraryOption(*catalog, options->libraries);
  catalog->add_flag("--json", options->json, "print the tree as JSON");
  catalog->footer(
      "Examples:\n"
      "  qzdbs catalog\n"
      "  qzdbs catalog --json\n"
      "  qzdbs catalog --library my-parts.qzlib --json\n"
      "(my-parts.qzlib: a library of your own; a copy of the sample library will do)");
  catalog->callback([options] { RunCatalog(*options); });
}

const RegisterCommand kCatalog("catalog", SetUpCatalog);

}  // namespace
}  // namespace qzdbs::cli
