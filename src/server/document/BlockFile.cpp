// Reading block drawings through dxflib.
#include "server/document/BlockFile.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <optional>
#include <sstream>

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include "server/Geometry.h"
#include "server/text/AnnotationText.h"
#include "server/text/DxfText.h"

namespace qzdbs::server {

namespace {

Point3 P(double x, double y, double z) {
  return {x, y, z};
}

// Collects the model space entities dxflib reports; entities inside block
// definitions of the file are not the drawing's own and are skipped.
class BlockReader : public DL_CreationAdapter {
 public:
  explicit BlockReader(BlockDefinition& block) : block_(block) {}

  void addBlock(const DL_BlockData&) override {
    FlushPolyline();
    ++blockDepth_;
  }
  void endBlock() override {
    FlushPolyline();
    --blockDepth_;
  }

  void setVariableVector(const std::string& key, double v1, double v2, double v3, int) override {
    if (key == "$INSBASE") block_.basePoint = P(v1, v2, v3);
  }
  using DL_CreationAdapter::setVariableVector;

  void addLine(const DL_LineData& d) override {
    Add(LineShape{P(d.x1, d.y1, d.z1), P(d.x2, d.y2, d.z2)});
  }
  void addCircle(const DL_CircleData& d) override {
    Add(CircleShape{P(d.cx, d.cy, d.cz), d.radius});
  }
  void addArc(const DL_ArcData& d) override {
    Add(ArcShape{P(d.cx, d.cy, d.cz), d.radius, d.angle1, d.angle2});
  }
  void addEllipse(const DL_EllipseData& d) override {
    EllipseShape e;
    e.center = P(d.cx, d.cy, d.cz);
    e.majorAxis = P(d.mx, d.my, d.mz);
    e.ratio = d.ratio;
    e.startParam = Degrees(d.angle1);
    e.endParam = Degrees(d.angle2);
    if (std::fabs(e.endParam - e.startParam - 360) < 1e-9) e.endParam = e.startParam + 360;
    Add(e);
  }
  void addPolyline(const DL_PolylineData& d) override {
    FlushPolyline();
    PolylineShape p;
    p.closed = (d.flags & 1) != 0;
    p.is3d = (d.flags & 8) != 0;
    polyline_ = p;
    polylineAttributes_ = attributes;
    inPolyline_ = true;
  }
  void addVertex(const DL_VertexData& d) override {
    if (!inPolyline_) return;
    if (polyline_.vertices.size() == kMaxPolylineVertices) {
      tooManyVertices_ = true;
      return;
    }
    polyline_.vertices.push_back(P(d.x, d.y, d.z));
  }
  // A light polyline has no sequence end: its vertices end where the next
  // entity starts.
  void endSequence() override { FlushPolyline(); }
  void addText(const DL_TextData& d) override {
    TextShape t;
    t.position = P(d.ipx, d.ipy, d.ipz);
    t.height = d.height;
    t.rotation = Degrees(d.angle);
    t.widthFactor = d.xScaleFactor > 0 ? d.xScaleFactor : 1;
    t.runs = {TextRun::Plain(ExpandSpecialCodes(DecodeDxfText(d.text)))};
    t.style = DecodeDxfText(d.style);
    Add(t);
  }
  void addMText(const DL_MTextData& d) override {
    TextShape t;
    t.multiline = true;
    t.position = P(d.ipx, d.ipy, d.ipz);
    t.height = d.height;
    t.width = d.width;
    t.attachment = d.attachmentPoint >= 1 && d.attachmentPoint <= 9 ? d.attachmentPoint : 1;
    t.rotation = Degrees(d.angle);
    t.lineSpacing = d.lineSpacingFactor > 0 ? d.lineSpacingFactor : 1;
    t.runs = {TextRun::Plain(ExpandSpecialCodes(DecodeDxfText(d.text)))};
    t.style = DecodeDxfText(d.style);
    Add(t);
  }

  void Finish() { FlushPolyline(); }
  bool TooManyVertices() const { return tooManyVertices_; }

