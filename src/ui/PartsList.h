// The parts list of a drawing of standard parts (明细栏, after GB/T 10609.2):
// one row per kind of part, equal parts counted together, in the order the
// parts were first inserted.
#pragma once

#include <string>
#include <vector>

#include "ui/StudioDrawing.h"

namespace qzdbs::ui {

struct PartsListRow {
  int number = 0;         // 序号
  std::string code;       // 代号: the standard
  std::string name;       // 名称: the designation, or the name
  int quantity = 0;       // 数量
  std::string material;   // 材料
  std::string unitMass;   // 单件质量, kg
  std::string totalMass;  // 总计质量, kg
  std::string remark;     // 备注
};

// The column headings, in column order.
const std::vector<std::string>& PartsListHeadings();

// From the parts' properties: Standard, Designation (or Name, or the part's
// name), Material and Mass. Parts are equal when all of these are.
std::vector<PartsListRow> BuildPartsList(const std::vector<PlacedPart>& parts);

// The list as CSV in UTF-8 with a byte order mark, which spreadsheet
// programs need to read the Chinese headings; fields quoted when needed.
std::string PartsListCsv(const std::vector<PartsListRow>& rows);

}  // namespace qzdbs::ui
