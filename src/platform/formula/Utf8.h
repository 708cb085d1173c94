// Text helpers of the formula component: UTF-8 validation, character counts
// and offsets (text functions and error positions count characters, not
// bytes), and ASCII case folding for keywords and function names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qzdbs::formula {

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

}  // namespace qzdbs::formula
