// The studio's own drawing file: the parts inserted, in order, each with the
// part it is, the values it was drawn with, the views and options ticked and
// the properties the engine computed, so that the drawing can be drawn again
// and its parts list made without the libraries.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qzdbs::ui {

using NamedValues = std::vector<std::pair<std::string, std::string>>;

// Where a part stands on the sheet: its base point at (x, y), the part turned
// about it by quarter turns counter-clockwise.
struct Placement {
  double x = 0;
  double y = 0;
  int quarterTurns = 0;  // 0..3

  bool operator==(const Placement&) const = default;
};

struct PlacedPart {
  std::string library;  // the library's full path
  int32_t partID = 0;
  std::string name;
  NamedValues values;              // the design parameters as drawn
  NamedValues properties;          // as computed
  std::vector<std::string> views;  // the views ticked; none: the part drawn whole
  std::array<bool, 5> options{};   // chkOut(0) .. chkOut(4)
  double scale = 1;
  // None in drawings of studios that placed parts side by side themselves.
  std::optional<Placement> placement;

  bool operator==(const PlacedPart&) const = default;
};

// Throws std::runtime_error naming the file and what is wrong with it.
void WriteStudioDrawing(const std::filesystem::path& file, const std::vector<PlacedPart>& parts);
std::vector<PlacedPart> ReadStudioDrawing(const std::filesystem::path& file);

}  // namespace qzdbs::ui
