// The studio drawing file, as JSON.
#include "ui/StudioDrawing.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "base/TextFile.h"

namespace qzdbs::ui {

namespace {

using Json = nlohmann::ordered_json;
constexpr const char* kFormat = "qzdbs-studio-drawing";
constexpr int kVersion = 1;

Json ValuesJson(const NamedValues& values) {
  Json array = Json::array();
  for (const auto& [name, value] : values)
    array.push_back({name, value});
  return array;
}

NamedValues ValuesOf(const Json& array) {
  NamedValues values;
  for (const auto& pair : array)
    values.emplace_back(pair.at(0).get<std::string>(), pair.at(1).get<std::string>());
  return values;
}

}  // namespace

void WriteStudioDrawing(const std::filesystem::path& file, const std::vector<PlacedPart>& parts) {
  Json list = Json::array();
  for (const PlacedPart& part : parts) {
    list.push_back({{"library", part.library},
                    {"partId", part.partID},
                    {"name", part.name},
                    {"values", ValuesJson(part.values)},
                    {"views", part.views},
                    {"options", part.options},
                    {"scale", part.scale},
                    {"properties", ValuesJson(part.properties)}});
    if (part.placement)
      list.back()["placement"] = Json{{"x", part.placement->x},
                                      {"y", part.placement->y},
                                      {"quarterTurns", part.placement->quarterTurns}};
  }
  const Json drawing = {{"format", kFormat}, {"version", kVersion}, {"parts", list}};
  WriteTextAtomically(file, drawing.dump(2) + "\n");
}

std::vector<PlacedPart> ReadStudioDrawing(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::stringstream text;
  text << in.rdbuf();
  std::vector<PlacedPart> parts;
  try {
    const Json drawing = Json::parse(text.str());
    if (drawing.value("format", "") != kFormat)
      throw std::runtime_error("not a studio drawing (no \"format\": \"" + std::string(kFormat) +
                               "\")");
    if (drawing.value("version", 0) > kVersion)
      throw std::runtime_error("made by a newer studio (version " +
                               std::to_string(drawing.value("version", 0)) + ")");
    for (const auto& entry : drawing.at("parts")) {
      PlacedPart part;
      part.library = entry.at("library").get<std::string>();
      part.partID = entry.at("partId").get<int32_t>();
      part.name = entry.value("name", "");
      part.values = ValuesOf(entry.at("values"));
      part.views = entry.value("views", std::vector<std::string>{});
      part.options = entry.value("options", std::array<bool, 5>{});
      part.scale = entry.value("scale", 1.0);
      part.properties = ValuesOf(entry.value("properties", Json::array()));
      if (const auto at = entry.find("placement"); at != entry.end())
        part.placement = Placement{at->at("x").get<double>(), at->at("y").get<double>(),
                                   ((at->value("quarterTurns", 0) % 4) + 4) % 4};
      parts.push_back(std::move(part));
    }
  } catch (const std::exception& failure) {
    throw std::runtime_error(file.string() + ": " + failure.what());
  }
  return parts;
}

}  // namespace qzdbs::ui
