// The floors of src/: every #include between top folders must be an edge that
// the README's architecture table allows, so a cycle cannot creep back in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

namespace fs = std::filesystem;
using AllowedEdges = std::map<std::string, std::set<std::string>>;

// Rows of the form "| `src/NAME/` | ... | a, b, c |".
AllowedEdges ReadAllowedEdges(const fs::path& readme) {
  std::ifstream in(readme);
  AllowedEdges allowed;
  std::regex row(R"(^\| `src/([a-z_]+)/` \|.*\| *([a-z_, ]*) *\|\s*$)");
  std::string line;
  while (std::getline(in, line)) {
    std::smatch m;
    if (!std::regex_match(line, m, row)) continue;
    auto& targets = allowed[m[1]];
    std::stringstream list(m[2].str());
    std::string name;
    while (std::getline(list, name, ',')) {
      name.erase(0, name.find_first_not_of(' '));
      name.erase(name.find_last_not_of(' ') + 1);
      if (!name.empty()) targets.insert(name);
    }
  }
  return allowed;
}

struct Include {
  std::string file;
  std::string target;
};

std::vector<Include> IncludesBetweenFolders(const fs::path& src) {
  std::vector<Include> found;
  std::regex include(R"(^\s*#\s*include\s+"([a-z_]+)/[^"]+")");
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    auto ext = entry.path().extension();
    if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
    std::ifstream in(entry.path());
    std::string line;
    while (std::getline(in, line)) {
      std::smatch m;
      if (std::regex_search(line, m, include)) {
        found.push_back({fs::relative(entry.path(), src).string(), m[1]});
      }
    }
  }
  return found;
}

std::vector<std::string> ForbiddenEdges(const AllowedEdges& allowed,
                                        const std::vector<Include>& includes) {
  std::vector<std::string> forbidden;
  for (const auto& [file, target] : includes) {
    std::string folder = file.substr(0, file.find('/'));
    if (folder == target) continue;
    auto row = allowed.find(folder);
    if (row == allowed.end() || !row->second.count(target)) {
      forbidden.push_back(file + " includes " + target + "/");
    }
  }
  return forbidden;
}

TEST(Layering, EveryIncludeOfSrcFollowsTheReadmeTable) {
  auto allowed = ReadAllowedEdges(SourceDir() / "README.md");
  ASSERT_GE(allowed.size(), 10u) << "the README's architecture table was not found";
  auto includes = IncludesBetweenFolders(SourceDir() / "src");
  ASSERT_GT(includes.size(), 100u);
  for (const auto& folder : fs::directory_iterator(SourceDir() / "src")) {
    EXPECT_TRUE(allowed.count(folder.path().filename().string()))
        << "src/" << folder.path().filename().string() << " has no row in the README's table";
  }
  auto forbidden = ForbiddenEdges(allowed, includes);
  EXPECT_TRUE(forbidden.empty()) << ::testing::PrintToString(forbidden);
}

TEST(Layering, TheTableItselfHasNoCycle) {
  auto allowed = ReadAllowedEdges(SourceDir() / "README.md");
  // Depth-first search for a folder that reaches itself.
  std::map<std::string, int> state;  // 1 on the path, 2 done
  std::function<bool(const std::string&)> cyclic = [&](const std::string& folder) {
    if (state[folder] == 1) return true;
    if (state[folder] == 2) return false;
    state[folder] = 1;
    for (const auto& next : allowed[folder]) {
      if (cyclic(next)) return true;
    }
    state[folder] = 2;
    return false;
  };
  for (const auto& [folder, _] : AllowedEdges(allowed)) {
    EXPECT_FALSE(cyclic(folder)) << "the table lets " << folder << " reach itself";
  }
}

TEST(Layering, AForbiddenIncludeIsReported) {
  AllowedEdges allowed{{"base", {}}, {"db", {"base"}}};
  auto forbidden = ForbiddenEdges(allowed, {{"db/a.cpp", "base"}, {"base/b.h", "db"}});
  EXPECT_EQ(forbidden, std::vector<std::string>{"base/b.h includes db/"});
}

}  // namespace
}  // namespace qzdbs::test
