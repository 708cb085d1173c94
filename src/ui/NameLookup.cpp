// Looking a named thing up.
#include "ui/NameLookup.h"

#include <charconv>

#include "base/OrderedMap.h"

namespace qzdbs::ui {

namespace {

std::string Listing(const std::vector<NamedItem>& items, const std::vector<size_t>& which) {
  std::string text;
  for (size_t i : which) {
    if (!text.empty()) text += ", ";
    text += "\"" + items[i].name + "\"";
    if (items[i].id) text += " (" + std::to_string(*items[i].id) + ")";
  }
  return text.empty() ? "none" : text;
}

std::vector<size_t> All(const std::vector<NamedItem>& items) {
  std::vector<size_t> all(items.size());
  for (size_t i = 0; i < items.size(); ++i)
    all[i] = i;
  return all;
}

std::optional<int32_t> AsNumber(const std::string& text) {
  int32_t number = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

}  // namespace

size_t FindNamed(const std::vector<NamedItem>& items, const std::string& query, Match match,
                 const std::string& what, const std::string& whats) {
  // Each rule is tried in turn; the first that finds anything decides.
  const std::optional<int32_t> number = AsNumber(query);
  const std::string folded = FoldCase(query);
  auto rules = {
      +[](const NamedItem& item, const std::string& q, const std::string&, std::optional<int32_t>) {
        return item.name == q;
      },
      +[](const NamedItem& item, const std::string&, const std::string&, std::optional<int32_t> n) {
        return n && item.id && *item.id == *n;
      },
      +[](const NamedItem& item, const std::string&, const std::string& f, std::optional<int32_t>) {
        return FoldCase(item.name) == f;
      },
      +[](const NamedItem& item, const std::string&, const std::string& f, std::optional<int32_t>) {
        return !f.empty() && FoldCase(item.name).find(f) != std::string::npos;
      },
  };
  size_t rule = 0;
  for (auto test : rules) {
    if (rule++ == 3 && match == Match::Whole) break;
    std::vector<size_t> found;
    for (size_t i = 0; i < items.size(); ++i) {
      if (test(items[i], query, folded, number)) found.push_back(i);
    }
    if (found.size() == 1) return found.front();
    if (found.size() > 1)
      throw LookupError("\"" + query + "\" names several " + whats + ": " + Listing(items, found));
  }
  throw LookupError("no " + what + " \"" + query + "\"; the " + whats +
                    " are: " + Listing(items, All(items)));
}

}  // namespace qzdbs::ui
