// \U+XXXX escapes of DXF texts.
#include "server/text/DxfText.h"

#include <cstdio>
#include <cstdlib>

#include "server/text/Utf8.h"

namespace qzdbs::server {

std::string EncodeDxfText(std::string_view utf8) {
  std::string out;
  for (char32_t c : DecodeUtf8(utf8)) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c <= 0xFFFF) {
      char buffer[12];
      std::snprintf(buffer, sizeof buffer, "\\U+%04X", static_cast<unsigned>(c));
      out += buffer;
    } else {
      // Beyond the basic plane the escape takes a UTF-16 surrogate pair.
      char32_t v = c - 0x10000;
      char buffer[24];
      std::snprintf(buffer, sizeof buffer, "\\U+%04X\\U+%04X",
                    static_cast<unsigned>(0xD800 + (v >> 10)),
                    static_cast<unsigned>(0xDC00 + (v & 0x3FF)));
      out += buffer;
    }
  }
  return out;
}

namespace {

bool HexAt(std::string_view text, size_t at, char32_t& value) {
  if (at + 7 > text.size() || text[at] != '\\' || (text[at + 1] != 'U' && text[at + 1] != 'u') ||
      text[at + 2] != '+') {
    return false;
  }
  value = 0;
  for (size_t i = at + 3; i < at + 7; ++i) {
    char h = text[i];
    int digit = h >= '0' && h <= '9'   ? h - '0'
                : h >= 'a' && h <= 'f' ? h - 'a' + 10
                : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                       : -1;
    if (digit < 0) return false;
    value = value * 16 + static_cast<char32_t>(digit);
  }
  return true;
}

}  // namespace

std::string DecodeDxfText(std::string_view dxf) {
  std::string out;
  for (size_t i = 0; i < dxf.size();) {
    char32_t c = 0;
    if (HexAt(dxf, i, c)) {
      char32_t low = 0;
      if (c >= 0xD800 && c <= 0xDBFF && HexAt(dxf, i + 7, low) && low >= 0xDC00 && low <= 0xDFFF) {
        out += EncodeUtf8(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        i += 14;
        continue;
      }
      out += EncodeUtf8(c);
      i += 7;
      continue;
    }
    out += dxf[i];
    ++i;
  }
  return out;
}

}  // namespace qzdbs::server
