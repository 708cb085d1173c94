// Taking a typed search apart.
#include "db/find/Query.h"

#include <regex>

#include "base/NumberText.h"
#include "db/find/SearchText.h"

namespace qzdbs::find {

namespace {

// Blanks inside a size are dropped ("M12 x 60", "d = 20", "DN 50"), and a
// Chinese run is cut from the Latin text beside it ("轴承6205").
std::string Compact(std::string text) {
  static const std::regex kAroundEquals(R"(\s*=\s*)");
  static const std::regex kAroundTimes(R"((\d)\s*[xX]\s*(\d))");
  static const std::regex kPrefixed(R"(\b([mM]|[dD][nN]|[pP][nN])\s+(\d))");
  std::string spaced;
  for (size_t i = 0; i < text.size(); ++i) {
    bool wide = static_cast<unsigned char>(text[i]) >= 0x80;
    if (i > 0 && wide != (static_cast<unsigned char>(text[i - 1]) >= 0x80)) spaced += ' ';
    spaced += text[i];
  }
  spaced = std::regex_replace(spaced, kAroundEquals, "=");
  spaced = std::regex_replace(spaced, kAroundTimes, "$1x$2");
  return std::regex_replace(spaced, kPrefixed, "$1$2");
}

std::vector<std::string> Tokens(const std::string& text) {
  std::vector<std::string> tokens;
  std::string token;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == ',' || c == ';' || c == '(' || c == ')' || c == '[' ||
        c == ']') {
      if (!token.empty()) tokens.push_back(std::move(token));
      token.clear();
    } else {
      token += c;
    }
  }
  if (!token.empty()) tokens.push_back(std::move(token));
  return tokens;
}

bool HasDigit(const std::string& token) {
  return token.find_first_of("0123456789") != std::string::npos;
}

void Classify(const std::string& token, Query& query) {
  static const std::regex kAssignment(R"(([A-Za-z][A-Za-z0-9_.]*)=(.+))");
  static const std::regex kThread(R"(m(\d+(?:\.\d+)?)(?:x(\d+(?:\.\d+)?))?(?:x(\d+(?:\.\d+)?))?)");
  std::smatch match;
  if (std::regex_match(token, match, kAssignment)) {
    query.assignments.push_back({match[1], match[2]});
    return;
  }
  std::string lower = LowerAscii(token);
  if (!query.thread && std::regex_match(lower, match, kThread)) {
    ThreadSize thread{"m" + match[1].str(), {}, {}};
    // A second number below 4 is a pitch (M12x1.5), above it a length.
    if (match[3].matched) {
      thread.pitch = match[2];
      thread.length = ParseNumber(match[3].str());
    } else if (match[2].matched) {
      double second = ParseNumber(match[2].str()).value_or(0);
      if (second < 4)
        thread.pitch = match[2];
      else
        thread.length = second;
    }
    query.thread = thread;
    return;
  }
  if (auto number = ParseNumber(lower); number && HasDigit(lower)) {
    query.numbers.push_back(*number);
    return;
  }
  if (HasDigit(lower)) {
    query.codes.push_back(lower);
    return;
  }
  // Single Latin letters and stray signs say nothing.
  if (static_cast<unsigned char>(lower[0]) >= 0x80 || lower.size() >= 2)
    query.words.push_back(lower);
}

}  // namespace

Query ParseQuery(std::string_view typed) {
  Query query;
  std::string folded = FoldSearchText(typed);
  std::string lower = LowerAscii(folded);
  for (const auto& mention : FindStandards(lower)) {
    query.standards.push_back(mention.key);
    folded.replace(mention.begin, mention.end - mention.begin, mention.end - mention.begin, ' ');
  }
  for (const auto& token : Tokens(Compact(folded)))
    Classify(token, query);
  return query;
}

}  // namespace qzdbs::find
