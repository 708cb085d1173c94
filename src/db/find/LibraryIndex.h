// What the search knows of one library, read in a few queries: every part of
// the catalogue with the text that names it (its name and its
// properties), the standards that text mentions, its parameters and its
// value rows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qzdbs::find {

struct IndexedParam {
  std::string name;
  bool text = false;
  bool visible = true;
  // Its value differs between rows of one size (a bolt's length), so a value
  // between rows may be typed; min and max bound what the rows offer.
  bool free = false;
  double min = 0;
  double max = 0;
};

struct IndexedCell {
  std::string shown;    // a text as stored; empty for a number (see `number`)
  std::string compact;  // of a text: lower case, no blanks, as typed text is compared
  std::optional<double> number;
};

struct IndexedRow {
  int32_t rowID = 0;
  std::vector<IndexedCell> cells;  // one per parameter
};

struct IndexedPart {
  int32_t partID = 0;
  std::string name;
  std::string haystack;                // folded, lower case: name and properties
  std::vector<std::string> standards;  // mentioned in the haystack
  std::vector<std::string> twins;      // of those, by the twin table
  std::vector<IndexedParam> params;    // in the grid's order
  std::vector<IndexedRow> rows;        // in the grid's order
  int thread = -1;                     // the parameter holding "M12", if any
  int length = -1;                     // the numeric parameter named L or l, if any
};

struct LibraryIndex {
  std::string path;
  std::vector<IndexedPart> parts;  // in the catalogue's order
};

// Reads the library at `path`; throws db::DbError naming the file when it
// cannot be opened or its tables read.
LibraryIndex ReadLibraryIndex(const std::string& path);

}  // namespace qzdbs::find
