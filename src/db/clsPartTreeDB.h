// A node of a library's catalogue as the part tree shows it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace qzdbs {

struct clsPartTreeDB {
  std::string DBPath;   // library file the node belongs to
  std::string NodeKey;  // the node's key in the tree; the tree's to form
  int32_t TagLong = 0;  // free for the tree
  std::string TagStr;   // free for the tree
  std::string NodeName;
  int32_t FatherID = 0;
  int32_t Position = 0;
  int32_t NodeID = 0;
  // Read along with the node so the tree need not query again: 0 root folder,
  // 1 folder, 2 part; and the part a part node opens (0 otherwise).
  int16_t NodeType = 0;
  int32_t PartID = 0;
};

using clsPartTreeDBPtr = std::shared_ptr<clsPartTreeDB>;

}  // namespace qzdbs
