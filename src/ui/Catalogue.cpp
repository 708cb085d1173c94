// Reading the catalogue of one or more libraries.
#include "ui/Catalogue.h"

#include <exception>
#include <filesystem>
#include <functional>
#include <set>
#include <stdexcept>

#include "db/LibraryDB.h"
#include "db/PartCatalogue.h"
#include "db/recordset/Connection.h"

namespace qzdbs::ui {

namespace {

CatalogueNode NodeOf(const clsPartTreeDB& record) {
  CatalogueNode node;
  // Node type 2 is a part; 0 and 1 are folders (the root and the others).
  node.kind = record.NodeType == 2 ? CatalogueNode::Kind::Part : CatalogueNode::Kind::Folder;
  node.name = record.NodeName;
  node.libraryPath = record.DBPath;
  node.nodeID = record.NodeID;
  node.partID = record.PartID;
  return node;
}

// The full path with links resolved; the path made absolute when the file
// cannot be reached, so that opening it reports why.
std::string FullPath(const std::string& path) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::canonical(path, error);
  if (error) full = std::filesystem::absolute(path, error).lexically_normal();
  return error ? path : full.string();
}

}  // namespace

CatalogueNode ReadLibraryTree(const std::string& libraryPath) {
  db::Connection connection;
  connection.ConnectionString =
      LibraryConnectionString(LibraryFolder(libraryPath), libraryPath, kLibraryPassword);
  connection.Open();

  CatalogueNode library;
  library.kind = CatalogueNode::Kind::Library;
  library.name = std::filesystem::path(libraryPath).filename().string();
  library.libraryPath = libraryPath;

  // A node is read once: a directory whose FatherID links loop back must not
  // send the reading round for ever.
  std::set<int32_t> seen;
  std::function<void(CatalogueNode&)> readChildren = [&](CatalogueNode& parent) {
    for (const auto& record :
         ReadCatalogueNodes(connection, ChildNodesSql(parent.nodeID), libraryPath)) {
      if (!seen.insert(record->NodeID).second) continue;
      parent.children.push_back(NodeOf(*record));
      readChildren(parent.children.back());
    }
  };
  for (const auto& record : ReadCatalogueNodes(connection, RootNodesSql(0), libraryPath)) {
    if (!seen.insert(record->NodeID).second) continue;
    library.children.push_back(NodeOf(*record));
    readChildren(library.children.back());
  }
  return library;
}

bool Catalogue::Load(const std::vector<std::string>& libraryPaths) {
  libraries_.clear();
  message_.clear();
  std::set<std::string> read;
  for (const auto& given : libraryPaths) {
    const std::string path = FullPath(given);
    if (!read.insert(path).second) continue;
    try {
      std::error_code error;
      if (std::filesystem::is_directory(path, error))
        throw std::runtime_error("is a folder, not a library file");
      libraries_.push_back(ReadLibraryTree(path));
    } catch (const std::exception& failure) {
      if (!message_.empty()) message_ += '\n';
      // Opening names the file already; a catalogue that cannot be read does not.
      std::string why = failure.what();
      message_ += why.find(path) == std::string::npos ? path + ": " + why : why;
    }
  }
  return message_.empty();
}

std::vector<const CatalogueNode*> Catalogue::Parts() const {
  std::vector<const CatalogueNode*> parts;
  std::function<void(const CatalogueNode&)> walk = [&](const CatalogueNode& node) {
    if (node.kind == CatalogueNode::Kind::Part) parts.push_back(&node);
    for (const auto& child : node.children)
      walk(child);
  };
  for (const auto& library : libraries_)
    walk(library);
  return parts;
}

}  // namespace qzdbs::ui
