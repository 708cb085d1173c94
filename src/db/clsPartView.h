// A view of a part: a drawing the user can tick, with its own base point.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace qzdbs {

struct clsPartView {
  std::string XKey;  // "V" & PartViewID
  std::string TagStr;
  std::string Description;
  int32_t Position = 0;
  int32_t BasePoint = 0;  // PointID of the view's base point
  std::string ViewName;
  int32_t PartViewID = 0;
};

using clsPartViewPtr = std::shared_ptr<clsPartView>;

}  // namespace qzdbs
