// The catalogue the part tree shows: one or more libraries, each as its file
// name above the folders and parts of its QZPartDirectory. A part node
// delivers the library it belongs to and its PartID.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qzdbs::ui {

struct CatalogueNode {
  enum class Kind { Library, Folder, Part };
  Kind kind = Kind::Folder;
  std::string name;
  std::string libraryPath;  // the library file the node belongs to
  int32_t nodeID = 0;       // QZPartDirectory NodeID; 0 for a library
  int32_t partID = 0;       // the part a part node opens
  std::vector<CatalogueNode> children;
};

class Catalogue {
 public:
  // Reads every library's tree, each through a connection of its own (the
  // shared library connection is the chosen part's). A library that cannot
  // be read is left out and named in Message(); false when any was.
  // Each library is known by its full path with symbolic links resolved,
  // which the session's DBPath then carries: two names of one file are one
  // library. A folder is refused as not a library.
  bool Load(const std::vector<std::string>& libraryPaths);

  const std::vector<CatalogueNode>& Libraries() const { return libraries_; }
  // Why the last Load left libraries out; empty when it did not.
  const std::string& Message() const { return message_; }

  // Every part node, in the order the tree shows them.
  std::vector<const CatalogueNode*> Parts() const;

 private:
  std::vector<CatalogueNode> libraries_;
  std::string message_;
};

// Reads one library's tree; throws db::DbError naming the file when it
// cannot be opened or its catalogue cannot be read.
CatalogueNode ReadLibraryTree(const std::string& libraryPath);

}  // namespace qzdbs::ui
