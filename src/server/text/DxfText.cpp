// Texts and names in DXF files: \U+XXXX escapes and the GBK code page.
#include "server/text/DxfText.h"

#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "base/Utf8.h"

namespace qzdbs::server {

namespace {

std::string Escape(char32_t c) {
  std::string out;
  if (c <= 0xFFFF) {
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
  return out;
}

// One character in GBK, or empty when GBK has none for it.
std::string Gbk(char32_t c) {
  struct Closer {
    void operator()(iconv_t* cd) const {
      iconv_close(*cd);
      delete cd;
    }
  };
  static thread_local std::unique_ptr<iconv_t, Closer> converter = [] {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    return std::unique_ptr<iconv_t, Closer>(cd == reinterpret_cast<iconv_t>(-1) ? nullptr
                                                                                : new iconv_t(cd));
  }();
  if (!converter) return {};
  std::string in = EncodeUtf8(c);
  char out[8];
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out;
  size_t outLeft = sizeof out;
  iconv(*converter, nullptr, nullptr, nullptr, nullptr);
  if (iconv(*converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return {};
  return std::string(out, static_cast<size_t>(outPtr - out));
}

}  // namespace

std::string EncodeDxfText(std::string_view utf8) {
  std::string out;
  for (char32_t c : DecodeCodePoints(utf8))
    out += c < 0x80 ? std::string(1, static_cast<char>(c)) : Escape(c);
  return out;
}

std::string DxfName(const std::string& name) {
  std::string out;
  for (char c : name) {
    out += std::string("<>/\\\":;?*|=`").find(c) == std::string::npos ? c : '_';
  }
  return out.empty() ? "_" : out;
}

std::string DxfTag(const std::string& tag) {
  std::string out = DxfName(tag);
  for (char& c : out) {
    if (c == ' ') c = '_';
  }
  return out;
}

std::string DxfNameAsRead(const std::string& name, bool tag) {
  std::string out;
  for (char32_t c : DecodeCodePoints(tag ? DxfTag(name) : DxfName(name)))
    out += c >= 0x80 && Gbk(c).empty() ? "_" : EncodeUtf8(c);
  return out;
}

std::string EncodeDxfName(std::string_view utf8) {
  std::string out;
  for (char32_t c : DecodeCodePoints(utf8)) {
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    // A backslash is no character of a name: what GBK lacks becomes "_".
    std::string gbk = Gbk(c);
    out += gbk.empty() ? "_" : gbk;
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
