#include "base/Utf8.h"

namespace qzdbs {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// The length of the well-formed sequence at `offset` with its code point, or
// 0 when the bytes there are not one (overlong forms, surrogates and values
// past U+10FFFF included).
size_t DecodeStrict(std::string_view text, size_t offset, char32_t& codePoint) {
  auto lead = static_cast<unsigned char>(text[offset]);
  size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (offset + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    auto next = static_cast<unsigned char>(text[offset + k]);
    if (!IsContinuation(next)) return 0;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
    return 0;
  return length;
}

}  // namespace

size_t FindInvalidUtf8(std::string_view text) {
  char32_t codePoint = 0;
  for (size_t i = 0; i < text.size();) {
    size_t length = DecodeStrict(text, i, codePoint);
    if (length == 0) return i;
    i += length;
  }
  return kValidUtf8;
}

char32_t DecodeUtf8(std::string_view text, size_t offset, size_t& length) {
  auto c = static_cast<unsigned char>(text[offset]);
  char32_t value = c;
  length = 1;
  if (c >= 0xF0) {
    length = 4, value = c & 0x07;
  } else if (c >= 0xE0) {
    length = 3, value = c & 0x0F;
  } else if (c >= 0xC0) {
    length = 2, value = c & 0x1F;
  }
  for (size_t k = 1; k < length && offset + k < text.size(); ++k) {
    value = (value << 6) | (static_cast<unsigned char>(text[offset + k]) & 0x3F);
  }
  return value;
}

size_t CharCount(std::string_view text) {
  size_t count = 0;
  for (char c : text) {
    if (!IsContinuation(static_cast<unsigned char>(c))) ++count;
  }
  return count;
}

size_t CharOffset(std::string_view text, size_t chars) {
  size_t offset = 0;
  while (offset < text.size()) {
    if (!IsContinuation(static_cast<unsigned char>(text[offset]))) {
      if (chars == 0) return offset;
      --chars;
    }
    ++offset;
  }
  return text.size();
}

// Malformed bytes become U+FFFD one byte at a time, so the text after them
// still decodes.
std::vector<char32_t> DecodeCodePoints(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  char32_t codePoint = 0;
  for (size_t i = 0; i < text.size();) {
    size_t length = DecodeStrict(text, i, codePoint);
    out.push_back(length ? codePoint : kReplacement);
    i += length ? length : 1;
  }
  return out;
}

std::string EncodeUtf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

bool IsWideCodePoint(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace qzdbs