 private:
  void Add(Shape shape) {
    FlushPolyline();
    if (blockDepth_ > 0) return;
    AddWith(std::move(shape), attributes);
  }
  void AddWith(Shape shape, const DL_Attributes& from) {
    Entity entity;
    entity.className = "DXF";
    entity.layer = DecodeDxfText(from.getLayer());
    if (entity.layer.empty()) entity.layer = "0";
    entity.color = from.getColor();
    if (entity.color < 0 || entity.color > 256) entity.color = 256;
    entity.shape = std::move(shape);
    block_.entities.push_back(std::move(entity));
  }
  void FlushPolyline() {
    if (!inPolyline_) return;
    inPolyline_ = false;
    if (blockDepth_ > 0 || polyline_.vertices.size() < 2) return;
    AddWith(polyline_, polylineAttributes_);
  }

  BlockDefinition& block_;
  int blockDepth_ = 0;
  bool inPolyline_ = false;
  bool tooManyVertices_ = false;
  PolylineShape polyline_;
  DL_Attributes polylineAttributes_;
};

bool SafeName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos &&
         name.find('\\') == std::string::npos && name != "." && name != "..";
}

// dxflib sizes its arrays from the counts a file gives (vertices of a
// polyline, knots and points of a spline, edges of a hatch) before reading
// them: a 100-byte file saying 90=1e9 would take gigabytes. Such counts, and
// files too large for a block, are refused before dxflib sees them.
constexpr long long kMaxCount = 100000;
constexpr uintmax_t kMaxBlockFileBytes = uintmax_t{64} << 20;

std::string Trimmed(std::string s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
    s.pop_back();
  size_t at = 0;
  while (at < s.size() && std::isspace(static_cast<unsigned char>(s[at])))
    ++at;
  return s.substr(at);
}

// Groups dxflib reads as reals. Its reader leaves a real unset, not zero, when
// the value holds no number before its end or a NUL (blank, say): such a value
// is given to it as 0.
bool IsRealCode(long code) {
  return (code >= 10 && code <= 59) || (code >= 110 && code <= 149) ||
         (code >= 210 && code <= 239) || (code >= 460 && code <= 469) ||
         (code >= 1010 && code <= 1059);
}

bool StartsWithNumber(const std::string& value) {
  char* end = nullptr;
  std::strtod(value.c_str(), &end);
  return end != value.c_str();
}

bool IsCountCode(int code) {
  return code == 90 || code == 91 || code == 92 || code == 93 || (code >= 72 && code <= 79) ||
         (code >= 95 && code <= 98);
}

// The file as dxflib is to read it, or nothing (and the reason) when it is
// out of bounds. Hatches are left out: a block's drawing takes none of them,
// and dxflib's hatch reader decides on edge fields it never set when a
// boundary's groups come in an order it does not expect.
std::optional<std::string> ReadWithinBounds(const std::filesystem::path& file,
                                            std::string& reason) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size > kMaxBlockFileBytes) {
    reason = "\"" + file.string() + "\" is larger than a block drawing may be (64 MiB)";
    return std::nullopt;
  }
  std::ifstream in(file, std::ios::binary);
  std::string text, codeLine, value;
  text.reserve(static_cast<size_t>(size));
  // dxflib takes an entity's groups wherever its "0 NAME" group stands,
  // whatever section a file claims to be in: counts are checked in every
  // record but the section headers, whose variables are no counts.
  std::string record;
  while (std::getline(in, codeLine) && std::getline(in, value)) {
    const long code = std::strtol(codeLine.c_str(), nullptr, 10);
    if (code == 0) record = Trimmed(value);
    if (IsRealCode(code) && !StartsWithNumber(value)) value = "0";
    if (record != "HATCH") text += codeLine + '\n' + value + '\n';
    if (record == "SECTION" || !IsCountCode(static_cast<int>(code))) continue;
    const double count = std::strtod(value.c_str(), nullptr);
    if (!(count >= -kMaxCount && count <= kMaxCount)) {
      reason = "\"" + file.string() + "\" gives a count of " + value + " (group " +
               std::to_string(code) + "), more than " + std::to_string(kMaxCount);
      return std::nullopt;
    }
  }
  return text;
}

