// The layer style table and its text form.
#include "server/document/LayerStyles.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "base/OrderedMap.h"

namespace qzdbs::server {

namespace {

// Screen colours of GB/T 14665: thick white, thin green, dashed yellow,
// dash-dot red, thick dash-dot brown, double-dash-dot pink. Annotation
// layers keep colour 7 so that their texts print black.
constexpr std::string_view kStandardRows = R"(# number, weight, colour, line type, names, fragments
01, thick, 7, CONTINUOUS, 粗实线|OUTLINE|VISIBLE|THICK, 粗|THICK|VISIBLE|OUTLINE|轮廓
02, thin, 3, CONTINUOUS, 细实线|THIN|CONTINUOUS, 细实
02, thin, 3, CONTINUOUS, 波浪线|WAVY, 波浪
02, thin, 3, CONTINUOUS, 双折线|BREAK, 折线|BREAK
03, thick, 2, DASHED, 粗虚线, 粗虚
04, thin, 2, DASHED, 细虚线|虚线|HIDDEN|DASHED, 虚|HIDDEN|DASH
05, thin, 1, CENTER, 细点画线|点画线|中心线|CENTER|AXIS, 点画|中心|CENTER|AXIS
06, thick, 32, CENTER, 粗点画线, 粗点画
07, thin, 6, PHANTOM, 细双点画线|双点画线|PHANTOM, 双点画|PHANTOM
08, thin, 7, CONTINUOUS, 尺寸线|DIM|DIMENSION, 尺寸|DIM
09, thin, 7, CONTINUOUS, 引出线|参考圆|LEADER, 引出|LEADER
10, thin, 7, CONTINUOUS, 剖面线|剖面符号|HATCH, 剖面|HATCH
11, thin, 7, CONTINUOUS, 文字|文本|TEXT, 文字|文本|TEXT
12, thin, 7, CONTINUOUS, 尺寸值和公差, 公差
13, thick, 7, CONTINUOUS, 粗文字, 粗文
)";

std::string Trim(std::string_view text) {
  const auto begin = text.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return {};
  const auto end = text.find_last_not_of(" \t\r");
  return std::string(text.substr(begin, end - begin + 1));
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t at = text.find(separator, start);
    parts.push_back(Trim(text.substr(start, at == std::string_view::npos ? at : at - start)));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

// The leading two-digit layer number of "05 细点画线", "05", "05-CENTER"; 0 without one.
int LeadingNumber(const std::string& name) {
  if (name.size() < 2 || !std::isdigit(static_cast<unsigned char>(name[0])) ||
      !std::isdigit(static_cast<unsigned char>(name[1])))
    return 0;
  if (name.size() > 2 && std::isalnum(static_cast<unsigned char>(name[2]))) return 0;
  return (name[0] - '0') * 10 + (name[1] - '0');
}

// The name without its leading number and the blanks, dashes and underscores after it.
std::string BareName(const std::string& name) {
  std::string bare = LeadingNumber(name) ? name.substr(2) : name;
  const auto start = bare.find_first_not_of(" -_.");
  return FoldCase(start == std::string::npos ? std::string() : bare.substr(start));
}

LayerStyle ParseRow(const std::string& line, const std::string& where) {
  const std::vector<std::string> fields = Split(line, ',');
  if (fields.size() != 6)
    throw std::runtime_error(where +
                             ": a row has 6 fields (number, weight, colour, line type, "
                             "names, fragments), not " +
                             std::to_string(fields.size()));
  LayerStyle row;
  if (!fields[0].empty()) {
    row.number = LeadingNumber(fields[0]);
    if (row.number == 0 || fields[0].size() != 2)
      throw std::runtime_error(where + ": the layer number \"" + fields[0] +
                               "\" is not two digits");
  }
  if (fields[1] != "thick" && fields[1] != "thin")
    throw std::runtime_error(where + ": the weight \"" + fields[1] + "\" is not thick or thin");
  row.thick = fields[1] == "thick";
  try {
    size_t used = 0;
    row.color = std::stoi(fields[2], &used);
    if (used != fields[2].size() || row.color < 1 || row.color > 255) throw std::out_of_range("");
  } catch (const std::exception&) {
    throw std::runtime_error(where + ": the colour \"" + fields[2] + "\" is not 1 to 255");
  }
  row.lineType = FoldCase(fields[3]);
  std::transform(row.lineType.begin(), row.lineType.end(), row.lineType.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  static const std::vector<std::string> kLineTypes{"CONTINUOUS", "DASHED", "CENTER", "PHANTOM"};
  if (std::find(kLineTypes.begin(), kLineTypes.end(), row.lineType) == kLineTypes.end())
    throw std::runtime_error(where + ": the line type \"" + fields[3] +
                             "\" is not CONTINUOUS, DASHED, CENTER or PHANTOM");
  for (const std::string& name : Split(fields[4], '|'))
    if (!name.empty()) row.names.push_back(FoldCase(name));
  for (const std::string& fragment : Split(fields[5], '|'))
    if (!fragment.empty()) row.fragments.push_back(FoldCase(fragment));
  if (row.number == 0 && row.names.empty() && row.fragments.empty())
    throw std::runtime_error(where + ": the row names no layer (no number, name or fragment)");
  return row;
}

}  // namespace

LayerStyleTable LayerStyleTable::Parse(std::string_view text, const std::string& source) {
  LayerStyleTable table;
  std::istringstream lines{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    line = Trim(line.substr(0, line.find('#')));
    if (!line.empty()) table.rows_.push_back(ParseRow(line, source + ":" + std::to_string(number)));
  }
  if (table.rows_.empty()) throw std::runtime_error(source + ": the layer style table is empty");
  return table;
}

LayerStyleTable LayerStyleTable::Read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read the layer style table " + file.string());
  std::ostringstream text;
  text << in.rdbuf();
  return Parse(text.str(), file.string());
}

const LayerStyleTable& LayerStyleTable::Standard() {
  static const LayerStyleTable table = Parse(kStandardRows, "built-in layer styles");
  return table;
}

const LayerStyle* LayerStyleTable::Find(const std::string& name) const {
  if (const int number = LeadingNumber(name)) {
    for (const LayerStyle& row : rows_)
      if (row.number == number) return &row;
  }
  const std::string bare = BareName(name);
  for (const LayerStyle& row : rows_) {
    if (std::find(row.names.begin(), row.names.end(), bare) != row.names.end()) return &row;
  }
  const LayerStyle* found = nullptr;
  size_t longest = 0;
  for (const LayerStyle& row : rows_) {
    for (const std::string& fragment : row.fragments) {
      if (fragment.size() > longest && bare.find(fragment) != std::string::npos) {
        found = &row;
        longest = fragment.size();
      }
    }
  }
  return found;
}

Layer LayerStyleTable::Style(const std::string& name, double thickWidth) const {
  Layer layer;
  layer.name = name;
  const auto hundredths = [](double mm) { return static_cast<int32_t>(std::lround(mm * 100)); };
  layer.lineWeight = hundredths(thickWidth / 2);
  if (const LayerStyle* row = Find(name)) {
    if (row->thick) layer.lineWeight = hundredths(thickWidth);
    layer.color = row->color;
    layer.lineType = row->lineType;
  }
  return layer;
}

bool IsThickLineWidth(double millimetres) {
  for (double width : {0.35, 0.5, 0.7, 1.0})
    if (std::abs(millimetres - width) < 1e-9) return true;
  return false;
}

}  // namespace qzdbs::server
