// Lifting compared numbers out of a query text.
#include "db/recordset/SqlLiterals.h"

#include <charconv>

namespace qzdbs::db {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsWordChar(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '.' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// The end of the quoted or bracketed stretch that starts at `at`.
size_t SkipQuoted(const std::string& sql, size_t at) {
  const char close = sql[at] == '[' ? ']' : sql[at];
  size_t end = sql.find(close, at + 1);
  // A doubled quote inside a quoted text stands for the quote itself.
  while (close != ']' && end != std::string::npos && end + 1 < sql.size() && sql[end + 1] == close)
    end = sql.find(close, end + 2);
  return end == std::string::npos ? sql.size() : end + 1;
}

}  // namespace

LiftedQuery LiftComparedNumbers(const std::string& sql) {
  LiftedQuery lifted;
  lifted.text.reserve(sql.size());
  size_t at = 0;
  while (at < sql.size()) {
    const char c = sql[at];
    if (c == '\'' || c == '"' || c == '[' || c == '`') {
      size_t end = SkipQuoted(sql, at);
      lifted.text.append(sql, at, end - at);
      at = end;
      continue;
    }
    lifted.text.push_back(c);
    ++at;
    if (c != '=') continue;

    size_t start = at;
    while (start < sql.size() && sql[start] == ' ')
      ++start;
    size_t digits = start < sql.size() && sql[start] == '-' ? start + 1 : start;
    size_t end = digits;
    while (end < sql.size() && IsDigit(sql[end]))
      ++end;
    if (end == digits || (end < sql.size() && IsWordChar(sql[end]))) continue;
    int64_t value = 0;
    if (std::from_chars(sql.data() + start, sql.data() + end, value).ec != std::errc{}) continue;
    lifted.text.append(sql, at, start - at);
    lifted.text.push_back('?');
    lifted.values.push_back(value);
    at = end;
  }
  return lifted;
}

}  // namespace qzdbs::db