// dxflib reads no ATTDEF: the visible ones of the model space are taken from
// the file's groups (position 10/20/30, height 40, rotation 50, width factor
// 41, tag 2, flags 70 with bit 1 for invisible, style 7).
std::vector<AttributeDefinition> ReadAttributeDefinitions(const std::filesystem::path& file) {
  std::vector<AttributeDefinition> found;
  std::ifstream in(file, std::ios::binary);
  std::string codeLine, value;
  bool inEntities = false;
  bool sectionNamed = false;  // the last group was "0 SECTION"
  bool inDefinition = false;
  bool invisible = false;
  AttributeDefinition definition;
  auto finish = [&] {
    if (inDefinition && !invisible && !definition.tag.empty()) found.push_back(definition);
  };
  while (std::getline(in, codeLine) && std::getline(in, value)) {
    if (!value.empty() && value.back() == '\r') value.pop_back();
    const long code = std::strtol(codeLine.c_str(), nullptr, 10);
    if (code == 2 && sectionNamed) inEntities = value == "ENTITIES";
    sectionNamed = code == 0 && value == "SECTION";
    if (code == 0) {
      finish();
      inDefinition = inEntities && value == "ATTDEF";
      invisible = false;
      definition = AttributeDefinition{};
      continue;
    }
    if (!inDefinition) continue;
    const double number = std::strtod(value.c_str(), nullptr);
    switch (code) {
      case 10:
      case 20:
      case 30:
        definition.text.position[static_cast<size_t>((code - 10) / 10)] = number;
        break;
      case 40:
        definition.text.height = number;
        break;
      case 41:
        definition.text.widthFactor = number > 0 ? number : 1;
        break;
      case 50:
        definition.text.rotation = number;
        break;
      case 70:
        invisible = (static_cast<long>(number) & 1) != 0;
        break;
      case 2:
        definition.tag = DecodeDxfText(value);
        break;
      case 7:
        definition.text.style = DecodeDxfText(value);
        break;
      default:
        break;
    }
  }
  finish();
  return found;
}

}  // namespace

bool LooksLikeDxf(const std::filesystem::path& file) {
  // Only the head is read: a block file of any size, without a line break in
  // it, would otherwise be read whole into one line.
  std::ifstream in(file, std::ios::binary);
  std::string head(256, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  std::istringstream lines(head);
  std::string first, second;
  if (!std::getline(lines, first) || !std::getline(lines, second)) return false;
  const std::string code = Trimmed(first);
  return (code == "0" && Trimmed(second) == "SECTION") || code == "999";
}

std::filesystem::path FindBlockFile(const std::filesystem::path& folder, const std::string& name) {
  if (folder.empty() || !SafeName(name)) return {};
  std::error_code error;
  for (const char* extension : {".dxf", ".DXF", ".Dxf", ".DWG", ".dwg"}) {
    std::filesystem::path candidate = folder / (name + extension);
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return {};
}

bool ReadBlockFile(const std::filesystem::path& file, BlockDefinition& block, std::string& reason) {
  if (!LooksLikeDxf(file)) {
    reason = "\"" + file.string() + "\" is not a DXF drawing";
    return false;
  }
  const std::optional<std::string> text = ReadWithinBounds(file, reason);
  if (!text) return false;
  BlockDefinition read = block;
  read.entities.clear();
  BlockReader reader(read);
  DL_Dxf dxf;
  std::istringstream stream(*text);
  if (!dxf.in(stream, &reader)) {
    reason = "dxflib cannot read \"" + file.string() + "\"";
    return false;
  }
  reader.Finish();
  if (reader.TooManyVertices()) {
    reason = "\"" + file.string() + "\" has a polyline of more than " +
             std::to_string(kMaxPolylineVertices) + " vertices";
    return false;
  }
  if (read.entities.empty()) {
    reason = "\"" + file.string() + "\" holds no entities";
    return false;
  }
  read.attributeDefinitions = ReadAttributeDefinitions(file);
  read.source = file.string();
  read.placeholder = false;
  block = std::move(read);
  return true;
}

void AddPlaceholderGeometry(BlockDefinition& block) {
  block.entities.clear();
  block.placeholder = true;
  auto add = [&](Shape shape) {
    Entity entity;
    entity.className = "Marker";
    entity.layer = "0";
    entity.color = 0;
    entity.shape = std::move(shape);
    block.entities.push_back(std::move(entity));
  };
  const Point3& c = block.basePoint;
  add(CircleShape{c, 3});
  add(LineShape{c + Point3{-3, -3, 0}, c + Point3{3, 3, 0}});
  add(LineShape{c + Point3{-3, 3, 0}, c + Point3{3, -3, 0}});
  TextShape label;
  label.position = c + Point3{0, -4, 0};
  label.height = 2.5;
  label.attachment = 2;
  label.multiline = true;
  label.runs = {TextRun::Plain(block.name)};
  add(label);
}

}  // namespace qzdbs::server
