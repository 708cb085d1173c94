// Case files for table-driven runners.
#include "support/CaseFile.h"

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "support/TestPaths.h"

namespace qzdbs::test {

std::vector<CaseFileCase> ReadCaseFile(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<CaseFileCase> cases;
  std::vector<std::string> setup;
  bool expecting = false;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (line == "setup" || line.starts_with("case ")) {
      if (!cases.empty() && cases.back().name == "setup") {
        setup = cases.back().input;
        cases.pop_back();
      }
      cases.push_back({line == "setup" ? line : line.substr(5), setup, {}, {}});
      expecting = false;
    } else if (cases.empty()) {
      cases.push_back({"line outside a case: " + line, {}, {}, {}});
    } else if (line.starts_with("=> ")) {
      expecting = true;
      cases.back().expected.push_back(line.substr(3));
    } else {
      (expecting ? cases.back().expected : cases.back().input).push_back(line);
    }
  }
  return cases;
}

std::vector<std::filesystem::path> CaseFiles(const std::string& folder, const std::string& ext) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(TestDataDir() / folder))
    if (entry.path().extension() == ext) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

CaseBless::CaseBless(const std::filesystem::path& file) {
  if (std::getenv("QZDBS_BLESS")) out_.open(file.string() + ".actual");
}

void CaseBless::Write(const CaseFileCase& c, const std::vector<std::string>& actual) {
  if (!out_.is_open()) return;
  out_ << "\ncase " << c.name << "\n";
  for (const std::string& line : c.input)
    out_ << line << "\n";
  for (size_t i = 0; i < actual.size(); ++i)
    out_ << (i == 0 ? "=> " : "") << actual[i] << "\n";
}

size_t ExpectEveryCase(const std::string& folder, const std::string& ext,
                       const std::function<std::vector<std::string>(const CaseFileCase&)>& run) {
  size_t count = 0;
  for (const auto& file : CaseFiles(folder, ext)) {
    CaseBless bless(file);
    for (const CaseFileCase& c : ReadCaseFile(file)) {
      SCOPED_TRACE(file.filename().string() + ": " + c.name);
      const std::vector<std::string> actual = run(c);
      EXPECT_EQ(actual, c.expected);
      bless.Write(c, actual);
      ++count;
    }
  }
  return count;
}

}  // namespace qzdbs::test
