// Every reference in the sample library resolves within its own part: points, structure
// parameters, entity lists and their members, point lists, block definitions, styles, patterns
// and layers; every entity has the rows of its type and belongs to a view.
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LibraryFile.h"

namespace qzdbs::test {
namespace {

long long Count(const std::string& sql) {
  return SampleLibrary().Count(sql);
}

// Rows of `table` whose `column` does not name a row of `target` (by `key`) in the same part.
long long Dangling(const std::string& table, const std::string& column, const std::string& target,
                   const std::string& key) {
  return Count("SELECT COUNT(*) FROM \"" + table + "\" t WHERE t.\"" + column +
               "\" IS NOT NULL AND NOT EXISTS (SELECT 1 FROM \"" + target +
               "\" x WHERE x.PartID = t.PartID AND x.\"" + key + "\" = t.\"" + column + "\")");
}

long long Nulls(const std::string& table, const std::string& column) {
  return Count("SELECT COUNT(*) FROM \"" + table + "\" WHERE \"" + column + "\" IS NULL");
}

TEST(LibraryReferences, PointAndStructureColumnsResolveInTheirPart) {
  struct Ref {
    const char* table;
    const char* column;
    bool point;
    bool nullable = false;
  };
  const Ref refs[] = {
      {"QZParts", "BasePoint", true},
      {"QZPartViews", "BasePoint", true},
      {"QZEnt_Line", "StartPoint", true},
      {"QZEnt_Line", "EndPoint", true},
      {"QZEnt_Circle", "CenterPoint", true},
      {"QZEnt_Circle", "Radius", false},
      {"QZEnt_Arc", "CenterPoint", true},
      {"QZEnt_Arc", "Radius", false},
      {"QZEnt_Arc", "StartAngle", false},
      {"QZEnt_Arc", "EndAngle", false},
      {"QZEnt_Ellipse", "CenterPoint", true},
      {"QZEnt_Ellipse", "MajorAxis", true},
      {"QZEnt_Ellipse", "MinorAxis", true},
      {"QZEnt_Ellipse", "MajorRadius", false},
      {"QZEnt_Ellipse", "MinorRadius", false},
      {"QZEnt_Ellipse", "StartAngle", false, true},
      {"QZEnt_Ellipse", "EndAngle", false, true},
      {"QZPartPointIdList", "PointID", true},
      {"QZEnt_Text", "InsertionPoint", true},
      {"QZEnt_Text", "Height", false},
      {"QZEnt_Text", "Rotation", false},
      {"QZEnt_MText", "InsertionPoint", true},
      {"QZEnt_MText", "Height", false},
      {"QZEnt_MText", "Rotation", false},
      {"QZEnt_BlockReference", "InsertPoint", true},
      {"QZEnt_BlockReference", "Rotation", false},
      {"QZEnt_BlockReference", "ScaleFactor", false},
      {"QZEnt_DimCommonText", "TextPosition", true},
      {"QZEnt_DimRotated", "DimLinePoint", true},
      {"QZEnt_DimRotated", "ExtLine1Point", true},
      {"QZEnt_DimRotated", "ExtLine2Point", true},
      {"QZEnt_DimAligned", "DimLinePoint", true},
      {"QZEnt_DimAligned", "ExtLine1Point", true},
      {"QZEnt_DimAligned", "ExtLine2Point", true},
      {"QZEnt_DimDiametric", "CenterPoint", true},
      {"QZEnt_DimDiametric", "Radius", false},
      {"QZEnt_DimRadial", "CenterPoint", true},
      {"QZEnt_DimRadial", "Radius", false},
      {"QZEnt_Dim3PointAngular", "AngleVertPoint", true},
      {"QZEnt_Dim3PointAngular", "ExtLine1EndPoint", true},
      {"QZEnt_Dim3PointAngular", "ExtLine2EndPoint", true},
      {"QZEnt_Dim3PointAngular", "ArcPoint", true},
      {"QZEnt_Dim2LineAngular", "ExtLine1StartPoint", true},
      {"QZEnt_Dim2LineAngular", "ExtLine1EndPoint", true},
      {"QZEnt_Dim2LineAngular", "ExtLine2StartPoint", true},
      {"QZEnt_Dim2LineAngular", "ExtLine2EndPoint", true},
      {"QZEnt_Dim2LineAngular", "ArcPoint", true},
      {"QZEnt_DimOrdinate", "DefiningPoint", true},
      {"QZEnt_DimOrdinate", "Origin", true},
      {"QZEnt_DimOrdinate", "LeaderEndPoint", true},
      {"QZEntTrans_Move", "FromPoint", true},
      {"QZEntTrans_Move", "ToPoint", true},
      {"QZEntTrans_PolarArray", "CenterPoint", true},
      {"QZEntTrans_PolarArray", "BasePoint", true},
      {"QZEntTrans_PolarArray", "ItemNumber", false},
      {"QZEntTrans_PolarArray", "SweepAngle", false},
      {"QZEntTrans_RectArray", "RowNumber", false},
      {"QZEntTrans_RectArray", "ColumnNumber", false},
      {"QZEntTrans_RectArray", "RowSpace", false},
      {"QZEntTrans_RectArray", "ColumnSpace", false},
      {"QZEntTrans_RectArray", "ArrayAngle", false},
      {"QZEntTrans_Rotate", "BasePoint", true},
      {"QZEntTrans_Rotate", "Rotation", false},
      {"QZEntTrans_Mirror", "FromPoint", true},
      {"QZEntTrans_Mirror", "ToPoint", true},
  };
  long long checked = 0;
  for (const Ref& ref : refs) {
    SCOPED_TRACE(std::string(ref.table) + "." + ref.column);
    EXPECT_EQ(Dangling(ref.table, ref.column, ref.point ? "QZPartPoints" : "QZPartStructureParas",
                       ref.point ? "PointID" : "StructureID"),
              0);
    if (!ref.nullable) {
      EXPECT_EQ(Nulls(ref.table, ref.column), 0);
    }
    checked += Count(std::string("SELECT COUNT(*) FROM \"") + ref.table + "\"");
  }
  EXPECT_GT(checked, 500);
  // An elliptical arc has both angles; a full ellipse neither.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM QZEnt_Ellipse WHERE (StartAngle IS NULL) <> "
                  "(EndAngle IS NULL) OR (StartAngle IS NULL) <> (isEllipseOArc <> 1)"),
            0);
}

