// An input parameter of a part (a column of the parameter grid) or one of its
// stored values (a cell of a value row).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace qzdbs {

struct clsInputPara {
  std::string ParaName;
  int32_t ParaID = 0;
  std::string XKey;      // RowID & "->" & ParaID
  int16_t ParaType = 0;  // 0 number, 1 text
  int16_t Visible = 0;   // 1 shown in the grid
  int16_t IsExpression = 0;
  std::string TagStr;
  int32_t TagLong = 0;
  double RealValue = 0;
  std::string StringValue;
  int32_t RowID = 0;  // value row; 0 for the parameter's definition
};

using clsInputParaPtr = std::shared_ptr<clsInputPara>;

}  // namespace qzdbs
