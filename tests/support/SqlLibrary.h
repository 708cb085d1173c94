// A small part library made from SQL text for one test: an SQLite file in a
// scratch folder of its own, removed with the object.
#pragma once

#include <filesystem>
#include <string>

namespace qzdbs::test {

class SqlLibrary {
 public:
  // Runs the library schema (tests/data/library-schema.sql), then `rows`.
  // Throws std::runtime_error naming the SQLite error when either fails.
  explicit SqlLibrary(const std::string& rows);
  ~SqlLibrary();
  SqlLibrary(const SqlLibrary&) = delete;
  SqlLibrary& operator=(const SqlLibrary&) = delete;

  const std::filesystem::path& File() const { return file_; }
  const std::filesystem::path& Folder() const { return folder_; }
  // A connection string the engine opens the file with.
  std::string ConnectionString() const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path file_;
};

// The text of a file, whole.
std::string ReadText(const std::filesystem::path& file);

}  // namespace qzdbs::test
