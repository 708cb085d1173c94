// The input parameters of a part, or their values, keyed RowID & "->" & ParaID.
#pragma once

#include <cstdint>
#include <string>

#include "db/KeyedList.h"
#include "db/clsInputPara.h"

namespace qzdbs {

class colInputPara : public KeyedList<clsInputPara> {
 public:
  // Appends a new record; false after a warning box when its key is taken.
  bool Add(const std::string& ParaName, int32_t ParaID, double RealValue,
           const std::string& StringValue, int16_t ParaType = 0, int16_t Visible = 0,
           int32_t RowID = 0, int16_t IsExpression = 0, int32_t TagLong = 0,
           const std::string& TagStr = {});
};

}  // namespace qzdbs
