// Part designations and symbol names.
#include "server/document/PartName.h"

#include <string_view>

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

std::string SymbolName(const std::string& text) {
  std::string out;
  for (char c : text)
    out += std::string_view("<>/\\\":;?*|=`").find(c) == std::string_view::npos ? c : '_';
  const auto begin = out.find_first_not_of(' ');
  if (begin == std::string::npos) return "_";
  return out.substr(begin, out.find_last_not_of(' ') - begin + 1);
}

}  // namespace qzdbs::server
