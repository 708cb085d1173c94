// Read-only access to the built sample library and to the reference CSV tables, for the tests.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace qzdbs::test {

// One cell: SQL NULL, an integer, a real or a text.
using Cell = std::variant<std::monostate, long long, double, std::string>;

struct Row {
  std::map<std::string, Cell> cells;

  bool IsNull(const std::string& column) const;
  long long Int(const std::string& column) const;
  double Real(const std::string& column) const;  // an integer cell reads as a real too
  std::string Text(const std::string& column) const;
};

class LibraryFile {
 public:
  // Opens a library read-only; throws std::runtime_error when it cannot.
  explicit LibraryFile(const std::filesystem::path& path);

  std::vector<Row> Query(const std::string& sql) const;
  // The single integer a query like "SELECT COUNT(*) ..." returns.
  long long Count(const std::string& sql) const;

 private:
  std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db_{nullptr, &sqlite3_close};
};

// The sample library built by the target sample_library.
std::filesystem::path SampleLibraryPath();
const LibraryFile& SampleLibrary();

// A CSV table with one header row; a blank cell is no value.
struct CsvTable {
  std::vector<std::string> header;
  std::vector<std::map<std::string, std::string>> rows;
};
CsvTable ReadCsv(const std::filesystem::path& path);

}  // namespace qzdbs::test
