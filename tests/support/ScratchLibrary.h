// Part libraries made for a test from SQL text, in a scratch folder that goes
// away with the object.
#pragma once

#include <filesystem>
#include <string>

namespace qzdbs::test {

// A fresh, empty folder under the system's temporary folder, removed (with
// everything in it) on destruction.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder with its trailing separator, as block folders are given.
  std::string Folder() const { return path_.string() + "/"; }

 private:
  std::filesystem::path path_;
};

// The text of a file; throws when it cannot be read.
std::string ReadText(const std::filesystem::path& file);

// While it lives, files of this process (and of the programs it starts) take
// no more than `bytes`: writes beyond fail as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(unsigned long bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  unsigned long before_;
};

// library/schema.sql: every table of a library, with its indexes.
std::string SchemaSql();
// tests/data/libraries/sample-library.sql: three real parts using every entity type.
std::string SampleLibrarySql();

// A library built from SQL (any number of statements) in its own scratch folder; throws
// std::runtime_error with SQLite's message when a statement fails.
class ScratchLibrary {
 public:
  explicit ScratchLibrary(const std::string& sql, const std::string& fileName = "library.db");

  const std::filesystem::path& File() const { return file_; }
  std::string Path() const { return file_.string(); }
  std::string Folder() const { return dir_.Folder(); }
  const ScratchDir& Dir() const { return dir_; }
  // The library's connection string, built as the selection dialog builds it.
  std::string ConnectionString() const;

 private:
  ScratchDir dir_;
  std::filesystem::path file_;
};

}  // namespace qzdbs::test
