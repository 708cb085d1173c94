// Case files: one runner reads many same-shape cases from tests/data. A case starts with
// "case NAME", holds input lines, and ends with its expected lines, the first marked "=> ".
// A "setup" block's lines go before the input of every later case of the file; '#' starts
// a comment line.
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace qzdbs::test {

struct CaseFileCase {
  std::string name;
  std::vector<std::string> setup, input, expected;
};

std::vector<CaseFileCase> ReadCaseFile(const std::filesystem::path& file);

// The files of a tests/data folder with this extension, in name order.
std::vector<std::filesystem::path> CaseFiles(const std::string& folder, const std::string& ext);

// With QZDBS_BLESS set, writes a case with its actual result to <file>.actual, so that new
// cases get their expected lines from a run that a person then checks.
class CaseBless {
 public:
  explicit CaseBless(const std::filesystem::path& file);
  void Write(const CaseFileCase& c, const std::vector<std::string>& actual);

 private:
  std::ofstream out_;
};

// Runs every case of the folder's files through run and expects its lines; blesses them when
// asked. Returns how many cases ran, for the runner's minimum.
size_t ExpectEveryCase(const std::string& folder, const std::string& ext,
                       const std::function<std::vector<std::string>(const CaseFileCase&)>& run);

}  // namespace qzdbs::test
