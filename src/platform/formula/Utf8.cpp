#include "platform/formula/Utf8.h"

namespace qzdbs::formula {

namespace {
bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}
}  // namespace

size_t FindInvalidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    size_t length = 0;
    char32_t min = 0;
    char32_t value = 0;
    if ((c & 0xE0) == 0xC0) {
      length = 2, min = 0x80, value = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      length = 3, min = 0x800, value = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      length = 4, min = 0x10000, value = c & 0x07;
    } else {
      return i;
    }
    if (i + length > text.size()) return i;
    for (size_t k = 1; k < length; ++k) {
      auto next = static_cast<unsigned char>(text[i + k]);
      if (!IsContinuation(next)) return i;
      value = (value << 6) | (next & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return i;
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

}  // namespace qzdbs::formula
