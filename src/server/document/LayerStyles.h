// The layer style table: what a layer's name says about its line weight,
// colour and line type. One row per kind of layer; the built-in rows follow
// the layer numbers and names of GB/T 14665 and the line kinds of ISO 128-2,
// with the common English names, and the fragments of names that older
// drawings use (粗, 中心, 虚) as the fallback.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "server/Document.h"

namespace qzdbs::server {

struct LayerStyle {
  int number = 0;  // the layer number ("01".."99"); 0 for none
  bool thick = false;
  int32_t color = 7;
  std::string lineType = "CONTINUOUS";
  std::vector<std::string> names;      // whole names, ASCII letters in any case
  std::vector<std::string> fragments;  // parts of names no row names whole
};

class LayerStyleTable {
 public:
  // The rows, one a line: number, thick|thin, colour, line type, names,
  // fragments; commas between the fields, "|" between names; "#" starts a
  // comment. Throws std::runtime_error naming `source` and the line.
  static LayerStyleTable Parse(std::string_view text, const std::string& source);
  static LayerStyleTable Read(const std::filesystem::path& file);
  static const LayerStyleTable& Standard();

  // A layer named `name`: its row by the leading two-digit number, else by
  // its whole name (a leading number and blanks left out), else by the
  // longest fragment it holds; without any, a thin continuous line.
  // `thickWidth` is the thick line's width in millimetres, the thin line's
  // half of it.
  Layer Style(const std::string& name, double thickWidth) const;

  const std::vector<LayerStyle>& Rows() const { return rows_; }

 private:
  const LayerStyle* Find(const std::string& name) const;
  std::vector<LayerStyle> rows_;
};

// The thick line widths of ISO 128-2's series that pair with a thin line of
// half the width: 0.35, 0.5, 0.7 and 1 mm.
bool IsThickLineWidth(double millimetres);

}  // namespace qzdbs::server
