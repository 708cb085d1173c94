#include "base/Utf8.h"

namespace qzdbs {

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

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The number of continuation bytes a lead byte announces, or -1.
int Continuations(unsigned char lead) {
  if (lead < 0x80) return 0;
  if ((lead & 0xE0) == 0xC0) return 1;
  if ((lead & 0xF0) == 0xE0) return 2;
  if ((lead & 0xF8) == 0xF0) return 3;
  return -1;
}

}  // namespace

std::vector<char32_t> DecodeCodePoints(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    auto lead = static_cast<unsigned char>(text[i]);
    int more = Continuations(lead);
    if (more == 0) {
      out.push_back(lead);
      ++i;
      continue;
    }
    if (more < 0 || i + static_cast<size_t>(more) >= text.size()) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    char32_t c = lead & (0x3F >> more);
    bool valid = true;
    for (int k = 1; k <= more; ++k) {
      auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      if ((next & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms and surrogates are not characters.
    constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (!valid || c < kMinimum[more] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    out.push_back(c);
    i += static_cast<size_t>(more) + 1;
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
