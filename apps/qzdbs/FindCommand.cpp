// qzdbs find: the parts that match what a user types, best first, each with
// the value row to open and the values to type into it.
#include <CLI/CLI.hpp>
#include <cmath>
#include <exception>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "CliSupport.h"
#include "Commands.h"
#include "db/find/PartFinder.h"

namespace qzdbs::cli {
namespace {

struct FindOptions {
  std::vector<std::string> words;
  std::vector<std::string> libraries;
  size_t max = 10;
  bool json = false;
};

nlohmann::ordered_json HitJson(const find::Hit& hit) {
  nlohmann::ordered_json set = nlohmann::ordered_json::object();
  for (const auto& [name, value] : hit.set)
    set[name] = value;
  return {
      {"library", hit.library}, {"partId", hit.partID}, {"part", hit.part},
      {"row", hit.row},         {"set", set},           {"score", std::round(hit.score * 10) / 10}};
}

// The draw command that opens the hit, for copying.
std::string DrawCommand(const find::Hit& hit, bool severalLibraries) {
  std::string command =
      "qzdbs draw " + std::to_string(hit.partID) + " --row " + std::to_string(hit.row);
  for (const auto& [name, value] : hit.set)
    command += " --set " + name + "=" + value;
  if (severalLibraries) command += " --library " + hit.library;
  return command;
}

void PrintHits(const std::vector<find::Hit>& hits, bool severalLibraries) {
  for (size_t i = 0; i < hits.size(); ++i) {
    const find::Hit& hit = hits[i];
    std::cout << i + 1 << ". " << hit.part << "  (score " << std::round(hit.score * 10) / 10
              << ")\n   " << std::filesystem::path(hit.library).filename().string() << ", part "
              << hit.partID << ", row " << hit.row << ": " << hit.rowText;
    for (const auto& [name, value] : hit.set)
      std::cout << "  type " << name << "=" << value;
    std::cout << "\n   " << DrawCommand(hit, severalLibraries) << '\n';
  }
}

void RunFind(const FindOptions& options) {
  std::string text;
  for (const auto& word : options.words)
    text += (text.empty() ? "" : " ") + word;
  auto libraries = ResolveLibraries("find", options.libraries);
  find::PartFinder finder;
  for (const auto& library : libraries) {
    try {
      finder.AddLibrary(library);
    } catch (const std::exception& failure) {
      std::string why = failure.what();
      Fail("find", kBadRequest,
           why.find(library) == std::string::npos ? library + ": " + why : why);
    }
  }
  auto hits = finder.Find(text, options.max);
  if (options.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& hit : hits)
      list.push_back(HitJson(hit));
    std::cout << nlohmann::ordered_json{{"hits", list}}.dump(2) << '\n';
  } else {
    PrintHits(hits, libraries.size() > 1);
  }
  if (hits.empty()) Fail("find", kNotDone, "no part matches \"" + text + "\"");
}

void SetUpFind(CLI::App& program) {
  auto options = std::make_shared<FindOptions>();
  CLI::App* find = program.add_subcommand(
      "find", "Find parts by standard number, size, designation or name, best first");
  find->add_option("text", options->words, "what to look for; several words are one search")
      ->required();
  AddLibraryOption(*find, options->libraries);
  // One file per --library, so that the words of the search after it stay words.
  find->get_option("--library")
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  find->add_option("--max", options->max, "show at most this many hits (default 10)")
      ->check(CLI::PositiveNumber);
  find->add_flag("--json", options->json,
                 "print {\"hits\": [{library, partId, part, row, set, score}]}");
  find->footer(
      "Standard numbers may be written in any usual way (GB/T 5782, GB5782, gb 5782-2016,\n"
      "ISO4014, DIN 933) and find their GB, ISO and DIN twins. Sizes: M12x60, M12×60, M12*60,\n"
      "6204, 6204-2RS, d=20. A size between the library's rows is offered as the nearest row\n"
      "with the value to type (set). Exit status 1 when nothing matches.\n"
      "Examples:\n"
      "  qzdbs find \"GB/T 5782 M12x65\"\n"
      "  qzdbs find 深沟球轴承 6205\n"
      "  qzdbs find d=20 --json");
  find->callback([options] { RunFind(*options); });
}

const RegisterCommand kFind("find", SetUpFind);

}  // namespace
}  // namespace qzdbs::cli
