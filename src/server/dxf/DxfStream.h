// The DXF output stream: dxflib's ASCII writer with every string written the
// way an R2000 file needs it (texts with \U+XXXX escapes, names in the code
// page, see DxfText.h), and the common head of an entity written once for
// dxflib's entity writers and ours. The file is kept in memory and written
// in one go: dxflib's own writer flushes its file after every real value,
// one system call per coordinate.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include "host/HostObject.h"

namespace qzdbs::server {

// Layer, colour and visibility of one written entity.
struct DxfStyle {
  std::string layer = "0";
  int color = 256;
  bool visible = true;
  double lineTypeScale = 1;
};

// dxflib's entity writers take its ASCII writer, so the stream is one; every
// value goes through the overrides below and the writer's own file is never
// opened.
class DxfStream : public DL_WriterA {
 public:
  // Room for a drawing of one part from the start, so that the text is not
  // copied over and over while it grows.
  DxfStream() : DL_WriterA("", DL_Codes::AC1015) { text_.reserve(size_t{32} << 10); }

  // Reals as dxflib writes them: 16 decimals with the trailing zeros cut,
  // one kept after the point.
  void dxfReal(int gc, double value) const override;
  void dxfInt(int gc, int value) const override;
  void dxfHex(int gc, int value) const override;
  void dxfString(int gc, const char* value) const override;
  void dxfString(int gc, const std::string& value) const override;

  // "0 TYPE", handle, AcDbEntity with layer, colour, line type by layer and
  // visibility. Returns the entity's handle.
  unsigned long Head(const char* type, const DxfStyle& style) const;
  // dxflib's entity writers write their own head; this makes the next one
  // carry the invisibility flag too.
  DL_Attributes Attributes(const DxfStyle& style) const;

  void Point(int code, const Point3& p) const { coord(code, p[0], p[1], p[2]); }
  void Point2(int code, const Point3& p) const {
    dxfReal(code, p[0]);
    dxfReal(code + 10, p[1]);
  }
  // Long texts go in 250-character pieces: code 3 for all but the last, then code 1.
  void LongText(const std::string& text) const;

  // What has been written so far.
  const std::string& Text() const { return text_; }
  // What has been written, handed over whole: a drawing's file is tens of
  // kilobytes.
  std::string Take() { return std::move(text_); }

 private:
  // A group code right-aligned in three columns, then the value, unescaped.
  void Put(int gc, std::string_view value) const;
  // A string value escaped for its group code.
  void PutString(int gc, std::string_view value) const;

  mutable std::string text_;
  mutable bool invisibleNext_ = false;
};

}  // namespace qzdbs::server
