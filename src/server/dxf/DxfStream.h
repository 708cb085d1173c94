// The DXF output stream: dxflib's ASCII writer with every string written the
// way an R2000 file needs it (texts with \U+XXXX escapes, names in the code
// page, see DxfText.h), and the common head of an entity written once for
// dxflib's entity writers and ours.
#pragma once

#include <filesystem>
#include <string>

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include "output/host/HostObject.h"

namespace qzdbs::server {

// Layer, colour and visibility of one written entity.
struct DxfStyle {
  std::string layer = "0";
  int color = 256;
  bool visible = true;
};

class DxfStream : public DL_WriterA {
 public:
  explicit DxfStream(const std::filesystem::path& file)
      : DL_WriterA(file.string().c_str(), DL_Codes::AC1015) {}

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

 private:
  mutable bool invisibleNext_ = false;
};

}  // namespace qzdbs::server
