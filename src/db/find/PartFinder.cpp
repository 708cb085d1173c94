// Scoring parts and their rows against a query. A part earns points for the
// standards and words its text holds; its best row for the sizes asked for.
#include "db/find/PartFinder.h"

#include <algorithm>
#include <cmath>

#include "base/NumberText.h"
#include "base/Utf8.h"
#include "db/find/Query.h"
#include "db/find/SearchText.h"
#include "db/find/Synonyms.h"

namespace qzdbs::find {

namespace {

// The weights order the kinds of evidence: the standard named exactly, then
// an exact designation, then its twin, then a size, then words.
constexpr double kStandard = 100;
constexpr double kTwin = 80;
constexpr double kCode = 80;
constexpr double kCodeBase = 70;
constexpr double kThread = 60;
constexpr double kStandardSeries = 50;
constexpr double kNumberAsStandard = 50;
constexpr double kThreadNominal = 40;
constexpr double kNumber = 40;
constexpr double kAssignment = 40;
constexpr double kLength = 30;
constexpr double kWord = 30;
constexpr double kTyped = 20;
// A value of the part's first column names its size ("d=20" of a pin sized by
// d) more than a value of a column derived from the size (a bolt's d).
constexpr double kSizeColumn = 10;

bool Same(double a, double b) {
  return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(a));
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

double StandardScore(const IndexedPart& part, const std::string& wanted) {
  double best = 0;
  for (const auto& standard : part.standards) {
    if (standard == wanted) return kStandard;
    // "GB/T 70" asks for the series 70.1, 70.2, ...
    if (StartsWith(standard, wanted) &&
        (standard[wanted.size()] == '.' || standard[wanted.size()] == '-'))
      best = std::max(best, kStandardSeries);
  }
  if (std::find(part.twins.begin(), part.twins.end(), wanted) != part.twins.end())
    best = std::max(best, kTwin);
  return best;
}

// Chinese runs that are not found whole earn the share of their character
// pairs found ("六角螺栓" in "六角头螺栓").
double PairShare(const std::string& haystack, const std::string& word) {
  std::vector<char32_t> chars = DecodeCodePoints(word);
  if (chars.size() < 3) return 0;
  size_t found = 0;
  for (size_t i = 0; i + 1 < chars.size(); ++i)
    if (haystack.find(EncodeUtf8(chars[i]) + EncodeUtf8(chars[i + 1])) != std::string::npos)
      ++found;
  double share = static_cast<double>(found) / static_cast<double>(chars.size() - 1);
  return share >= 0.5 ? share : 0;
}

double WordScore(const IndexedPart& part, const std::string& word) {
  const std::string& text = part.haystack;
  if (text.find(word) != std::string::npos) return kWord;
  if (static_cast<unsigned char>(word[0]) >= 0x80) return kWord * PairShare(text, word);
  std::string singular =
      word.size() > 3 && word.back() == 's' ? word.substr(0, word.size() - 1) : word;
  if (singular != word && text.find(singular) != std::string::npos) return kWord;
  for (auto term : ChineseTermsOf(singular))
    if (text.find(term) != std::string::npos) return kWord;
  return 0;
}

struct RowScore {
  double score = 0;
  double distance = 0;  // how far typed values lie from the row's own
  std::vector<std::pair<std::string, std::string>> set;
};

// A numeric value asked for: the row's own earns `exact`; a value between the
// part's rows may be typed into a parameter that varies within a size.
void ScoreValue(const IndexedPart& part, const IndexedRow& row, size_t p, double wanted,
                double exact, RowScore& result) {
  const IndexedParam& param = part.params[p];
  const auto& have = row.cells[p].number;
  if (have && Same(*have, wanted)) {
    result.score += exact;
  } else if (have && param.free && wanted >= param.min && wanted <= param.max) {
    result.score += kTyped;
    result.distance += std::abs(*have - wanted) / (param.max - param.min);
    result.set.emplace_back(param.name, FormatNumber(wanted));
  }
}

// Only a part with a thread column has thread sizes: a pin of d 12 is no M12.
double ThreadScore(const IndexedPart& part, const IndexedRow& row, const ThreadSize& thread) {
  if (part.thread < 0) return 0;
  const std::string& have = row.cells[static_cast<size_t>(part.thread)].compact;
  std::string wanted = thread.pitch.empty() ? thread.nominal : thread.nominal + "x" + thread.pitch;
  if (have == wanted) return kThread;
  if (have == thread.nominal || StartsWith(have, thread.nominal + "x")) return kThreadNominal;
  return 0;
}

std::string CodeBase(const std::string& code) {
  size_t end = code.find('-');
  if (end == std::string::npos) {
    end = code.size();
    while (end > 0 && std::isalpha(static_cast<unsigned char>(code[end - 1])))
      --end;
  }
  return code.substr(0, end);
}

double CodeScore(const IndexedPart& part, const IndexedRow& row, const std::string& code) {
  std::string base = CodeBase(code);
  double best = 0;
  for (size_t p = 0; p < part.params.size(); ++p) {
    if (!part.params[p].text) continue;
    const std::string& have = row.cells[p].compact;
    if (have == code) return kCode;
    if (!base.empty() && have == base) best = kCodeBase;
  }
  return best;
}

double NumberScore(const IndexedPart& part, const IndexedRow& row, double number) {
  std::string text = FormatNumber(number);
  for (size_t p = 0; p < part.params.size(); ++p)
    if (part.params[p].text && row.cells[p].compact == text) return kCodeBase;
  double best = 0;
  if (!row.cells.empty() && row.cells[0].number && Same(*row.cells[0].number, number))
    best = kNumber;
  for (const auto& standard : part.standards)
    if (StandardNumber(standard) == text) best = std::max(best, kNumberAsStandard);
  return best;
}

// The parameter a NAME=VALUE names: its exact name, else the only one that
// differs from it in letter case alone.
int FindParam(const IndexedPart& part, const std::string& name) {
  int folded = -1, count = 0;
  for (size_t p = 0; p < part.params.size(); ++p) {
    if (part.params[p].name == name) return static_cast<int>(p);
    if (EqualsIgnoringCase(part.params[p].name, name)) {
      folded = static_cast<int>(p);
      ++count;
    }
  }
  return count == 1 ? folded : -1;
}

RowScore ScoreRow(const IndexedPart& part, const IndexedRow& row, const Query& query) {
  RowScore result;
  if (query.thread) {
    double thread = ThreadScore(part, row, *query.thread);
    result.score += thread;
    if (thread > 0 && query.thread->length && part.length >= 0)
      ScoreValue(part, row, static_cast<size_t>(part.length), *query.thread->length, kLength,
                 result);
  }
  for (const auto& code : query.codes)
    result.score += CodeScore(part, row, code);
  for (double number : query.numbers)
    result.score += NumberScore(part, row, number);
  for (const auto& assignment : query.assignments) {
    int p = FindParam(part, assignment.name);
    if (p < 0) continue;
    const double exact = p == 0 ? kAssignment + kSizeColumn : kAssignment;
    if (auto number = ParseNumber(assignment.value); number && !part.params[p].text)
      ScoreValue(part, row, static_cast<size_t>(p), *number, exact, result);
    else if (row.cells[p].compact == LowerAscii(WithoutBlanks(FoldSearchText(assignment.value))))
      result.score += exact;
  }
  return result;
}

std::string RowText(const IndexedPart& part, const IndexedRow& row) {
  std::string text;
  for (size_t p = 0; p < part.params.size(); ++p) {
    const IndexedCell& cell = row.cells[p];
    std::string shown = cell.shown.empty() && cell.number ? FormatNumber(*cell.number) : cell.shown;
    if (!part.params[p].visible || shown.empty()) continue;
    if (!text.empty()) text += ' ';
    text += part.params[p].name + "=" + shown;
  }
  return text;
}

// The part's score and best row; no hit when the query names standards and
// the part is none of them.
std::optional<Hit> Score(const LibraryIndex& library, const IndexedPart& part, const Query& query) {
  double score = 0;
  for (const auto& standard : query.standards) {
    score += StandardScore(part, standard);
  }
  if (!query.standards.empty() && score == 0) return std::nullopt;
  for (const auto& word : query.words)
    score += WordScore(part, word);

  const IndexedRow* best = part.rows.empty() ? nullptr : &part.rows.front();
  RowScore bestScore;
  for (const auto& row : part.rows) {
    RowScore candidate = ScoreRow(part, row, query);
    if (candidate.score > bestScore.score ||
        (candidate.score == bestScore.score && candidate.distance < bestScore.distance)) {
      bestScore = std::move(candidate);
      best = &row;
    }
  }
  score += bestScore.score - bestScore.distance;
  if (score <= 0) return std::nullopt;
  Hit hit{library.path, part.partID, part.name, 0, {}, score, {}};
  if (best) {
    hit.row = best->rowID;
    hit.set = bestScore.set;
    hit.rowText = RowText(part, *best);
  }
  return hit;
}

}  // namespace

std::vector<Hit> PartFinder::Find(std::string_view typed, size_t limit) const {
  Query query = ParseQuery(typed);
  std::vector<Hit> hits;
  if (query.Empty()) return hits;
  for (const auto& library : libraries_)
    for (const auto& part : library.parts)
      if (auto hit = Score(library, part, query)) hits.push_back(std::move(*hit));
  std::stable_sort(hits.begin(), hits.end(),
                   [](const Hit& a, const Hit& b) { return a.score > b.score; });
  if (hits.size() > limit) hits.resize(limit);
  return hits;
}

}  // namespace qzdbs::find
