// Writing the DXF file: header, tables, blocks, entities, objects.
#include "server/dxf/DxfExport.h"

#include <map>
#include <set>
#include <stdexcept>
#include <tuple>

#include "server/document/Extents.h"
#include "server/document/LineTypes.h"
#include "server/document/PartName.h"
#include "server/dxf/DxfEntities.h"
#include "server/dxf/DxfStream.h"
#include "server/io/AtomicFile.h"
#include "server/text/DxfText.h"

namespace qzdbs::server {

namespace {

// Handles of the root dictionary and the group dictionary: below the first
// handle dxflib hands out (0x30) and apart from the fixed table handles it uses.
constexpr int kRootDictionary = 0xC;
constexpr int kGroupDictionary = 0xD;

class DxfFile {
 public:
  DxfFile(const Document& document, DxfStream& out)
      : document_(document), out_(out), entities_(out, dxf_, document) {
    NameBlocks();
  }

  void Write() {
    WriteHeader();
    WriteTables();
    WriteBlocks();
    WriteEntities();
    WriteObjects();
    out_.dxfEOF();
  }

 private:
  void NameBlocks();
  void WriteHeader();
  int MostDecimals() const;
  void WriteTables();
  void WriteLineTypes();
  void WriteLayers();
  void WriteStyles();
  void WriteDimStyles();
  void WriteBlockRecords();
  void WriteBlocks();
  void WriteBlock(const BlockDefinition& block);
  void WriteEntities();
  void WriteObjects();
  std::vector<const Group*> WrittenGroups() const;