TEST(LibraryReferences, EntityListsAndTheirMembersResolve) {
  struct ListRef {
    const char* table;
    const char* column;
    bool required;
  };
  const ListRef lists[] = {
      {"QZEnt_Group", "EntityListID", true},
      {"QZEnt_BlockReference", "EntityListID", false},
      {"QZEnt_Hatch", "ExternalBoundaryLoopEntity", true},
      {"QZEnt_Hatch", "InnerBoundaryLoopEntity", false},
      {"QZEnt_Leader", "AnnotationEntity", true},
      {"QZEntTrans_Move", "EntityListID", true},
      {"QZEntTrans_PolarArray", "EntityListID", true},
      {"QZEntTrans_RectArray", "EntityListID", true},
      {"QZEntTrans_Rotate", "EntityListID", true},
      {"QZEntTrans_Mirror", "EntityListID", true},
  };
  for (const ListRef& list : lists) {
    SCOPED_TRACE(std::string(list.table) + "." + list.column);
    EXPECT_EQ(Nulls(list.table, list.column), 0);
    if (list.required) {
      EXPECT_EQ(Count(std::string("SELECT COUNT(*) FROM \"") + list.table +
                      "\" t WHERE NOT EXISTS (SELECT 1 FROM QZEntityIdList l WHERE l.PartID = "
                      "t.PartID AND l.EntityID = t.EntityID AND l.EntityListID = t.\"" +
                      list.column + "\")"),
                0);
    }
  }
  // Every member row belongs to an entity of its part and names another entity of it.
  EXPECT_GT(Count("SELECT COUNT(*) FROM QZEntityIdList"), 0);
  EXPECT_EQ(Dangling("QZEntityIdList", "EntityID", "QZPartEntities", "EntityID"), 0);
  EXPECT_EQ(Dangling("QZEntityIdList", "RefEntityIDs", "QZPartEntities", "EntityID"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM QZEntityIdList WHERE RefEntityIDs = EntityID"), 0);
  // A leader annotates exactly one entity: the builder takes the first and counts vertices
  // as if there were one.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM QZEnt_Leader t WHERE (SELECT COUNT(*) FROM "
                  "QZEntityIdList l WHERE l.PartID = t.PartID AND l.EntityID = t.EntityID AND "
                  "l.EntityListID = t.AnnotationEntity) <> 1"),
            0);
  // The host matches member identifiers against the objects it already has: members come
  // first in drawing order, and so does a block reference's definition.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM QZEntityIdList l JOIN QZPartEntities o ON o.PartID = "
                  "l.PartID AND o.EntityID = l.EntityID JOIN QZPartEntities m ON m.PartID = "
                  "l.PartID AND m.EntityID = l.RefEntityIDs WHERE m.Position >= o.Position"),
            0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM QZEnt_BlockReference r JOIN QZPartEntities o ON "
                  "o.PartID = r.PartID AND o.EntityID = r.EntityID JOIN QZPartEntities d ON "
                  "d.PartID = r.PartID AND d.EntityID = r.BlockDefID WHERE d.Position >= "
                  "o.Position"),
            0);
  // Members are drawn in the same views as the entity that names them, so the host finds them.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM QZEntityIdList l JOIN QZPartViewEntities o ON "
                  "o.PartID = l.PartID AND o.EntityID = l.EntityID WHERE NOT EXISTS (SELECT 1 "
                  "FROM QZPartViewEntities m WHERE m.PartID = l.PartID AND m.EntityID = "
                  "l.RefEntityIDs AND m.PartViewID = o.PartViewID)"),
            0);
}

