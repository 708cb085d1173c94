// UTF-8 helpers of the formula component: validation, and character counts
// and offsets (text functions and error positions count characters, not bytes).
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

// 1-based character position of a byte offset.
inline int32_t CharPosition(std::string_view text, size_t offset) {
  return static_cast<int32_t>(CharCount(text.substr(0, offset)) + 1);
}

}  // namespace qzdbs::formula
