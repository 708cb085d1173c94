// The built sample library has every table of the library format, column by column, and the
// indexes that make opening a part independent of the library's size.
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LibraryFile.h"

namespace qzdbs::test {
namespace {

// The library format's tables and columns, in the format's column order.
const std::map<std::string, std::vector<std::string>>& FormatTables() {
  static const std::map<std::string, std::vector<std::string>> tables = {
      {"QZPartDirectory", {"NodeID", "NodeName", "FatherID", "Position", "NodeType", "PartID"}},
      {"QZParts", {"PartID", "Name", "BasePoint", "Position", "PartPic"}},
      {"QZPartGUIDs", {"ID", "DATA1", "DATA2", "DATA3", "DATA4"}},
      {"QZPartInputParas", {"ParaID", "PartID", "ParaName", "ParaType", "Visible", "Position"}},
      {"QZParaValue", {"PartID", "ParaID", "RowID", "StrValue", "RealValue"}},
      {"QZPartViews", {"PartViewID", "PartID", "PartViewName", "BasePoint", "Position", "ViewPic"}},
      {"QZPartStructureParas",
       {"StructureID", "PartID", "Name", "Expression", "IsExpression", "Visible", "Position"}},
      {"QZProperties", {"PropertyID", "PropertyName"}},
      {"QZPartPrptys", {"PartID", "PropertyID", "IsExpression", "Value"}},
      {"QZPartPoints",
       {"PointID", "PartID", "Name", "PXParaExp", "PYParaExp", "PZParaExp", "Position"}},
      {"QZPartEntities",
       {"EntityID", "PartID", "EntityType", "Name", "IsAssist", "LayerID", "FilterExp",
        "IsMatchProp", "Position"}},
      {"QZPartViewEntities", {"PartID", "PartViewID", "EntityID"}},
      {"QZLayer", {"LayerID", "Name"}},
      {"QZEnt_Line", {"PartID", "EntityID", "StartPoint", "EndPoint"}},
      {"QZEnt_Circle", {"PartID", "EntityID", "CenterPoint", "Radius"}},
      {"QZEnt_Arc", {"PartID", "EntityID", "CenterPoint", "Radius", "StartAngle", "EndAngle"}},
      {"QZEnt_Ellipse",
       {"PartID", "EntityID", "CenterPoint", "MajorRadius", "MinorRadius", "StartAngle", "EndAngle",
        "MajorAxis", "MinorAxis", "isEllipseOArc"}},
      {"QZEnt_2dPolyline",
       {"PartID", "EntityID", "PointListID", "PlineType", "ConstantWidth", "isClosed"}},
      {"QZEnt_3dPolyline", {"PartID", "EntityID", "PointListID", "PlineType", "isClosed"}},
      {"QZPartPointIdList", {"PartID", "EntityID", "PointListID", "PointID", "Position"}},
      {"QZEnt_Text",
       {"PartID", "EntityID", "InsertionPoint", "TextString", "IsExpression", "Height",
        "ObliqueAngle", "Rotation", "ScaleFactor", "TextStyleName"}},
      {"QZEnt_MText",
       {"PartID", "EntityID", "InsertionPoint", "TextString", "IsExpression", "bHaveTolNo",
        "str_DimTolNo", "bHaveTolVal", "fTopTol", "fBottomTol", "bHaveFollow", "str_DimFollow",
        "str_DimFront", "Rotation", "Height", "Width", "LineSpacingFactor", "AttachmentPoint",
        "TextStyleName"}},
      {"QZTextStyleName", {"TextStyleNameID", "Name"}},
      {"QZEnt_Attribute",
       {"PartID", "EntityID", "AttName", "Value", "IsExpression", "DefaultValue"}},
      {"QZEnt_BlockDefine", {"PartID", "EntityID", "BlockID"}},
      {"QZEnt_BlockGlobal", {"BlockID", "BlockName", "hasAttribute", "BlockType", "BlockData"}},
      {"QZEnt_BlockReference",
       {"PartID", "EntityID", "InsertPoint", "Rotation", "ScaleFactor", "BlockDefID",
        "EntityListID"}},
      {"QZEnt_Group", {"PartID", "EntityID", "EntityListID"}},
      {"QZEnt_Hatch",
       {"PartID", "EntityID", "PatternName", "PatternIsDoubled", "PatternScale", "PatternAngle",
        "ExternalBoundaryLoopEntity", "InnerBoundaryLoopEntity"}},
      {"QZPatternName", {"PatternID", "PatternName"}},
      {"QZEnt_Leader",
       {"PartID", "EntityID", "PointListID", "AnnotationEntity", "LeaderType", "hasHookLine"}},
      {"QZEnt_DimCommonStyle",
       {"PartID", "EntityID", "DimType", "iOutIndex", "iInIndex", "isHasLAngle", "dLAngle",
        "DimJust", "DimDad", "hasFirstArr", "HasSecondArr", "HasFirstLine", "HasSecondLine"}},
      {"QZEnt_DimCommonText",
       {"PartID", "EntityID", "TextPosition", "TextString", "IsExpression", "isRotateText",
        "TextRotation", "isHaveTolNo", "str_DimTolNo", "isHaveTolVal", "fTopTol", "fBottomTol",
        "isHaveFollow", "str_DimFollow", "str_DimFront", "str_TolUnit", "isRectText", "dimdec"}},
      {"QZEnt_DimRotated",
       {"PartID", "EntityID", "DimLinePoint", "ExtLine1Point", "ExtLine2Point", "Rotation"}},
      {"QZEnt_DimAligned",
       {"PartID", "EntityID", "DimLinePoint", "ExtLine1Point", "ExtLine2Point"}},
      {"QZEnt_DimDiametric", {"PartID", "EntityID", "CenterPoint", "Radius"}},
      {"QZEnt_DimRadial", {"PartID", "EntityID", "CenterPoint", "Radius"}},
      {"QZEnt_Dim3PointAngular",
       {"PartID", "EntityID", "AngleVertPoint", "ExtLine1EndPoint", "ExtLine2EndPoint",
        "ArcPoint"}},
      {"QZEnt_Dim2LineAngular",
       {"PartID", "EntityID", "ExtLine1StartPoint", "ExtLine1EndPoint", "ExtLine2StartPoint",
        "ExtLine2EndPoint", "ArcPoint"}},
      {"QZEnt_DimOrdinate",
       {"PartID", "EntityID", "DefiningPoint", "Origin", "LeaderEndPoint", "useXYAxis"}},
      {"QZEntTrans_Move",
       {"PartID", "EntityID", "FromPoint", "ToPoint", "bEraseOld", "EntityListID"}},
      {"QZEntTrans_PolarArray",
       {"PartID", "EntityID", "CenterPoint", "BasePoint", "ItemNumber", "SweepAngle",
        "isRoateEachItem", "EntityListID"}},
      {"QZEntTrans_RectArray",
       {"PartID", "EntityID", "RowNumber", "ColumnNumber", "RowSpace", "ColumnSpace", "ArrayAngle",
        "EntityListID"}},
      {"QZEntTrans_Rotate",
       {"PartID", "EntityID", "BasePoint", "Rotation", "bEraseOld", "EntityListID"}},
      {"QZEntTrans_Mirror",
       {"PartID", "EntityID", "FromPoint", "ToPoint", "bEraseOld", "EntityListID"}},
      {"QZEntityIdList", {"PartID", "EntityID", "EntityListID", "RefEntityIDs"}},
  };
  return tables;
}

std::vector<std::string> Columns(const std::string& table) {
  std::vector<std::string> names;
  for (const Row& row : SampleLibrary().Query("PRAGMA table_info(\"" + table + "\")")) {
    names.push_back(row.Text("name"));
  }
  return names;
}

// Each index of a table as its column list, and whether it is unique.
std::map<std::vector<std::string>, bool> Indexes(const std::string& table) {
  std::map<std::vector<std::string>, bool> indexes;
  for (const Row& index : SampleLibrary().Query("PRAGMA index_list(\"" + table + "\")")) {
    std::vector<std::string> columns;
    for (const Row& col :
         SampleLibrary().Query("PRAGMA index_info(\"" + index.Text("name") + "\")")) {
      columns.push_back(col.Text("name"));
    }
    indexes[columns] = index.Int("unique") != 0;
  }
  return indexes;
}

TEST(LibrarySchema, EveryTableOfTheFormatWithItsColumns) {
  std::set<std::string> present;
  for (const Row& row : SampleLibrary().Query(
           "SELECT name FROM sqlite_master WHERE type = 'table' AND name LIKE 'QZ%'")) {
    present.insert(row.Text("name"));
  }
  ASSERT_EQ(FormatTables().size(), 46u);
  for (const auto& [table, columns] : FormatTables()) {
    SCOPED_TRACE(table);
    ASSERT_TRUE(present.count(table));
    EXPECT_EQ(Columns(table), columns);
  }
  EXPECT_EQ(present.size(), FormatTables().size()) << "a table the format does not know";
}

TEST(LibrarySchema, PartTablesAreIndexedByPartAndEntity) {
  for (const auto& [table, columns] : FormatTables()) {
    SCOPED_TRACE(table);
    auto has = [&](const std::string& c) {
      return std::find(columns.begin(), columns.end(), c) != columns.end();
    };
    std::map<std::vector<std::string>, bool> indexes = Indexes(table);
    if (has("PartID")) {
      EXPECT_TRUE(indexes.count({"PartID"}));
    }
    if (has("PartID") && has("EntityID")) {
      EXPECT_TRUE(indexes.count({"PartID", "EntityID"}));
    }
  }
  EXPECT_TRUE(Indexes("QZPartGUIDs").count({"ID"}));
}

TEST(LibrarySchema, LookupTablesHaveUniqueIdentifiers) {
  const std::pair<const char*, const char*> lookups[] = {
      {"QZProperties", "PropertyID"}, {"QZTextStyleName", "TextStyleNameID"},
      {"QZPatternName", "PatternID"}, {"QZEnt_BlockGlobal", "BlockID"},
      {"QZLayer", "LayerID"},         {"QZPartDirectory", "NodeID"}};
  for (const auto& [table, column] : lookups) {
    SCOPED_TRACE(table);
    std::map<std::vector<std::string>, bool> indexes = Indexes(table);
    auto it = indexes.find({column});
    ASSERT_NE(it, indexes.end());
    EXPECT_TRUE(it->second);
  }
}

}  // namespace
}  // namespace qzdbs::test