TEST(LibraryReferences, PointListsHaveAtLeastTwoVerticesInOrder) {
  for (const char* table : {"QZEnt_2dPolyline", "QZEnt_3dPolyline", "QZEnt_Leader"}) {
    SCOPED_TRACE(table);
    EXPECT_EQ(Count(std::string("SELECT COUNT(*) FROM \"") + table +
                    "\" t WHERE (SELECT COUNT(DISTINCT p.Position) FROM QZPartPointIdList p "
                    "WHERE p.PartID = t.PartID AND p.EntityID = t.EntityID AND p.PointListID = "
                    "t.PointListID) < 2"),
              0);
  }
  EXPECT_EQ(Dangling("QZPartPointIdList", "EntityID", "QZPartEntities", "EntityID"), 0);
}

TEST(LibraryReferences, StylesPatternsBlocksAndLayersResolve) {
  auto lookup = [](const std::string& table, const std::string& column, const std::string& target,
                   const std::string& key) {
    return Count("SELECT COUNT(*) FROM \"" + table + "\" t WHERE NOT EXISTS (SELECT 1 FROM \"" +
                 target + "\" x WHERE x.\"" + key + "\" = t.\"" + column + "\")");
  };
  EXPECT_EQ(lookup("QZEnt_Text", "TextStyleName", "QZTextStyleName", "TextStyleNameID"), 0);
  EXPECT_EQ(lookup("QZEnt_MText", "TextStyleName", "QZTextStyleName", "TextStyleNameID"), 0);
  EXPECT_EQ(lookup("QZEnt_Hatch", "PatternName", "QZPatternName", "PatternID"), 0);
  EXPECT_EQ(lookup("QZEnt_BlockDefine", "BlockID", "QZEnt_BlockGlobal", "BlockID"), 0);
  EXPECT_EQ(lookup("QZPartEntities", "LayerID", "QZLayer", "LayerID"), 0);
  // A block reference names the block definition entity of its own part.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM QZEnt_BlockReference r WHERE NOT EXISTS (SELECT 1 FROM "
                  "QZEnt_BlockDefine d JOIN QZPartEntities e ON e.PartID = d.PartID AND "
                  "e.EntityID = d.EntityID AND e.EntityType = 10 WHERE d.PartID = r.PartID AND "
                  "d.EntityID = r.BlockDefID)"),
            0);
  // A block reference's list names the attribute entities of its block.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM QZEnt_BlockReference r JOIN QZEntityIdList l ON "
                  "l.PartID = r.PartID AND l.EntityID = r.EntityID AND l.EntityListID = "
                  "r.EntityListID JOIN QZPartEntities e ON e.PartID = l.PartID AND e.EntityID = "
                  "l.RefEntityIDs WHERE e.EntityType <> 9"),
            0);
}

// The definition table of each entity type; attributes may have several rows per entity.
const std::map<int, std::vector<std::string>>& TypeTables() {
  static const std::map<int, std::vector<std::string>> tables = {
      {1, {"QZEnt_Line"}},
      {2, {"QZEnt_Circle"}},
      {3, {"QZEnt_Arc"}},
      {4, {"QZEnt_Ellipse"}},
      {5, {"QZEnt_2dPolyline"}},
      {6, {"QZEnt_3dPolyline"}},
      {7, {"QZEnt_Text"}},
      {8, {"QZEnt_MText"}},
      {9, {"QZEnt_Attribute"}},
      {10, {"QZEnt_BlockDefine"}},
      {11, {"QZEnt_BlockReference"}},
      {12, {"QZEnt_Group"}},
      {13, {"QZEnt_Hatch"}},
      {14, {"QZEnt_Leader"}},
      {15, {"QZEnt_DimRotated", "QZEnt_DimCommonStyle", "QZEnt_DimCommonText"}},
      {16, {"QZEnt_DimAligned", "QZEnt_DimCommonStyle", "QZEnt_DimCommonText"}},
      {17, {"QZEnt_DimDiametric", "QZEnt_DimCommonStyle", "QZEnt_DimCommonText"}},
      {18, {"QZEnt_DimRadial", "QZEnt_DimCommonStyle", "QZEnt_DimCommonText"}},
      {19, {"QZEnt_Dim3PointAngular", "QZEnt_DimCommonStyle", "QZEnt_DimCommonText"}},
      {20, {"QZEnt_Dim2LineAngular", "QZEnt_DimCommonStyle", "QZEnt_DimCommonText"}},
      {21, {"QZEnt_DimOrdinate", "QZEnt_DimCommonStyle", "QZEnt_DimCommonText"}},
      {22, {"QZEntTrans_Move"}},
      {23, {"QZEntTrans_PolarArray"}},
      {24, {"QZEntTrans_RectArray"}},
      {25, {"QZEntTrans_Rotate"}},
      {26, {"QZEntTrans_Mirror"}},
  };
  return tables;
}

