// UTF-8 text: validation, character counts and offsets (text functions and
// error positions count characters, not bytes), code points for the drawing
// server (the DXF writer escapes them, the text metrics tell wide glyphs from
// narrow ones), and ASCII case folding for keywords and names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qzdbs {

inline constexpr size_t kValidUtf8 = static_cast<size_t>(-1);

// The byte offset of the first byte that does not belong to a well-formed
// sequence (overlong forms, surrogates and values past U+10FFFF included), or
// kValidUtf8.
size_t FindInvalidUtf8(std::string_view text);

// The code point that starts at `offset` of valid UTF-8, and its length.
char32_t DecodeUtf8(std::string_view text, size_t offset, size_t& length);

// Characters are counted by their lead bytes, so these never fail, even on
// text that is not valid UTF-8 (such as a value handed in by a caller).
size_t CharCount(std::string_view text);
size_t CharOffset(std::string_view text, size_t chars);  // clamped to the size

inline char FoldAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// True when `text` equals `lower` (all lower case) in any ASCII letter case.
inline bool EqualsFolded(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (FoldAscii(text[i]) != lower[i]) return false;
  }
  return true;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// 1-based character position of a byte offset.
inline int32_t CharPosition(std::string_view text, size_t offset) {
  return static_cast<int32_t>(CharCount(text.substr(0, offset)) + 1);
}

// Malformed bytes come out as U+FFFD, one per byte, so nothing is lost silently.
std::vector<char32_t> DecodeCodePoints(std::string_view text);
std::string EncodeUtf8(char32_t codePoint);

// Ideographs, kana, hangul, full-width forms: glyphs one em wide.
bool IsWideCodePoint(char32_t c);

}  // namespace qzdbs
