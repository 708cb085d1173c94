// Finding parts by what a user types: a standard number in any usual spelling
// (its GB, ISO and DIN twins included), a size or designation ("M12x60",
// "6204-2RS", "d=20"), names in Chinese or English. Each hit names the part,
// the value row to open and the values to type into it when the size asked
// for lies between rows (a bolt length of 65 between rows of 60 and 70).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "db/find/LibraryIndex.h"

namespace qzdbs::find {

struct Hit {
  std::string library;  // the library file
  int32_t partID = 0;
  std::string part;                                      // the name the catalogue shows
  int32_t row = 0;                                       // RowID of the value row to open
  std::vector<std::pair<std::string, std::string>> set;  // parameter, value to type
  double score = 0;
  std::string rowText;  // the row's visible values, "Thread=M12 L=60"
};

class PartFinder {
 public:
  // Reads a library; throws db::DbError naming the file when it cannot.
  void AddLibrary(const std::string& path) { AddLibrary(ReadLibraryIndex(path)); }
  void AddLibrary(LibraryIndex index) { libraries_.push_back(std::move(index)); }

  // The best `limit` hits, best first; parts that match equally keep the
  // catalogue's order. Nothing for text that asks for nothing.
  std::vector<Hit> Find(std::string_view typed, size_t limit = 20) const;

  const std::vector<LibraryIndex>& Libraries() const { return libraries_; }

 private:
  std::vector<LibraryIndex> libraries_;
};

}  // namespace qzdbs::find
