// The twin table: each GB/T standard with the ISO or DIN standard of the same
// product, from the project's table of GB equivalents (general standards such
// as thread profiles and tolerances left out: they name no part).
#include "db/find/StandardTwins.h"

#include <algorithm>
#include <utility>

#include "db/find/SearchText.h"

namespace qzdbs::find {

namespace {

constexpr std::pair<const char*, const char*> kTwins[] = {
    {"GB/T 5780", "ISO 4016"},    {"GB/T 5781", "ISO 4018"},    {"GB/T 5782", "ISO 4014"},
    {"GB/T 5783", "ISO 4017"},    {"GB/T 5785", "ISO 8765"},    {"GB/T 5786", "ISO 8676"},
    {"GB/T 5782", "DIN 931"},     {"GB/T 5783", "DIN 933"},     {"GB/T 70.1", "ISO 4762"},
    {"GB/T 70.2", "ISO 7380-1"},  {"GB/T 70.3", "ISO 10642"},   {"GB/T 70.4", "ISO 7380-2"},
    {"GB/T 2671.2", "ISO 14579"}, {"GB/T 2671.1", "ISO 14580"}, {"GB/T 2672", "ISO 14583"},
    {"GB/T 2674", "ISO 14584"},   {"GB/T 77", "ISO 4026"},      {"GB/T 78", "ISO 4027"},
    {"GB/T 79", "ISO 4028"},      {"GB/T 80", "ISO 4029"},      {"GB/T 73", "ISO 4766"},
    {"GB/T 71", "ISO 7434"},      {"GB/T 74", "ISO 7436"},      {"GB/T 75", "ISO 7435"},
    {"GB/T 65", "ISO 1207"},      {"GB/T 67", "ISO 1580"},      {"GB/T 68", "ISO 2009"},
    {"GB/T 69", "ISO 2010"},      {"GB/T 818", "ISO 7045"},     {"GB/T 819.1", "ISO 7046-1"},
    {"GB/T 820", "ISO 7047"},     {"GB/T 822", "ISO 7048"},     {"GB/T 6170", "ISO 4032"},
    {"GB/T 6175", "ISO 4033"},    {"GB/T 41", "ISO 4034"},      {"GB/T 6172.1", "ISO 4035"},
    {"GB/T 6174", "ISO 4036"},    {"GB/T 6171", "ISO 8673"},    {"GB/T 6176", "ISO 8674"},
    {"GB/T 889.1", "ISO 7040"},   {"GB/T 889.2", "ISO 10512"},  {"GB/T 6177.1", "ISO 4161"},
    {"GB/T 6170", "DIN 934"},     {"GB/T 6178", "DIN 935"},     {"GB/T 923", "DIN 1587"},
    {"GB/T 97.1", "ISO 7089"},    {"GB/T 97.2", "ISO 7090"},    {"GB/T 95", "ISO 7091"},
    {"GB/T 848", "ISO 7092"},     {"GB/T 96.1", "ISO 7093-1"},  {"GB/T 5287", "ISO 7094"},
    {"GB/T 119.1", "ISO 2338"},   {"GB/T 119.2", "ISO 8734"},   {"GB/T 117", "ISO 2339"},
    {"GB/T 120.2", "ISO 8735"},   {"GB/T 879.1", "ISO 8752"},   {"GB/T 91", "ISO 1234"},
    {"GB/T 882", "ISO 2341"},     {"GB/T 894", "DIN 471"},      {"GB/T 893", "DIN 472"},
    {"GB/T 896", "DIN 6799"},     {"GB/T 1096", "DIN 6885-1"},  {"GB/T 1095", "DIN 6885-1"},
    {"GB/T 1099.1", "DIN 6888"},  {"GB/T 276", "DIN 625-1"},    {"GB/T 273.3", "ISO 15"},
    {"GB/T 301", "DIN 711"},      {"GB/T 273.2", "ISO 104"},    {"GB/T 283", "DIN 5412-1"},
    {"GB/T 20056", "ISO 3030"},   {"GB/T 9119", "EN 1092-1"},   {"GB/T 9123", "EN 1092-1"},
    {"GB/T 706", "DIN 1025-5"},   {"GB/T 706", "DIN 1026-1"},
};

std::string KeyOf(const char* spelling) {
  auto found = FindStandards(LowerAscii(spelling));
  return found.empty() ? std::string() : found.front().key;
}

// The table as keys, read once.
const std::vector<std::pair<std::string, std::string>>& TwinKeys() {
  static const auto keys = [] {
    std::vector<std::pair<std::string, std::string>> read;
    for (const auto& [gb, other] : kTwins)
      read.emplace_back(KeyOf(gb), KeyOf(other));
    return read;
  }();
  return keys;
}

}  // namespace

std::vector<std::string> TwinsOf(const std::string& key) {
  std::vector<std::string> reached{key};
  // A GB standard with both an ISO and a DIN twin joins them, so the table
  // is walked until nothing new is reached.
  for (size_t next = 0; next < reached.size(); ++next) {
    for (const auto& [a, b] : TwinKeys()) {
      const std::string* twin = a == reached[next] ? &b : b == reached[next] ? &a : nullptr;
      if (twin && std::find(reached.begin(), reached.end(), *twin) == reached.end())
        reached.push_back(*twin);
    }
  }
  reached.erase(reached.begin());
  return reached;
}

}  // namespace qzdbs::find