  const Document& document_;
  DxfStream& out_;
  DL_Dxf dxf_;
  DxfEntityWriter entities_;
  // In document order: the file must not depend on where entities live in memory.
  std::vector<std::pair<const Entity*, std::string>> dimensionBlocks_;
  std::string partBlock_;
  unsigned long standardStyle_ = 0;
  std::map<const Entity*, unsigned long> handles_;
  unsigned long partInsert_ = 0;
};

std::vector<const Group*> DxfFile::WrittenGroups() const {
  std::vector<const Group*> groups;
  for (const Group& group : document_.groups) {
    // Inside the part's block only the group of the whole part remains: it
    // holds the block's reference.
    if (partBlock_.empty() || group.wholePart) groups.push_back(&group);
  }
  return groups;
}

void DxfFile::NameBlocks() {
  int next = 1;
  for (const View& view : document_.views) {
    for (const Entity& entity : view.entities) {
      auto* dim = std::get_if<DimensionShape>(&entity.shape);
      if (dim && !dim->graphics.Empty()) {
        dimensionBlocks_.emplace_back(&entity, "*D" + std::to_string(next++));
      }
    }
  }
  entities_.SetDimensionBlocks({dimensionBlocks_.begin(), dimensionBlocks_.end()});
  if (document_.part.makeBlock) {
    partBlock_ = DxfName(document_.part.blockName.empty() ? PartDesignation(document_.part)
                                                          : document_.part.blockName);
    while (document_.FindBlock(partBlock_))
      partBlock_ += "_PART";
  }
}

int DxfFile::MostDecimals() const {
  int most = 0;
  for (const View& view : document_.views)
    for (const Entity& entity : view.entities)
      if (const auto* dim = std::get_if<DimensionShape>(&entity.shape);
          dim && !dim->cadText.empty())
        most = std::max(most, std::clamp(dim->cadDecimals, 0, 8));
  return most;
}

void DxfFile::WriteHeader() {
  dxf_.writeHeader(out_);
  Extents extents = DocumentExtents(document_, true, TextBoxes::kCad);
  if (!extents.valid) extents.Add(Point3{0, 0, 0});
  auto variable = [&](const char* name) { out_.dxfString(9, name); };
  variable("$DWGCODEPAGE");
  out_.dxfString(3, kDxfCodePage);
  variable("$INSBASE");
  out_.Point(10, document_.part.basePoint);
  variable("$EXTMIN");
  out_.Point(10, extents.min);
  variable("$EXTMAX");
  out_.Point(10, extents.max);
  variable("$INSUNITS");
  out_.dxfInt(70, 4);  // millimetres
  variable("$MEASUREMENT");
  out_.dxfInt(70, 1);  // metric
  variable("$CLAYER");
  out_.dxfString(8, "0");
  variable("$TEXTSTYLE");
  out_.dxfString(7, "Standard");
  variable("$DIMSTYLE");
  out_.dxfString(2, DxfName(document_.dimStyle.name));
  variable("$DIMSCALE");
  out_.dxfReal(40, document_.dimStyle.scale);
  // Readers that take the dimension style from the header alone (LibreCAD)
  // find the drawing's own; the decimals are the most any dimension shows,
  // their trailing zeros left out.
  const DimStyle& dim = document_.dimStyle;
  for (const auto& [name, value] :
       {std::pair{"$DIMASZ", dim.arrowSize}, std::pair{"$DIMEXO", dim.extOffset},
        std::pair{"$DIMEXE", dim.extExtension}, std::pair{"$DIMTXT", dim.textHeight},
        std::pair{"$DIMGAP", dim.textGap}}) {
    variable(name);
    out_.dxfReal(40, value);
  }
  for (const auto& [name, value] :
       {std::pair{"$DIMTAD", 1}, std::pair{"$DIMZIN", 8}, std::pair{"$DIMDEC", MostDecimals()}}) {
    variable(name);
    out_.dxfInt(70, value);
  }
  variable("$LTSCALE");
  out_.dxfReal(40, 1.0);
  variable("$CELTSCALE");
  out_.dxfReal(40, 1.0);
  variable("$LWDISPLAY");
  out_.dxfInt(290, 1);
  out_.sectionEnd();
}

void DxfFile::WriteLineTypes() {
  const auto& patterns = LineTypePatterns();
  out_.tableLinetypes(static_cast<int>(3 + patterns.size()));
  dxf_.writeLinetype(out_, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
  dxf_.writeLinetype(out_, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
  dxf_.writeLinetype(out_, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
  for (const LineTypePattern& pattern : patterns) {
    // DXF gives gaps as negative lengths.
    std::vector<double> elements;
    double length = 0;
    for (size_t i = 0; i < pattern.elements.size(); ++i) {
      elements.push_back(i % 2 == 0 ? pattern.elements[i] : -pattern.elements[i]);
      length += pattern.elements[i];
    }
    dxf_.writeLinetype(out_,
                       DL_LinetypeData(pattern.name, pattern.description, 0,
                                       static_cast<int>(elements.size()), length, elements.data()));
  }
  out_.tableEnd();
}

void DxfFile::WriteLayers() {
  out_.tableLayers(static_cast<int>(document_.layers.size()));
  for (const Layer& layer : document_.layers) {
    out_.tableLayerEntry();
    out_.dxfString(2, DxfName(layer.name));
    out_.dxfInt(70, 0);
    out_.dxfInt(62, layer.color);
    out_.dxfString(6, layer.lineType);
    // Layers that do not print: auxiliary geometry.
    out_.dxfInt(290, layer.plot ? 1 : 0);
    out_.dxfInt(370, layer.lineWeight);
  }
  out_.tableEnd();
}

void DxfFile::WriteStyles() {
  out_.tableStyle(static_cast<int>(document_.textStyles.size()));
  for (const std::string& name : document_.textStyles) {
    if (name == "Standard") standardStyle_ = out_.getNextHandle();
    // The GB fonts: upright Latin letters and digits, with the big font for
    // Chinese, as CAD programs of the GB convention expect them. (dxflib
    // would put the font into extended data, where readers do not look.)
    out_.dxfString(0, "STYLE");
    out_.handle();
    out_.dxfString(100, "AcDbSymbolTableRecord");
    out_.dxfString(100, "AcDbTextStyleTableRecord");
    out_.dxfString(2, DxfName(name));
    out_.dxfInt(70, 0);
    out_.dxfReal(40, 0.0);
    out_.dxfReal(41, 1.0);
    out_.dxfReal(50, 0.0);
    out_.dxfInt(71, 0);
    out_.dxfReal(42, 2.5);
    out_.dxfString(3, "gbenor.shx");
    out_.dxfString(4, "gbcbig.shx");
  }
  out_.tableEnd();
}

void DxfFile::WriteDimStyles() {
  const DimStyle& s = document_.dimStyle;
  out_.dxfString(0, "TABLE");
  out_.dxfString(2, "DIMSTYLE");
  out_.dxfHex(5, 0xA);
  out_.dxfString(100, "AcDbSymbolTable");
  out_.dxfInt(70, 2);
  out_.dxfString(100, "AcDbDimStyleTable");
  out_.dxfInt(71, 0);
  for (const std::string& name : {std::string("Standard"), DxfName(s.name)}) {
    out_.dxfString(0, "DIMSTYLE");
    out_.handle(105);
    out_.dxfString(100, "AcDbSymbolTableRecord");
    out_.dxfString(100, "AcDbDimStyleTableRecord");
    out_.dxfString(2, name);
    out_.dxfInt(70, 0);
    out_.dxfReal(40, s.scale);         // DIMSCALE
    out_.dxfReal(41, s.arrowSize);     // DIMASZ
    out_.dxfReal(42, s.extOffset);     // DIMEXO
    out_.dxfReal(43, 7.0);             // DIMDLI: baseline spacing
    out_.dxfReal(44, s.extExtension);  // DIMEXE
    out_.dxfReal(140, s.textHeight);   // DIMTXT
    out_.dxfReal(147, s.textGap);      // DIMGAP
    out_.dxfInt(73, 0);                // DIMTIH: text aligned with the line
    out_.dxfInt(74, 0);                // DIMTOH
    out_.dxfInt(77, 1);                // DIMTAD: text above the line
    out_.dxfInt(78, 8);                // DIMZIN: no trailing zeros
    out_.dxfInt(278, 46);              // DIMDSEP: "."
    if (standardStyle_ != 0) out_.dxfHex(340, static_cast<int>(standardStyle_));
  }
  out_.tableEnd();
}

void DxfFile::WriteBlockRecords() {
  // dxflib's own table adds a "*Paper_Space0" record without a layout, which
  // readers remove as orphaned: only the two spaces, with dxflib's handles.
  out_.dxfString(0, "TABLE");
  out_.dxfString(2, "BLOCK_RECORD");
  out_.dxfHex(5, 1);
  out_.dxfString(100, "AcDbSymbolTable");
  out_.dxfInt(70, 1);
  for (const auto& [name, handle, layout] :
       {std::tuple{"*Model_Space", 0x1F, 0x22}, std::tuple{"*Paper_Space", 0x1B, 0x1E}}) {
    out_.dxfString(0, "BLOCK_RECORD");
    out_.dxfHex(5, handle);
    out_.dxfString(100, "AcDbSymbolTableRecord");
    out_.dxfString(100, "AcDbBlockTableRecord");
    out_.dxfString(2, name);
    out_.dxfHex(340, layout);
  }
  for (const BlockDefinition& block : document_.blocks)
    dxf_.writeBlockRecord(out_, DxfName(block.name));
  for (const auto& [entity, name] : dimensionBlocks_)
    dxf_.writeBlockRecord(out_, name);
  if (!partBlock_.empty()) dxf_.writeBlockRecord(out_, partBlock_);
  out_.tableEnd();
}

void DxfFile::WriteTables() {
  out_.sectionTables();
  dxf_.writeVPort(out_);
  WriteLineTypes();
  WriteLayers();
  WriteStyles();
  dxf_.writeView(out_);
  dxf_.writeUcs(out_);
  out_.tableAppid(1);
  dxf_.writeAppid(out_, "ACAD");
  out_.tableEnd();
  WriteDimStyles();
  WriteBlockRecords();
  out_.sectionEnd();
}

void DxfFile::WriteBlock(const BlockDefinition& block) {
  const Point3& base = block.basePoint;
  std::string name = DxfName(block.name);
  dxf_.writeBlock(
      out_, DL_BlockData(name, block.attributeTags.empty() ? 0 : 2, base[0], base[1], base[2]));
  for (const Entity& entity : block.entities)
    entities_.Write(entity);
  for (const std::string& tag : block.attributeTags) {
    out_.Head("ATTDEF", DxfStyle{"0", 0, true, 1});
    out_.dxfString(100, "AcDbText");
    out_.Point(10, base);
    out_.dxfReal(40, document_.dimStyle.Size(2.5));
    out_.dxfString(1, "");
    out_.dxfString(100, "AcDbAttributeDefinition");
    out_.dxfString(3, tag);
    out_.dxfString(2, DxfTag(tag));
    out_.dxfInt(70, 1);
  }
  dxf_.writeEndBlock(out_, name);
}

void DxfFile::WriteBlocks() {
  out_.sectionBlocks();
  for (const char* space : {"*Model_Space", "*Paper_Space"}) {
    dxf_.writeBlock(out_, DL_BlockData(space, 0, 0.0, 0.0, 0.0));
    dxf_.writeEndBlock(out_, space);
  }
  for (const BlockDefinition& block : document_.blocks)
    WriteBlock(block);
  // The dimensions' own graphics, by block so that they take the
  // dimension's layer and colour.
  for (const auto& [entity, name] : dimensionBlocks_) {
    dxf_.writeBlock(out_, DL_BlockData(name, 1, 0.0, 0.0, 0.0));
    entities_.WriteSketch(std::get<DimensionShape>(entity->shape).graphics,
                          DxfStyle{"0", 0, true, 1});
    dxf_.writeEndBlock(out_, name);
  }
  if (!partBlock_.empty()) {
    const Point3& base = document_.part.basePoint;
    dxf_.writeBlock(out_, DL_BlockData(partBlock_, 0, base[0], base[1], base[2]));
    for (const View& view : document_.views) {
      for (const Entity& entity : view.entities)
        handles_[&entity] = entities_.Write(entity);
    }
    dxf_.writeEndBlock(out_, partBlock_);
  }
  out_.sectionEnd();
}

void DxfFile::WriteEntities() {
  out_.sectionEntities();
  if (!partBlock_.empty()) {
    InsertShape insert;
    insert.blockName = partBlock_;
    insert.position = document_.part.basePoint;
    Entity part;
    part.shape = insert;
    partInsert_ = entities_.Write(part);
  } else {
    for (const View& view : document_.views) {
      for (const Entity& entity : view.entities)
        handles_[&entity] = entities_.Write(entity);
    }
  }
  out_.sectionEnd();
}

void DxfFile::WriteObjects() {
  // Group names must differ; unnamed groups are anonymous ("*A").
  std::vector<const Group*> groups = WrittenGroups();
  std::vector<std::pair<std::string, unsigned long>> entries;
  std::set<std::string> used;
  unsigned long next = out_.getNextHandle();
  for (const Group* group : groups) {
    std::string name =
        group->name.empty() ? "*A" + std::to_string(entries.size() + 1) : DxfName(group->name);
    std::string unique = name;
    for (int n = 2; !used.insert(unique).second; ++n)
      unique = name + "_" + std::to_string(n);
    entries.emplace_back(unique, next++);
  }
  out_.sectionObjects();
  out_.dxfString(0, "DICTIONARY");
  out_.dxfHex(5, kRootDictionary);
  out_.dxfString(330, "0");
  out_.dxfString(100, "AcDbDictionary");
  out_.dxfInt(281, 1);
  out_.dxfString(3, "ACAD_GROUP");
  out_.dxfHex(350, kGroupDictionary);
  out_.dxfString(0, "DICTIONARY");
  out_.dxfHex(5, kGroupDictionary);
  out_.dxfHex(330, kRootDictionary);
  out_.dxfString(100, "AcDbDictionary");
  out_.dxfInt(281, 1);
  for (const auto& [name, h] : entries) {
    out_.dxfString(3, name);
    out_.dxfHex(350, static_cast<int>(h));
  }
  for (size_t g = 0; g < groups.size(); ++g) {
    const Group& group = *groups[g];
    out_.dxfString(0, "GROUP");
    out_.handle();
    out_.dxfHex(330, kGroupDictionary);
    out_.dxfString(100, "AcDbGroup");
    out_.dxfString(300, group.name);
    out_.dxfInt(70, entries[g].first.rfind("*A", 0) == 0 ? 1 : 0);
    out_.dxfInt(71, 1);
    if (!partBlock_.empty()) {
      out_.dxfHex(340, static_cast<int>(partInsert_));
      continue;
    }
    for (const EntityRef& ref : group.members) {
      auto h = handles_.find(&document_.At(ref));
      if (h != handles_.end() && h->second != 0) out_.dxfHex(340, static_cast<int>(h->second));
    }
  }
  out_.sectionEnd();
}

}  // namespace

void ExportDxf(const Document& document, const std::filesystem::path& file) {
  WriteAtomically(file, [&] {
    DxfStream out;
    DxfFile(document, out).Write();
    return out.Take();
  });
}

}  // namespace qzdbs::server
