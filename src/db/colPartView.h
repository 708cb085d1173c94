// The views of a part, or the views chosen for drawing, keyed "V" & PartViewID.
#pragma once

#include <cstdint>
#include <string>

#include "db/KeyedList.h"
#include "db/clsPartView.h"

namespace qzdbs {

class colPartView : public KeyedList<clsPartView> {
 public:
  // Appends a new record; false after a warning box when its key is taken.
  bool Add(int32_t PartViewID, const std::string& ViewName, int32_t BasePoint, int32_t Position = 0,
           const std::string& Description = {}, const std::string& TagStr = {});
};

}  // namespace qzdbs
