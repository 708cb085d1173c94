// Folding typed text and reading standard numbers out of it.
#include "db/find/SearchText.h"

#include <algorithm>
#include <array>

#include "base/Utf8.h"

namespace qzdbs::find {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

size_t Digits(std::string_view text, size_t at) {
  size_t end = at;
  while (end < text.size() && IsDigit(text[end]))
    ++end;
  return end - at;
}

struct Family {
  std::string_view spelling;
  std::string_view key;
};

// Longer spellings first, so that "gb/t" is not read as "gb" and a "/t".
constexpr std::array kFamilies = {Family{"gb/t", "gb"}, Family{"gb/z", "gb"}, Family{"jb/t", "jb"},
                                  Family{"gb", "gb"},   Family{"iso", "iso"}, Family{"din", "din"},
                                  Family{"en", "en"}};

}  // namespace

std::string FoldSearchText(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  // Most of a library's values are plain ASCII: no decoding for them.
  if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
    for (char c : text)
      folded += c == '*' ? 'x' : c;
    return folded;
  }
  for (char32_t c : DecodeCodePoints(text)) {
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // full-width ASCII
    if (c == 0x3000) c = ' ';
    if (c == 0xD7 || c == 0x2715 || c == 0x2716 || c == '*') c = 'x';
    if (c == 0x2010 || c == 0x2011 || c == 0x2012 || c == 0x2013 || c == 0x2014 || c == 0x2212)
      c = '-';
    folded += EncodeUtf8(c);
  }
  return folded;
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    c = FoldAscii(c);
  return lower;
}

std::string WithoutBlanks(std::string_view text) {
  std::string compact;
  for (char c : text)
    if (c != ' ' && c != '\t') compact += c;
  return compact;
}

std::vector<StandardMention> FindStandards(std::string_view lower) {
  std::vector<StandardMention> found;
  for (size_t at = 0; at < lower.size(); ++at) {
    if (at > 0 && IsLetter(lower[at - 1])) continue;
    for (const auto& family : kFamilies) {
      if (lower.substr(at, family.spelling.size()) != family.spelling) continue;
      size_t pos = at + family.spelling.size();
      while (pos < lower.size() && lower[pos] == ' ')
        ++pos;
      size_t digits = Digits(lower, pos);
      if (digits == 0) break;
      std::string number(lower.substr(pos, digits));
      pos += digits;
      if (pos + 1 < lower.size() && lower[pos] == '.' && IsDigit(lower[pos + 1])) {
        size_t more = Digits(lower, pos + 1);
        number += lower.substr(pos, more + 1);
        pos += more + 1;
      }
      // "-1" is a part of the standard, "-2016" or ":2016" its edition.
      while (pos + 1 < lower.size() && (lower[pos] == '-' || lower[pos] == ':')) {
        size_t more = Digits(lower, pos + 1);
        bool edition =
            more == 4 && (lower.substr(pos + 1, 2) == "19" || lower.substr(pos + 1, 2) == "20");
        if (edition) {
          pos += more + 1;
          break;
        }
        if (lower[pos] != '-' || more == 0 || more > 2) break;
        number += lower.substr(pos, more + 1);
        pos += more + 1;
      }
      found.push_back({std::string(family.key) + " " + number, at, pos});
      at = pos - 1;
      break;
    }
  }
  return found;
}

std::string_view StandardNumber(std::string_view key) {
  size_t space = key.find(' ');
  return space == std::string_view::npos ? key : key.substr(space + 1);
}

}  // namespace qzdbs::find
