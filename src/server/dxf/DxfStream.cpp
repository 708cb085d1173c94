// The escaping DXF stream.
#include "server/dxf/DxfStream.h"

#include "server/text/DxfText.h"

namespace qzdbs::server {

void DxfStream::dxfString(int gc, const char* value) const {
  dxfString(gc, std::string(value ? value : ""));
}

namespace {

// Group codes that carry names (symbol table entries, block names, tags,
// dictionary entries, group descriptions) rather than texts.
bool IsNameCode(int gc) {
  return gc == 2 || gc == 3 || gc == 6 || gc == 7 || gc == 8 || gc == 300;
}

}  // namespace

void DxfStream::dxfString(int gc, const std::string& value) const {
  DL_WriterA::dxfString(gc, IsNameCode(gc) ? EncodeDxfName(value) : EncodeDxfText(value));
  // The line type closes dxflib's entity head: visibility follows it.
  if (gc == 6 && invisibleNext_) {
    invisibleNext_ = false;
    dxfInt(60, 1);
  }
}

unsigned long DxfStream::Head(const char* type, const DxfStyle& style) const {
  DL_WriterA::dxfString(0, type);
  unsigned long h = handle();
  DL_WriterA::dxfString(100, "AcDbEntity");
  dxfString(8, style.layer);
  dxfInt(62, style.color);
  if (!style.visible) dxfInt(60, 1);
  return h;
}

DL_Attributes DxfStream::Attributes(const DxfStyle& style) const {
  invisibleNext_ = !style.visible;
  return DL_Attributes(style.layer, style.color, -1, -1, "BYLAYER");
}

void DxfStream::LongText(const std::string& text) const {
  std::string encoded = EncodeDxfText(text);
  constexpr size_t kPiece = 250;
  size_t at = 0;
  while (encoded.size() - at > kPiece) {
    // Do not cut an escape in two.
    size_t cut = kPiece;
    size_t slash = encoded.rfind('\\', at + cut - 1);
    if (slash != std::string::npos && slash >= at && at + cut - slash < 8) cut = slash - at;
    if (cut == 0) cut = kPiece;
    DL_WriterA::dxfString(3, encoded.substr(at, cut));
    at += cut;
  }
  DL_WriterA::dxfString(1, encoded.substr(at));
}

}  // namespace qzdbs::server