TEST(LibraryEntities, EveryEntityHasTheRowsOfItsType) {
  std::set<int> used;
  for (const Row& e :
       SampleLibrary().Query("SELECT PartID, EntityID, EntityType, Name FROM QZPartEntities")) {
    int type = static_cast<int>(e.Int("EntityType"));
    SCOPED_TRACE(e.Text("Name"));
    ASSERT_TRUE(TypeTables().count(type)) << "type " << type;
    used.insert(type);
    for (const std::string& table : TypeTables().at(type)) {
      long long n = Count("SELECT COUNT(*) FROM \"" + table +
                          "\" WHERE PartID = " + std::to_string(e.Int("PartID")) +
                          " AND EntityID = " + std::to_string(e.Int("EntityID")));
      if (type == 9) {
        EXPECT_GE(n, 1) << table;
      } else {
        EXPECT_EQ(n, 1) << table;
      }
    }
  }
  // Every kind of entity the parts need: all but the 3D polyline and the ordinate dimension,
  // which no view of these parts calls for.
  for (int type = 1; type <= 26; ++type) {
    if (type == 6 || type == 21) continue;
    EXPECT_TRUE(used.count(type)) << "type " << type << " is used nowhere";
  }
}

TEST(LibraryEntities, NoDefinitionRowWithoutItsEntity) {
  for (const auto& [type, tables] : TypeTables()) {
    for (const std::string& table : tables) {
      SCOPED_TRACE(table);
      std::string types = table.rfind("QZEnt_DimCommon", 0) == 0 ? "BETWEEN 15 AND 21"
                                                                 : "= " + std::to_string(type);
      EXPECT_EQ(Count("SELECT COUNT(*) FROM \"" + table +
                      "\" t WHERE NOT EXISTS (SELECT 1 "
                      "FROM QZPartEntities e WHERE e.PartID = t.PartID AND e.EntityID = "
                      "t.EntityID AND e.EntityType " +
                      types + ")"),
                0);
    }
  }
}

TEST(LibraryEntities, EveryEntityIsInAViewOfItsPart) {
  EXPECT_EQ(Count("SELECT COUNT(*) FROM QZPartEntities e WHERE NOT EXISTS (SELECT 1 FROM "
                  "QZPartViewEntities v WHERE v.PartID = e.PartID AND v.EntityID = e.EntityID)"),
            0);
  EXPECT_EQ(Dangling("QZPartViewEntities", "EntityID", "QZPartEntities", "EntityID"), 0);
  EXPECT_EQ(Dangling("QZPartViewEntities", "PartViewID", "QZPartViews", "PartViewID"), 0);
  // The host keys views by identifier: no two views share one.
  EXPECT_EQ(Count("SELECT COUNT(*) - COUNT(DISTINCT PartViewID) FROM QZPartViews"), 0);
}

TEST(LibraryEntities, IdentifiersAndNamesAreUniqueWithinAPart) {
  const std::pair<const char*, const char*> keys[] = {
      {"QZPartEntities", "EntityID"},   {"QZPartPoints", "PointID"},
      {"QZPartPoints", "Name"},         {"QZPartStructureParas", "StructureID"},
      {"QZPartStructureParas", "Name"}, {"QZPartInputParas", "ParaID"},
      {"QZPartInputParas", "ParaName"}, {"QZPartPrptys", "PropertyID"},
  };
  for (const auto& [table, column] : keys) {
    SCOPED_TRACE(std::string(table) + "." + column);
    EXPECT_EQ(Count(std::string("SELECT COUNT(*) FROM (SELECT PartID, \"") + column + "\" FROM \"" +
                    table + "\" GROUP BY PartID, \"" + column + "\" HAVING COUNT(*) > 1)"),
              0);
  }
  // Part identities are unique across the library.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM (SELECT DATA1, DATA2, DATA3, DATA4 FROM QZPartGUIDs "
                  "GROUP BY 1, 2, 3, 4 HAVING COUNT(*) > 1)"),
            0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM QZParts p WHERE (SELECT COUNT(*) FROM QZPartGUIDs g "
                  "WHERE g.ID = p.PartID) <> 1"),
            0);
}

}  // namespace
}  // namespace qzdbs::test
