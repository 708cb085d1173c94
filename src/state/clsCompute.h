// One named value of a part: its family, name, text value, formula and
// computation state. A plain record shared by reference between holders.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace qzdbs {

struct clsCompute {
  std::string ParaType;  // "O", "S", "T", "P"; the entity parameter's name in entity collections
  std::string ParaName;  // name within the family; the kind letter in entity collections
  std::string ParaValue;
  int32_t isDoneCalValue = 0;  // 1 once ParaValue is final
  double RealValue = 0;
  std::string StringValue;
  std::string TagStr;  // alias, e.g. "S.12"
  int32_t TagLong = 0;
  std::string XKey;  // ParaType & "." & ParaName
  std::string Expression;
  int16_t IsExpression = 0;
  int16_t Visible = 0;
};

using clsComputePtr = std::shared_ptr<clsCompute>;

}  // namespace qzdbs
