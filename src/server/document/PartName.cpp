// Part designations and symbol names.
#include "server/document/PartName.h"

#include "base/OrderedMap.h"

namespace qzdbs::server {

std::string PartDesignation(const PartInfo& part) {
  for (const auto& [name, value] : part.properties) {
    const std::string folded = FoldCase(name);
    if ((folded == "designation" || folded == "标记" || folded == "代号") &&
        value.find_first_not_of(' ') != std::string::npos)
      return value;
  }
  std::string designation = part.name.empty() ? "PART" : part.name;
  for (const auto& [name, value] : part.inputParameters)
    if (!value.empty()) designation += " " + value;
  return designation;
}

}  // namespace qzdbs::server
