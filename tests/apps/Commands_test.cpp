// Every command line of qzdbs in tests/data/apps/*.cases, run by one runner;
// the case file's head says what its lines mean.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <regex>
#include <sstream>

#include "Program.h"
#include "support/CaseFile.h"
#include "support/Ezdxf.h"
#include "support/ScratchLibrary.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

class CommandCase {
 public:
  void Input(const std::string& line) {
    const auto [kind, rest] = Split(line);
    if (kind == "sample" || kind == "sql" || kind == "sql-file") {
      library_ = std::make_unique<ScratchLibrary>(
          kind == "sample" ? SampleLibrarySql() + rest
          : kind == "sql"  ? rest
                           : SchemaSql() + ReadText(TestDataDir() / "libraries" / rest));
    } else if (kind == "write") {
      const auto [file, text] = Split(rest);
      std::ofstream(Expand(file)) << Expand(text);
    } else if (kind == "env") {
      const std::string value = Expand(rest);
      env_.emplace_back(value.substr(0, value.find('=')), value.substr(value.find('=') + 1));
    } else if (kind == "mkdir") {
      fs::create_directories(Expand(rest));
    } else if (kind == "copy") {
      const auto words = Words(rest);
      fs::copy_file(words.at(0), words.at(1), fs::copy_options::overwrite_existing);
    } else if (kind == "limit") {
      limit_ = std::stoul(rest);
    } else if (kind == "run") {
      std::optional<FileSizeLimit> limit;
      if (limit_) limit.emplace(limit_);
      run_ = RunQzdbs(Words(rest), env_);
    } else {
      ADD_FAILURE() << "unknown input: " << line;
    }
  }

  void Expect(const std::string& line) {
    SCOPED_TRACE(line);
    const auto [kind, rest] = Split(line);
    const auto words = Words(rest);
    const auto arg = [&](size_t i) { return words.at(i); };
    const auto tail = [&](size_t skip) {  // the rest of the line after `skip` words
      std::string text = rest;
      for (size_t i = 0; i < skip; ++i) {
        const size_t end = text.starts_with('"') ? text.find('"', 1) + 1 : text.find(' ');
        text = end >= text.size() ? "" : text.substr(end + 1);
      }
      return Expand(text);
    };
    if (kind == "status") {
      EXPECT_EQ(run_.status, std::stoi(rest)) << run_.err;
    } else if (kind == "out" || kind == "err") {
      const std::string& text = kind == "out" ? run_.out : run_.err;
      EXPECT_NE(text.find(Unescape(Expand(rest))), std::string::npos) << text;
    } else if (kind == "quiet") {
      EXPECT_EQ(run_.out, "");
    } else if (kind == "exists" || kind == "absent") {
      EXPECT_EQ(fs::exists(arg(0)), kind == "exists");
    } else if (kind == "empty" || kind == "filled") {
      EXPECT_EQ(fs::is_empty(arg(0)), kind == "empty");
    } else if (kind == "same") {
      EXPECT_EQ(ReadText(arg(0)), ReadText(arg(1)));
    } else if (kind == "starts" || kind == "holds") {
      const std::string text = ReadText(arg(0)), part = Unescape(tail(1));
      EXPECT_TRUE(kind == "starts" ? text.starts_with(part) : text.find(part) != std::string::npos)
          << text.substr(0, 200);
    } else if (kind == "no-temp") {
      for (const auto& entry : fs::directory_iterator(arg(0))) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name.find(".tmp-") == std::string::npos && !name.starts_with("qzdbs-")) << name;
      }
    } else {
      const json whole = Json(arg(0)), &at = whole.at(json::json_pointer(arg(1)));
      if (kind == "json") {
        EXPECT_EQ(at, json::parse(tail(2)));
      } else if (kind == "size") {
        EXPECT_EQ(at.size(), std::stoul(arg(2)));
      } else if (kind == "least") {
        EXPECT_GE(at.is_number() ? at.get<double>() : at.size(), std::stod(arg(2)));
      } else if (kind == "set") {
        json last;
        for (const auto& event : at)
          if (event["op"] == "set" && event["member"] == arg(2)) last = event["value"];
        EXPECT_EQ(last, json::parse(tail(3)));
      } else if (kind == "prefix") {
        EXPECT_TRUE(at.get<std::string>().starts_with(tail(2))) << at;
      } else if (kind == "keys") {
        ASSERT_FALSE(at.empty());
        for (const auto& [key, value] : at.items())
          EXPECT_TRUE(std::regex_match(key, std::regex(arg(2))) && value.is_string()) << key;
      } else {
        ADD_FAILURE() << "unknown expectation";
      }
    }
  }

 private:
  static std::pair<std::string, std::string> Split(const std::string& line) {
    const size_t space = line.find(' ');
    if (space == std::string::npos) return {line, ""};
    return {line.substr(0, space), line.substr(space + 1)};
  }
  std::string Expand(std::string text) const {
    const std::pair<std::string, std::string> names[] = {
        {"@/", dir_.Folder()},
        {"@dotlib",
         library_ ? (library_->Dir().Path() / "." / library_->File().filename()).string() : ""},
        {"@lib", library_ ? library_->Path() : "(no library)"},
        {"@relsample", fs::relative(SampleLibraryPath()).string()},
        {"@sample", fs::weakly_canonical(SampleLibraryPath()).string()}};
    for (const auto& [name, value] : names)
      for (size_t at; (at = text.find(name)) != std::string::npos;)
        text.replace(at, name.size(), value);
    return text;
  }
  static std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\\' || i + 1 == text.size()) {
        out += text[i];
      } else if (text[i + 1] == 'n' || text[i + 1] == 'r') {
        out += text[i + 1] == 'n' ? '\n' : '\r', ++i;
      } else if (text[i + 1] == 'x') {
        out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16)), i += 3;
      } else {
        out += text[i];
      }
    }
    return out;
  }
  // The words of a line, "..." holding spaces, each expanded.
  std::vector<std::string> Words(const std::string& line) const {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> std::ws && !in.eof();) {
      if (in.peek() == '"') {
        in.get();
        std::getline(in, word, '"');
      } else {
        in >> word;
      }
      words.push_back(Expand(word));
    }
    return words;
  }
  json Json(const std::string& source) const {
    if (source == "-") return json::parse(run_.out);
    if (source.starts_with("dxf:")) return InspectWithEzdxf(source.substr(4));
    return json::parse(ReadText(source));
  }

  ScratchDir dir_;
  std::unique_ptr<ScratchLibrary> library_;
  std::vector<std::pair<std::string, std::string>> env_;
  unsigned long limit_ = 0;
  ProgramRun run_;
};

TEST(Commands, EveryCaseOfTheCaseFiles) {
  size_t count = 0;
  for (const auto& file : CaseFiles("apps", ".cases")) {
    for (const auto& c : ReadCaseFile(file)) {
      SCOPED_TRACE(file.filename().string() + ": " + c.name);
      CommandCase run;
      try {
        for (const auto& line : c.setup)
          run.Input(line);
        for (const auto& line : c.input)
          run.Input(line);
        ASSERT_FALSE(c.expected.empty());
        for (const auto& line : c.expected)
          run.Expect(line);
      } catch (const std::exception& failure) {
        ADD_FAILURE() << failure.what();
      }
      ++count;
    }
  }
  EXPECT_GE(count, 60u);
}

}  // namespace
}  // namespace qzdbs::test
