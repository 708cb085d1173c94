// Building the parts list.
#include "ui/PartsList.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <tuple>

#include "base/NumberText.h"

namespace qzdbs::ui {

namespace {

// The first of `names` that the part's properties hold: libraries name their
// properties in Chinese (GB/T 1237) or in English.
std::string Property(const NamedValues& properties, std::initializer_list<const char*> names) {
  for (const char* name : names)
    for (const auto& [key, value] : properties)
      if (key == name && !value.empty()) return value;
  return {};
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text)
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// Masses to the gram, as a parts list gives them.
std::string Mass(double kilograms) {
  return FormatNumber(std::round(kilograms * 1000) / 1000);
}

}  // namespace

const std::vector<std::string>& PartsListHeadings() {
  static const std::vector<std::string> headings = {"序号", "代号",     "名称",     "数量",
                                                    "材料", "单件质量", "总计质量", "备注"};
  return headings;
}

std::vector<PartsListRow> BuildPartsList(const std::vector<PlacedPart>& parts) {
  std::vector<PartsListRow> rows;
  for (const PlacedPart& part : parts) {
    PartsListRow row;
    row.code = Property(part.properties, {"标准", "Standard"});
    row.name = Property(part.properties, {"标记", "Designation", "名称", "Name"});
    if (row.name.empty()) row.name = part.name;
    row.material = Property(part.properties, {"材料", "Material"});
    row.unitMass = Property(part.properties, {"质量", "Mass"});
    const auto same = [&](const PartsListRow& other) {
      return std::tie(other.code, other.name, other.material, other.unitMass) ==
             std::tie(row.code, row.name, row.material, row.unitMass);
    };
    auto found = std::find_if(rows.begin(), rows.end(), same);
    if (found == rows.end()) {
      row.number = static_cast<int>(rows.size()) + 1;
      rows.push_back(row);
      found = rows.end() - 1;
    }
    ++found->quantity;
  }
  for (PartsListRow& row : rows) {
    const auto mass = ParseNumber(row.unitMass);
    if (!mass) continue;
    row.unitMass = Mass(*mass);
    row.totalMass = Mass(*mass * row.quantity);
  }
  return rows;
}

std::string PartsListCsv(const std::vector<PartsListRow>& rows) {
  std::string csv = "\xEF\xBB\xBF";
  const auto& headings = PartsListHeadings();
  for (size_t i = 0; i < headings.size(); ++i)
    csv += (i ? "," : "") + headings[i];
  csv += "\r\n";
  for (const PartsListRow& row : rows) {
    const std::string fields[] = {std::to_string(row.number),
                                  row.code,
                                  row.name,
                                  std::to_string(row.quantity),
                                  row.material,
                                  row.unitMass,
                                  row.totalMass,
                                  row.remark};
    bool first = true;
    for (const std::string& field : fields) {
      csv += (first ? "" : ",") + CsvField(field);
      first = false;
    }
    csv += "\r\n";
  }
  return csv;
}

}  // namespace qzdbs::ui
