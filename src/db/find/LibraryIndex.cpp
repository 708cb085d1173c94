// Reading a library for the search: five queries, whatever its size.
#include "db/find/LibraryIndex.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>

#include "base/NumberText.h"
#include "db/LibraryDB.h"
#include "db/find/SearchText.h"
#include "db/find/StandardTwins.h"
#include "db/recordset/Connection.h"

namespace qzdbs::find {

namespace {

using db::CellValue;

int64_t IntOf(const CellValue& cell) {
  if (const auto* i = std::get_if<int64_t>(&cell)) return *i;
  if (const auto* d = std::get_if<double>(&cell)) return static_cast<int64_t>(*d);
  return 0;
}

std::optional<double> NumberOf(const CellValue& cell) {
  if (const auto* d = std::get_if<double>(&cell)) return *d;
  if (const auto* i = std::get_if<int64_t>(&cell)) return static_cast<double>(*i);
  if (const auto* s = std::get_if<std::string>(&cell)) return ParseNumber(*s);
  return std::nullopt;
}

std::string TextOf(const CellValue& cell) {
  if (const auto* s = std::get_if<std::string>(&cell)) return *s;
  if (auto number = NumberOf(cell)) return FormatNumber(*number);
  return {};
}

// The quoted pieces of a formula: the fixed words of a designation such as
// "螺栓 GB/T 5782 " & O.Thread & "×" & O.L.
std::string Literals(const std::string& formula) {
  std::string literals;
  bool inside = false;
  for (size_t i = 0; i < formula.size(); ++i) {
    if (formula[i] != '"') {
      if (inside) literals += formula[i];
    } else if (inside && i + 1 < formula.size() && formula[i + 1] == '"') {
      literals += '"';
      ++i;
    } else {
      inside = !inside;
      if (!inside) literals += ' ';
    }
  }
  return literals;
}

struct Reader {
  explicit Reader(const std::string& path) {
    connection.ConnectionString =
        LibraryConnectionString(LibraryFolder(path), path, kLibraryPassword);
    connection.Open();
  }
  std::shared_ptr<const db::QueryResult> Query(const std::string& sql) const {
    return connection.Library().Query(sql);
  }
  void ForEachRow(const std::string& sql,
                  const std::function<void(const std::vector<db::CellValue>&)>& row) const {
    connection.Library().ForEachRow(sql, row);
  }
  db::Connection connection;
};

struct Node {
  int64_t id = 0;
  std::string name;
  int64_t type = 0;
  int64_t part = 0;
};

// Part nodes in the order the tree shows them. Folder names stay out of a
// part's text: "垫圈" must not find the bolts of a folder "螺栓与垫圈".
void ReadCatalogue(const Reader& reader, LibraryIndex& index,
                   std::unordered_map<int64_t, size_t>& byID) {
  auto nodes = reader.Query(
      "SELECT [NodeID],[NodeName],[FatherID],[NodeType],[PartID] FROM [QZPartDirectory] "
      "ORDER BY [FatherID],[Position]");
  std::map<int64_t, std::vector<Node>> children;
  std::vector<Node> roots;
  for (const auto& row : nodes->rows) {
    Node node{IntOf(row[0]), TextOf(row[1]), IntOf(row[3]), IntOf(row[4])};
    (node.type == 0 ? roots : children[IntOf(row[2])]).push_back(std::move(node));
  }
  std::set<int64_t> seen;
  std::function<void(const Node&)> walk = [&](const Node& node) {
    if (!seen.insert(node.id).second) return;
    if (node.type == 2) {
      if (byID.count(node.part)) return;
      byID[node.part] = index.parts.size();
      IndexedPart part;
      part.partID = static_cast<int32_t>(node.part);
      part.name = node.name;
      part.haystack = node.name;
      index.parts.push_back(std::move(part));
      return;
    }
    for (const auto& child : children[node.id])
      walk(child);
  };
  for (const auto& root : roots)
    walk(root);
}

void ReadProperties(const Reader& reader, LibraryIndex& index,
                    const std::unordered_map<int64_t, size_t>& byID) {
  auto properties = reader.Query("SELECT [PartID],[IsExpression],[Value] FROM [QZPartPrptys]");
  for (const auto& row : properties->rows) {
    auto part = byID.find(IntOf(row[0]));
    if (part == byID.end()) continue;
    std::string value = TextOf(row[2]);
    index.parts[part->second].haystack += " " + (IntOf(row[1]) != 0 ? Literals(value) : value);
  }
}

void ReadParams(const Reader& reader, LibraryIndex& index,
                const std::unordered_map<int64_t, size_t>& byID,
                std::unordered_map<int64_t, std::map<int64_t, size_t>>& columns) {
  auto read = reader.Query(
      "SELECT [PartID],[ParaID],[ParaName],[ParaType],[Visible] FROM [QZPartInputParas] "
      "ORDER BY [PartID],[Position]");
  for (const auto& row : read->rows) {
    auto part = byID.find(IntOf(row[0]));
    if (part == byID.end()) continue;
    auto& params = index.parts[part->second].params;
    columns[IntOf(row[0])][IntOf(row[1])] = params.size();
    params.push_back({TextOf(row[2]), IntOf(row[3]) == 1, IntOf(row[4]) != 0});
  }
}

void ReadRows(const Reader& reader, LibraryIndex& index,
              const std::unordered_map<int64_t, size_t>& byID,
              const std::unordered_map<int64_t, std::map<int64_t, size_t>>& columns) {
  // Unordered: SQLite would sort every value of the library; the rows are
  // put in order here, where they usually arrive in order already. Every
  // value of the library is read once: streamed, not kept.
  std::vector<std::unordered_map<int32_t, size_t>> rowsOf(index.parts.size());
  // The values of a part arrive together: its lookups serve them all.
  std::optional<int64_t> lastPartID;
  const std::map<int64_t, size_t>* partColumns = nullptr;
  size_t partAt = 0;
  reader.ForEachRow(
      "SELECT [PartID],[RowID],[ParaID],[StrValue],[RealValue] FROM [QZParaValue]",
      [&](const std::vector<db::CellValue>& row) {
        if (const int64_t partID = IntOf(row[0]); partID != lastPartID) {
          lastPartID = partID;
          auto part = byID.find(partID);
          auto found = columns.find(partID);
          partColumns = part == byID.end() || found == columns.end() ? nullptr : &found->second;
          partAt = part == byID.end() ? 0 : part->second;
        }
        if (!partColumns) return;
        auto column = partColumns->find(IntOf(row[2]));
        if (column == partColumns->end()) return;
        IndexedPart& indexed = index.parts[partAt];
        auto rowID = static_cast<int32_t>(IntOf(row[1]));
        size_t at = indexed.rows.size() - 1;
        if (indexed.rows.empty() || indexed.rows.back().rowID != rowID) {
          auto [known, added] = rowsOf[partAt].emplace(rowID, indexed.rows.size());
          if (added)
            indexed.rows.push_back({rowID, std::vector<IndexedCell>(indexed.params.size())});
          at = known->second;
        }
        IndexedCell& cell = indexed.rows[at].cells[column->second];
        const bool text = indexed.params[column->second].text;
        // A number's text is made only for the rows a search returns.
        cell.number = text ? ParseNumber(TextOf(row[3])) : NumberOf(row[4]);
        if (text || !cell.number) {
          cell.shown = TextOf(row[3]);
          cell.compact = LowerAscii(WithoutBlanks(FoldSearchText(cell.shown)));
        }
      });
}

// Which parameter is the thread, which the length, and which may take a value
// between rows.
void Describe(IndexedPart& part) {
  // Rows of one size share their first column.
  std::vector<std::string> sizes;
  for (const auto& row : part.rows)
    sizes.push_back(row.cells.empty()     ? std::string()
                    : row.cells[0].number ? FormatNumber(*row.cells[0].number)
                                          : row.cells[0].compact);
  for (size_t p = 0; p < part.params.size(); ++p) {
    IndexedParam& param = part.params[p];
    if (!param.text && part.length < 0 && (param.name == "L" || param.name == "l"))
      part.length = static_cast<int>(p);
    size_t threads = 0;
    std::unordered_map<std::string_view, double> bySize;
    bool first = true;
    for (size_t r = 0; r < part.rows.size(); ++r) {
      const IndexedRow& row = part.rows[r];
      const IndexedCell& cell = row.cells[p];
      if (cell.compact.size() > 1 && cell.compact[0] == 'm' &&
          std::isdigit(static_cast<unsigned char>(cell.compact[1])))
        ++threads;
      if (!cell.number) continue;
      param.min = first ? *cell.number : std::min(param.min, *cell.number);
      param.max = first ? *cell.number : std::max(param.max, *cell.number);
      first = false;
      if (p == 0 || param.text) continue;
      auto [size, added] = bySize.emplace(sizes[r], *cell.number);
      if (!added && size->second != *cell.number) param.free = true;
    }
    if (param.text && part.thread < 0 && threads * 2 > part.rows.size())
      part.thread = static_cast<int>(p);
  }
  part.haystack = LowerAscii(FoldSearchText(part.haystack));
  for (const auto& mention : FindStandards(part.haystack))
    if (std::find(part.standards.begin(), part.standards.end(), mention.key) ==
        part.standards.end())
      part.standards.push_back(mention.key);
  for (const auto& standard : part.standards)
    for (auto& twin : TwinsOf(standard))
      if (std::find(part.standards.begin(), part.standards.end(), twin) == part.standards.end() &&
          std::find(part.twins.begin(), part.twins.end(), twin) == part.twins.end())
        part.twins.push_back(std::move(twin));
}

}  // namespace

LibraryIndex ReadLibraryIndex(const std::string& path) {
  Reader reader(path);
  LibraryIndex index;
  index.path = path;
  std::unordered_map<int64_t, size_t> byID;
  std::unordered_map<int64_t, std::map<int64_t, size_t>> columns;
  ReadCatalogue(reader, index, byID);
  ReadProperties(reader, index, byID);
  ReadParams(reader, index, byID, columns);
  ReadRows(reader, index, byID, columns);
  for (auto& part : index.parts) {
    auto byRowID = [](const IndexedRow& a, const IndexedRow& b) { return a.rowID < b.rowID; };
    if (!std::is_sorted(part.rows.begin(), part.rows.end(), byRowID))
      std::sort(part.rows.begin(), part.rows.end(), byRowID);
    Describe(part);
  }
  return index;
}

}  // namespace qzdbs::find
