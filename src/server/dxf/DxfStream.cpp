// The escaping, buffering DXF stream.
#include "server/dxf/DxfStream.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "server/text/DxfText.h"

namespace qzdbs::server {

namespace {

// Group codes that carry names (symbol table entries, block names, tags,
// dictionary entries, group descriptions) rather than texts.
bool IsNameCode(int gc) {
  return gc == 2 || gc == 3 || gc == 6 || gc == 7 || gc == 8 || gc == 300;
}

// "%.16f" without the trailing zeros, one kept after the point ("1.0",
// "0.25", "-3.0"); what has no point (inf, nan) is left as it is. to_chars
// is exact like printf and never writes a locale's decimal comma.
std::string_view FormatReal(double value, char (&buffer)[400]) {
  // Whole numbers, most coordinates of a drawing, need none of the decimals.
  if (value == std::trunc(value) && std::fabs(value) < 1e15 && !std::signbit(value)) {
    char* end = std::to_chars(buffer, buffer + 20, static_cast<int64_t>(value)).ptr;
    *end++ = '.';
    *end++ = '0';
    return std::string_view(buffer, static_cast<size_t>(end - buffer));
  }
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 16);
  if (error != std::errc()) return "0.0";
  std::string_view text(buffer, static_cast<size_t>(end - buffer));
  const size_t dot = text.find('.');
  if (dot == std::string_view::npos) return text;
  size_t last = text.find_last_not_of('0');
  if (last < dot + 1) last = dot + 1;
  return text.substr(0, last + 1);
}

// A control character would end the value's line and make the rest group
// codes. In a name it becomes "_"; in a text the caret notation readers
// decode ("^J" for a line break).
std::string WithoutControls(int gc, std::string text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      out += c;
    } else if (IsNameCode(gc)) {
      out += '_';
    } else {
      out += '^';
      out += byte == 0x7F ? '?' : static_cast<char>(byte + 0x40);
    }
  }
  return out;
}

}  // namespace

void DxfStream::Put(int gc, std::string_view value) const {
  if (gc >= 0 && gc < 10) {
    text_ += "  ";
  } else if (gc >= 0 && gc < 100) {
    text_ += ' ';
  }
  char code[16];
  auto end = std::to_chars(code, code + sizeof code, gc).ptr;
  text_.append(code, end);
  text_ += '\n';
  text_ += value;
  text_ += '\n';
}

void DxfStream::dxfReal(int gc, double value) const {
  // The audit leaves out what is not finite; no reader takes "inf" or "nan",
  // so nothing that slipped past it may reach the file as such.
  if (!std::isfinite(value)) value = 0;
  char buffer[400];
  Put(gc, FormatReal(value, buffer));
}

void DxfStream::dxfInt(int gc, int value) const {
  char buffer[16];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  Put(gc, std::string_view(buffer, static_cast<size_t>(end - buffer)));
}

void DxfStream::dxfHex(int gc, int value) const {
  char buffer[16];
  // Upper case like the handles every reader expects; negative values as
  // their bit pattern, as dxflib writes them.
  auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<unsigned>(value), 16).ptr;
  for (char* c = buffer; c != end; ++c)
    if (*c >= 'a' && *c <= 'f') *c = static_cast<char>(*c - 'a' + 'A');
  Put(gc, std::string_view(buffer, static_cast<size_t>(end - buffer)));
}

void DxfStream::dxfString(int gc, const char* value) const {
  PutString(gc, value ? value : "");
}

void DxfStream::dxfString(int gc, const std::string& value) const {
  PutString(gc, value);
}

void DxfStream::PutString(int gc, std::string_view value) const {
  // Plain printable ASCII, nearly every string of a file, is written as it is.
  if (std::all_of(value.begin(), value.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte < 0x7F;
      })) {
    Put(gc, value);
  } else {
    Put(gc, WithoutControls(gc, IsNameCode(gc) ? EncodeDxfName(value) : EncodeDxfText(value)));
  }
  // The line type closes dxflib's entity head: visibility follows it.
  if (gc == 6 && invisibleNext_) {
    invisibleNext_ = false;
    dxfInt(60, 1);
  }
}

unsigned long DxfStream::Head(const char* type, const DxfStyle& style) const {
  Put(0, type);
  unsigned long h = handle();
  Put(100, "AcDbEntity");
  dxfString(8, style.layer);
  dxfInt(62, style.color);
  if (!style.visible) dxfInt(60, 1);
  if (style.lineTypeScale != 1) dxfReal(48, style.lineTypeScale);
  return h;
}

DL_Attributes DxfStream::Attributes(const DxfStyle& style) const {
  invisibleNext_ = !style.visible;
  return DL_Attributes(style.layer, style.color, -1, "BYLAYER", style.lineTypeScale);
}

void DxfStream::LongText(const std::string& text) const {
  std::string encoded = WithoutControls(1, EncodeDxfText(text));
  constexpr size_t kPiece = 250;
  size_t at = 0;
  while (encoded.size() - at > kPiece) {
    // Do not cut an escape in two.
    size_t cut = kPiece;
    size_t slash = encoded.rfind('\\', at + cut - 1);
    if (slash != std::string::npos && slash >= at && at + cut - slash < 8) cut = slash - at;
    if (cut == 0) cut = kPiece;
    Put(3, std::string_view(encoded).substr(at, cut));
    at += cut;
  }
  Put(1, std::string_view(encoded).substr(at));
}

}  // namespace qzdbs::server
