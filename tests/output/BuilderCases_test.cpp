// Every builder case of tests/data/builders/*.cases: library rows, computed values and the
// entity record in, the builder's result, the objects the view received event by event and
// the message boxes out. A file's "setup" block goes before each of its cases; in the expected
// part "common entity" and "common object" stand for what the shared steps set.
#include <gtest/gtest.h>

#include <sstream>

#include "BuilderHarness.h"
#include "output/BuilderTable.h"
#include "support/CaseFile.h"

namespace qzdbs::test {
namespace {

std::string Rest(std::istringstream& words) {
  std::string rest;
  std::getline(words >> std::ws, rest);
  return rest;
}

class BuilderCases : public BuilderTest {
 protected:
  // Runs one case and returns its result lines, with the shared steps' lines folded back.
  std::vector<std::string> Run(const CaseFileCase& c) {
    std::string rows;
    int32_t type = 0, id = 0, layer = kLayer;
    std::string name;
    std::vector<std::string> input = c.setup;
    input.insert(input.end(), c.input.begin(), c.input.end());
    for (const std::string& line : input) {
      std::istringstream words(line);
      std::string word;
      words >> word;
      if (word == "point") {
        int32_t point;
        double x, y, z;
        words >> point >> x >> y >> z;
        Point(point, {x, y, z});
      } else if (word == "struct") {
        int32_t number;
        std::string key;
        words >> number >> key;
        Struct(number, key, Rest(words));
      } else if (word == "sql") {
        rows += Rest(words);
      } else if (word == "draw") {
        words >> type >> id >> name;
        if (!(words >> layer)) layer = kLayer;
      } else {
        ADD_FAILURE() << "unknown input line: " << line;
      }
    }
    Library(rows);
    std::vector<std::string> out = {
        BuildEntity(type, kSequence, Entity(id, name, layer)) ? "true" : "false"};
    for (const RecordedObject& object : Objects()) {
      out.push_back("object " + object.className + " " + object.key);
      std::vector<std::string> lines = Lines(object);
      for (const auto& [macro, common] :
           {std::pair{"common entity", CommonEntityLines(id, name)},
            std::pair{"common object", CommonObjectLines(id, name)}}) {
        if (lines.size() >= common.size() &&
            std::equal(common.begin(), common.end(), lines.end() - common.size())) {
          lines.resize(lines.size() - common.size());
          lines.push_back(macro);
          break;
        }
      }
      out.insert(out.end(), lines.begin(), lines.end());
    }
    for (const MessageBoxRecord& box : Boxes()) {
      std::string text = box.text;
      for (const auto& [from, to] : {std::pair{'\r', "\\r"}, std::pair{'\n', "\\n"}}) {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
          text.replace(at, 1, to);
      }
      out.push_back("box " + std::string(IconName(box.icon)) + " " +
                    std::to_string(static_cast<int>(box.buttons)) + " " + box.title + "|" + text);
    }
    return out;
  }
};

TEST_F(BuilderCases, EveryCaseGivesItsRecording) {
  size_t count = 0;
  for (const auto& file : CaseFiles("builders", ".cases")) {
    CaseBless bless(file);
    for (const CaseFileCase& c : ReadCaseFile(file)) {
      SCOPED_TRACE(file.filename().string() + ": " + c.name);
      TearDown();
      SetUp();
      const std::vector<std::string> actual = Run(c);
      EXPECT_EQ(actual, c.expected);
      bless.Write(c, actual);
      ++count;
    }
  }
  // Every builder with its members, its failures and its flags' readings.
  EXPECT_GE(count, 100u);
}

}  // namespace
}  // namespace qzdbs::test
