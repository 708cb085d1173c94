// The entity parameter readers: for every type code the records it adds (keys
// in order, values, flags, aliases), and each reader's own failure behaviour.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "db/DbTest.h"
#include "db/EntityReaders.h"
#include "db/clsPartComputeDB.h"

namespace qzdbs::test {
namespace {

// Part 1 holds one entity of every type; part 2 reuses some identifiers, so a
// query that forgets the part finds two rows.
const char* kEntities = R"sql(
INSERT INTO QZEnt_Line VALUES (1, 1, 4, 9);
INSERT INTO QZEnt_Line VALUES (2, 1, 5, 6);
INSERT INTO QZEnt_Line VALUES (1, 100, 4, 4);
INSERT INTO QZEnt_Circle VALUES (1, 2, 4, 17);
INSERT INTO QZEnt_Arc VALUES (1, 3, 4, 17, 18, 19);
INSERT INTO QZEnt_Ellipse VALUES (1, 4, 4, 17, 18, NULL, NULL, 9, 5, 0);
INSERT INTO QZEnt_Ellipse VALUES (1, 40, 4, 17, 18, 20, 12.0, 9, 5, 1);
INSERT INTO QZEnt_2dPolyline VALUES (1, 5, 1, 0, 0.5, 1);
INSERT INTO QZPartPointIdList VALUES (1, 5, 1, 30, 3);
INSERT INTO QZPartPointIdList VALUES (1, 5, 1, 10, 1);
INSERT INTO QZPartPointIdList VALUES (1, 5, 1, 20, 2);
INSERT INTO QZPartPointIdList VALUES (2, 5, 1, 99, 0);
INSERT INTO QZEnt_3dPolyline VALUES (1, 6, 2, 1, 0);
INSERT INTO QZPartPointIdList VALUES (1, 6, 2, 11, 1);
INSERT INTO QZPartPointIdList VALUES (1, 6, 2, 12, 2);
INSERT INTO QZTextStyleName VALUES (1, '仿宋');
INSERT INTO QZEnt_Text VALUES (1, 7, 4, '"M" & O.d', 1, 17, 15, 18, 0.7, 1);
INSERT INTO QZEnt_MText VALUES (1, 8, 9, 'Ø20', 0, 1, 'H7', 1, 0.021, 0, 0, '', '', 18, 17, 30, 1.2, 5, 1);
INSERT INTO QZEnt_Attribute VALUES (1, 9, '材料', 'Q235', 0, NULL);
INSERT INTO QZEnt_Attribute VALUES (1, 9, '等级', 'S.g', 1, '8.8');
INSERT INTO QZEnt_Attribute VALUES (1, 9, '材料', '45', 0, '');
INSERT INTO QZEnt_BlockGlobal VALUES (1, 'ROUGH', 1, NULL, X'5157');
INSERT INTO QZEnt_BlockDefine VALUES (1, 10, 1);
INSERT INTO QZEnt_BlockReference VALUES (1, 11, 4, 17, 18, 10, 5);
INSERT INTO QZEntityIdList VALUES (1, 11, 5, 9);
INSERT INTO QZEntityIdList VALUES (1, 11, 6, 77);
INSERT INTO QZEnt_BlockReference VALUES (1, 111, 9, 18, 17, 10, 6);
INSERT INTO QZEnt_Group VALUES (1, 12, 7);
INSERT INTO QZEntityIdList VALUES (1, 12, 7, 1);
INSERT INTO QZEntityIdList VALUES (1, 12, 7, 2);
INSERT INTO QZEntityIdList VALUES (2, 12, 7, 3);
INSERT INTO QZPatternName VALUES (3, 'ANSI31');
INSERT INTO QZEnt_Hatch VALUES (1, 13, 3, 0, 1.5, 45, 8, 9);
INSERT INTO QZEntityIdList VALUES (1, 13, 8, 1);
INSERT INTO QZEntityIdList VALUES (1, 13, 9, 2);
INSERT INTO QZEntityIdList VALUES (1, 13, 8, 3);
INSERT INTO QZEntityIdList VALUES (1, 13, 10, 4);
INSERT INTO QZEnt_Leader VALUES (1, 14, 3, 12, 1, 0);
INSERT INTO QZPartPointIdList VALUES (1, 14, 3, 21, 2);
INSERT INTO QZPartPointIdList VALUES (1, 14, 3, 22, 1);
INSERT INTO QZEntityIdList VALUES (1, 14, 12, 8);
INSERT INTO QZEnt_DimRotated VALUES (1, 15, 4, 9, 5, 90);
INSERT INTO QZEnt_DimAligned VALUES (1, 16, 4, 9, 5);
INSERT INTO QZEnt_DimDiametric VALUES (1, 17, 4, 17);
INSERT INTO QZEnt_DimRadial VALUES (1, 18, 4, NULL);
INSERT INTO QZEnt_Dim3PointAngular VALUES (1, 19, 4, 9, 5, 6);
INSERT INTO QZEnt_Dim2LineAngular VALUES (1, 20, 4, 9, 5, 6, 7);
INSERT INTO QZEnt_DimOrdinate VALUES (1, 21, 4, 9, 5, 1);
INSERT INTO QZEntTrans_Move VALUES (1, 22, 4, 9, -1, 11);
INSERT INTO QZEntityIdList VALUES (1, 22, 11, 1);
INSERT INTO QZEntityIdList VALUES (1, 22, 11, 2);
INSERT INTO QZEntTrans_PolarArray VALUES (1, 23, 4, 9, 17, 18, 1, 13);
INSERT INTO QZEntityIdList VALUES (1, 23, 13, 3);
INSERT INTO QZEntTrans_RectArray VALUES (1, 24, 17, 18, 19, 20, 21, 14);
INSERT INTO QZEntityIdList VALUES (1, 24, 14, 4);
INSERT INTO QZEntTrans_Rotate VALUES (1, 25, 4, 17, 0, 15);
INSERT INTO QZEntityIdList VALUES (1, 25, 15, 5);
INSERT INTO QZEntTrans_Mirror VALUES (1, 26, 4, 9, 1, 16);
INSERT INTO QZEntityIdList VALUES (1, 26, 16, 6);
INSERT INTO QZEnt_DimCommonStyle VALUES (1, 15, 1, 2, 3, 0, 30.5, 0, 1, 1, 1, 0, 1);
INSERT INTO QZEnt_DimCommonText VALUES (1, 15, 9, 'S.d', 1, 0, 0, 1, '6g', 0, 0.1, -0.1, 0, '', '', 'mm', 0, 2);
)sql";

// Expected records, one line per parameter:
//   name|P|id                 point reference: name.X/Y/Z aliased P.id.X/Y/Z
//   name|S|id                 structure reference: name.S aliased S.id
//   name|V|value              literal
//   T|text|flag               TextString.S
//   E|value|flag              the next EntityID.En
//   A|name|value|flag|default attribute
std::vector<clsCompute> Expand(const std::vector<std::string>& lines) {
  std::vector<clsCompute> records;
  int members = 0;
  for (const std::string& line : lines) {
    std::vector<std::string> f;
    std::stringstream in(line);
    for (std::string piece; std::getline(in, piece, '|');)
      f.push_back(piece);
    if (line.back() == '|') f.push_back("");
    auto add = [&](std::string type, std::string name, std::string value, int16_t isExpression,
                   int32_t done, int16_t visible, std::string tag) {
      clsCompute r;
      r.ParaType = type;
      r.ParaName = name;
      r.XKey = type + "." + name;
      r.ParaValue = value;
      r.IsExpression = isExpression;
      r.isDoneCalValue = done;
      r.Visible = visible;
      r.TagStr = tag;
      records.push_back(r);
    };
    if (f[0] == "T") {
      add("TextString", "S", f[1], static_cast<int16_t>(std::stoi(f[2])), 0, 0, "");
    } else if (f[0] == "E") {
      add("EntityID", "E" + std::to_string(++members), f[1], static_cast<int16_t>(std::stoi(f[2])),
          0, 0, "");
    } else if (f[0] == "A") {
      add("Attribute", f[1], f[2], static_cast<int16_t>(std::stoi(f[3])), 0, 1, f[4]);
    } else if (f[1] == "P") {
      for (const char* axis : {"X", "Y", "Z"})
        add(f[0], axis, "", 1, 0, 1, "P." + f[2] + "." + axis);
    } else if (f[1] == "S") {
      add(f[0], "S", "", 0, 1, 1, "S." + f[2]);
    } else {
      add(f[0], "S", f[2], 0, 0, 0, "");
    }
  }
  return records;
}

struct ReaderCase {
  int32_t code;
  int32_t entity;
  std::vector<std::string> expected;
};

const std::vector<ReaderCase>& Cases() {
  static const std::vector<ReaderCase> cases = {
      {1, 1, {"StartPoint|P|4", "EndPoint|P|9"}},
      {2, 2, {"CenterPoint|P|4", "Radius|S|17"}},
      {3, 3, {"CenterPoint|P|4", "Radius|S|17", "StartAngle|S|18", "EndAngle|S|19"}},
      {4,
       4,
       {"CenterPoint|P|4", "MajorAxis|P|9", "MajorRadius|S|17", "MinorRadius|S|18",
        "StartAngle|S|0", "EndAngle|S|0", "isEllipseOArc|V|0"}},
      {4,
       40,
       {"CenterPoint|P|4", "MajorAxis|P|9", "MajorRadius|S|17", "MinorRadius|S|18",
        "StartAngle|S|20", "EndAngle|S|12", "isEllipseOArc|V|1"}},
      {5,
       5,
       {"PlineType|V|0", "ConstantWidth|V|0.5", "isClosed|V|1", "PointID1|P|10", "PointID2|P|20",
        "PointID3|P|30"}},
      {6, 6, {"PlineType|V|1", "isClosed|V|0", "PointID1|P|11", "PointID2|P|12"}},
      {7,
       7,
       {"InsertionPoint|P|4", "T|\"M\" & O.d|1", "Rotation|S|18", "Height|S|17",
        "ObliqueAngle|V|15", "ScaleFactor|V|0.7", "TextStyleName|V|仿宋"}},
      {8,
       8,
       {"InsertionPoint|P|9", "T|Ø20|0", "isHaveTolCode|V|1", "ToleranceCode|V|H7",
        "isHaveTolVal|V|1", "TopTol|V|0.021", "BottomTol|V|0", "isHaveFollow|V|0", "DimFollow|V|",
        "DimFront|V|", "Rotation|S|18", "Height|S|17", "Width|V|30", "LineSpacingFactor|V|1.2",
        "AttachmentPoint|V|5", "TextStyleName|V|仿宋"}},
      // The repeated attribute name keeps its first row.
      {9, 9, {"A|材料|Q235|0|", "A|等级|S.g|1|8.8"}},
      {10, 10, {"BlockName|V|ROUGH", "hasAttribute|V|1", "BlockType|V|0"}},
      {11,
       11,
       {"InsertPoint|P|4", "Rotation|S|17", "ScaleFactor|S|18", "Name|V|ROUGH", "hasAttribute|V|1",
        "BlockType|V|0", "E|9|0"}},
      // A block reference whose list is empty still succeeds.
      {11,
       111,
       {"InsertPoint|P|9", "Rotation|S|18", "ScaleFactor|S|17", "Name|V|ROUGH", "hasAttribute|V|1",
        "BlockType|V|0"}},
      {12, 12, {"E|1|0", "E|2|0"}},
      // Outer loop list 8, inner 9; list 10 belongs to neither.
      {13,
       13,
       {"PatternName|V|ANSI31", "PatternIsDoubled|V|0", "PatternScale|V|1.5", "PatternAngle|V|45",
        "E|1|0", "E|2|1", "E|3|0"}},
      {14, 14, {"LeaderType|V|1", "hasHookLine|V|0", "PointID1|P|22", "PointID2|P|21", "E|8|0"}},
      {15, 15, {"DimLinePoint|P|4", "ExtLine1Point|P|9", "ExtLine2Point|P|5", "Rotation|V|90"}},
      {16, 16, {"DimLinePoint|P|4", "ExtLine1Point|P|9", "ExtLine2Point|P|5"}},
      {17, 17, {"CenterPoint|P|4", "Radius|S|17"}},
      {18, 18, {"CenterPoint|P|4", "Radius|S|"}},  // a null structure reference is no failure
      {19,
       19,
       {"AngleVertPoint|P|4", "ExtLine1EndPoint|P|9", "ExtLine2EndPoint|P|5", "ArcPoint|P|6"}},
      {20,
       20,
       {"ExtLine1StartPoint|P|4", "ExtLine1EndPoint|P|9", "ExtLine2StartPoint|P|5",
        "ExtLine2EndPoint|P|6", "ArcPoint|P|7"}},
      {21, 21, {"DefiningPoint|P|4", "Origin|P|9", "LeaderEndPoint|P|5", "useXYAxis|V|1"}},
      {22, 22, {"bEraseOld|V|-1", "FromPoint|P|4", "ToPoint|P|9", "E|1|0", "E|2|0"}},
      {23,
       23,
       {"CenterPoint|P|4", "BasePoint|P|9", "isRoateEachItem|V|1", "ItemNumber|S|17",
        "SweepAngle|S|18", "E|3|0"}},
      {24,
       24,
       {"RowNumber|S|17", "ColumnNumber|S|18", "RowSpace|S|19", "ColumnSpace|S|20",
        "ArrayAngle|S|21", "E|4|0"}},
      {25, 25, {"BasePoint|P|4", "Rotation|S|17", "bEraseOld|V|0", "E|5|0"}},
      {26, 26, {"bEraseOld|V|1", "FromPoint|P|4", "ToPoint|P|9", "E|6|0"}},
      {27, 15, {"DimType|V|1",       "iOutIndex|V|2",    "iInIndex|V|3",      "isHasLAngle|V|0",
                "dLAngle|V|30.5",    "DimJust|V|0",      "DimDad|V|1",        "HasFirstArr|V|1",
                "HasSecondArr|V|1",  "HasFirstLine|V|0", "HasSecondLine|V|1", "TextPosition|P|9",
                "T|S.d|1",           "isRotateText|V|0", "TextRotation|V|0",  "isHaveTolCode|V|1",
                "str_DimTolNo|V|6g", "isHaveTolVal|V|0", "fTopTol|V|0.1",     "fBottomTol|V|-0.1",
                "isHaveFollow|V|0",  "str_DimFollow|V|", "str_DimFront|V|",   "str_TolUnit|V|mm",
                "isRectText|V|0",    "dimdec|V|2"}},
  };
  return cases;
}

class EntityReadersTest : public DbTest {
 protected:
  void Load(const std::string& rows) {
    library_ = std::make_unique<ScratchLibrary>(SchemaSql() + rows);
    reader = std::make_unique<clsPartComputeDB>();
    reader->InitClass(1);
    ASSERT_TRUE(reader->openCnn(library_->ConnectionString()));
    Engine().BlockFolder = library_->Folder();
  }
  bool Read(int32_t entity, int32_t code) {
    params = std::make_shared<colCompute>();
    return reader->getEntityParaDB(entity, code, params);
  }
  std::string Folder() const { return library_->Folder(); }

  std::unique_ptr<clsPartComputeDB> reader;
  std::shared_ptr<colCompute> params;

 private:
  std::unique_ptr<ScratchLibrary> library_;
};

TEST_F(EntityReadersTest, EveryTypeAddsItsRecordsInOrder) {
  Load(kEntities);
  for (const ReaderCase& c : Cases()) {
    SCOPED_TRACE(EntityReaderName(c.code) + " entity " + std::to_string(c.entity));
    ASSERT_TRUE(Read(c.entity, c.code));
    const std::vector<clsCompute> expected = Expand(c.expected);
    ASSERT_EQ(params->Count(), static_cast<int32_t>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
      const clsCompute& e = expected[i];
      const auto& r = params->Item(static_cast<int32_t>(i + 1));
      SCOPED_TRACE(e.XKey);
      EXPECT_EQ(r->XKey, e.XKey);
      EXPECT_EQ(r->ParaValue, e.ParaValue);
      EXPECT_EQ(r->IsExpression, e.IsExpression);
      EXPECT_EQ(r->isDoneCalValue, e.isDoneCalValue);
      EXPECT_EQ(r->Visible, e.Visible);
      EXPECT_EQ(r->TagStr, e.TagStr);
      EXPECT_EQ(r->Expression, "");
      EXPECT_EQ(r->TagLong, 0);
    }
  }
  ExpectNoBox();
}

TEST_F(EntityReadersTest, AliasesLeadFromPointsAndStructuresToKeys) {
  Load(kEntities);
  ASSERT_TRUE(Read(1, 1));
  std::string key;
  ASSERT_TRUE(params->getKey("P.9.Y", key));
  EXPECT_EQ(key, "EndPoint.Y");
  // The same point twice: both records stored, the alias belongs to the first.
  ASSERT_TRUE(Read(100, 1));
  EXPECT_EQ(params->Count(), 6);
  ASSERT_TRUE(params->getKey("P.4.X", key));
  EXPECT_EQ(key, "StartPoint.X");
  EXPECT_EQ(params->Item("EndPoint.X")->TagStr, "P.4.X");
}

TEST_F(EntityReadersTest, ReaderStateAndCodesWithoutReader) {
  Load(kEntities);
  for (int32_t code : {0, 28, -1}) {
    auto before = std::make_shared<colCompute>();
    EXPECT_TRUE(reader->getEntityParaDB(1, code, before)) << code;
    EXPECT_EQ(before->Count(), 0);
    EXPECT_EQ(reader->CurrentEntityPara(), before);
    EXPECT_EQ(reader->CurrentEntity(), 1);
  }
  ASSERT_TRUE(Read(2, 2));
  EXPECT_EQ(reader->CurrentEntity(), 2);
  EXPECT_EQ(reader->CurrentEntityPara(), params);
  EXPECT_FALSE(reader->getEntityParaDB(2, 2, nullptr));
  ExpectNoBox();
}

// One broken rule per case; each reader fails its own way.
struct FailureCase {
  const char* name;
  int32_t code;
  int32_t entity;
  const char* rows;   // added to kEntities
  const char* title;  // nullptr: no box
  bool emptyText;     // the box has no text (an unmet row rule)
  int32_t added;      // records left in the collection
};

TEST_F(EntityReadersTest, FailuresAndTheirBoxes) {
  const FailureCase cases[] = {
      {"line without row", 1, 50, "", nullptr, false, 0},
      {"two rows for one line", 1, 50,
       "INSERT INTO QZEnt_Line VALUES (1, 50, 1, 2); INSERT INTO QZEnt_Line VALUES (1, 50, 3, 4);",
       nullptr, false, 0},
      {"null point", 2, 50, "INSERT INTO QZEnt_Circle VALUES (1, 50, NULL, 17);", nullptr, false,
       0},
      {"null end angle", 4, 50,
       "INSERT INTO QZEnt_Ellipse VALUES (1, 50, 4, 1, 2, 3, NULL, 9, 5, 0);", nullptr, false, 9},
      {"polyline without points", 5, 50, "INSERT INTO QZEnt_2dPolyline VALUES (1, 50, 9, 0, 0, 0);",
       nullptr, false, 0},
      {"text without style", 7, 50,
       "INSERT INTO QZEnt_Text VALUES (1, 50, 4, 'A', 0, 17, 0, 18, 1, 99);", nullptr, false, 0},
      {"text with null text", 7, 50,
       "INSERT INTO QZEnt_Text VALUES (1, 50, 4, NULL, 0, 17, 0, 18, 1, 1);", "提示：", false, 3},
      {"mtext without row", 8, 50, "", "提示：", true, 0},
      {"mtext with null tolerance code", 8, 50,
       "INSERT INTO QZEnt_MText VALUES (1, 50, 9, 'A', 0, 1, NULL, 1, 0, 0, 0, '', '', 18, 17, 30, "
       "1, 5, 1);",
       "提示：", false, 5},
      {"attributes without row", 9, 50, "", nullptr, false, 0},
      {"attribute with null value", 9, 50,
       "INSERT INTO QZEnt_Attribute VALUES (1, 50, 'A', 'x', 0, NULL);"
       "INSERT INTO QZEnt_Attribute VALUES (1, 50, 'B', NULL, 0, NULL);",
       nullptr, false, 1},
      {"block without row", 10, 50, "", nullptr, false, 0},
      {"block reference to no block", 11, 50,
       "INSERT INTO QZEnt_BlockReference VALUES (1, 50, 4, 17, 18, 99, 5);", nullptr, false, 0},
      {"group without members", 12, 50, "INSERT INTO QZEnt_Group VALUES (1, 50, 40);", "提示：",
       true, 0},
      {"hatch without pattern", 13, 50,
       "INSERT INTO QZEnt_Hatch VALUES (1, 50, 99, 0, 1, 0, 8, 9);", "提示：", true, 0},
      {"hatch without loops", 13, 50, "INSERT INTO QZEnt_Hatch VALUES (1, 50, 3, 0, 1, 0, 8, 9);",
       "提示：", true, 4},
      {"leader without points", 14, 50, "INSERT INTO QZEnt_Leader VALUES (1, 50, 3, 12, 1, 0);",
       "getEntDimLeader", true, 0},
      {"leader without annotation", 14, 50,
       "INSERT INTO QZEnt_Leader VALUES (1, 50, 4, 40, 1, 0);"
       "INSERT INTO QZPartPointIdList VALUES (1, 50, 4, 21, 1);",
       "getEntDimLeader", true, 5},
      {"leader with null point", 14, 50,
       "INSERT INTO QZEnt_Leader VALUES (1, 50, 4, 40, 1, 0);"
       "INSERT INTO QZPartPointIdList VALUES (1, 50, 4, NULL, 1);",
       "getEntDimLeader", false, 2},
      {"dimension without row", 15, 50, "", nullptr, false, 0},
      {"dimension with text rotation", 15, 50,
       "INSERT INTO QZEnt_DimRotated VALUES (1, 50, 4, 9, 5, NULL);", nullptr, false, 9},
      {"move without members", 22, 50, "INSERT INTO QZEntTrans_Move VALUES (1, 50, 4, 9, 0, 40);",
       "提示：", true, 0},
      {"polar array without members", 23, 50,
       "INSERT INTO QZEntTrans_PolarArray VALUES (1, 50, 4, 9, 17, 18, 1, 40);", "提示：", true, 0},
      {"rectangular array without members", 24, 50,
       "INSERT INTO QZEntTrans_RectArray VALUES (1, 50, 1, 2, 3, 4, 5, 40);", "提示：", true, 0},
      {"rotate without members", 25, 50,
       "INSERT INTO QZEntTrans_Rotate VALUES (1, 50, 4, 17, 0, 40);", "提示：", true, 0},
      {"mirror without members", 26, 50,
       "INSERT INTO QZEntTrans_Mirror VALUES (1, 50, 4, 9, 0, 40);", "提示：", true, 0},
      {"dimension style without text", 27, 50,
       "INSERT INTO QZEnt_DimCommonStyle VALUES (1, 50, 1, 2, 3, 0, 30, 0, 1, 1, 1, 0, 1);",
       "提示：", true, 0},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    Load(std::string(kEntities) + c.rows);
    ClearBoxes();
    EXPECT_FALSE(Read(c.entity, c.code));
    EXPECT_EQ(params->Count(), c.added);
    if (!c.title) {
      ExpectNoBox();
    } else {
      std::string text = ExpectOneBox(MsgIcon::Critical, c.title);
      EXPECT_EQ(text.empty(), c.emptyText) << text;
    }
  }
}

TEST_F(EntityReadersTest, MissingTableIsAReadFailure) {
  Load("DROP TABLE QZEnt_Circle; DROP TABLE QZEntTrans_Move;");
  ClearBoxes();
  EXPECT_FALSE(Read(2, 2));
  ExpectNoBox();
  EXPECT_FALSE(Read(22, 22));
  std::string text = ExpectOneBox(MsgIcon::Critical, "提示：");
  EXPECT_NE(text.find("QZEntTrans_Move"), std::string::npos) << text;
}

TEST_F(EntityReadersTest, BlockDefinitionWritesItsFileIntoTheBlockFolder) {
  Load(kEntities);
  ASSERT_TRUE(Read(10, 10));
  EXPECT_EQ(ReadText(Folder() + "ROUGH.DWG"), "QW");
  ExpectNoBox();
}

TEST_F(EntityReadersTest, BlockDefinitionWithoutDataWritesNothing) {
  Load(R"sql(
INSERT INTO QZEnt_BlockGlobal VALUES (1, 'EMPTY', 0, 2, NULL);
INSERT INTO QZEnt_BlockDefine VALUES (1, 10, 1);
)sql");
  ASSERT_TRUE(Read(10, 10));
  EXPECT_EQ(params->Count(), 3);
  EXPECT_EQ(params->Item("BlockType.S")->ParaValue, "2");
  EXPECT_EQ(ExpectOneBox(MsgIcon::Information, "提示："),
            Folder() + "EMPTY.DWG" + "没有定义块定义的二进制数据");
  EXPECT_FALSE(std::filesystem::exists(Folder() + "EMPTY.DWG"));
}

// Only a name that names another folder is refused; a link planted under the
// block's file name (a shared folder) is replaced, its target left intact.
TEST_F(EntityReadersTest, BlockFilesStayInTheirFolderAndNeverFollowALink) {
  ScratchDir elsewhere;
  const std::filesystem::path outside = elsewhere.Path() / "victim.txt";
  const struct {
    const char* name;
    bool written;
  } rows[] = {{"../escape", false}, {"sub/inner", false}, {"..\\up", false},
              {"C:evil", false},    {"Bolt..M10", true},  {"..", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Load(std::string("INSERT INTO QZEnt_BlockGlobal VALUES (1, '") + row.name +
         "', 0, 0, X'5157'); INSERT INTO QZEnt_BlockDefine VALUES (1, 10, 1);");
    const std::string file = Folder() + row.name + ".DWG";
    if (row.written) {
      { std::ofstream(outside) << "theirs"; }
      std::filesystem::create_symlink(outside, file);
    }
    ClearBoxes();
    EXPECT_EQ(Read(10, 10), row.written);
    EXPECT_EQ(params->Count(), 3);
    if (row.written) {
      ExpectNoBox();
      EXPECT_EQ(ReadText(file), "QW");
      EXPECT_EQ(ReadText(outside), "theirs");
    } else {
      std::string text = ExpectOneBox(MsgIcon::Exclamation, "提示：");
      EXPECT_NE(text.find(row.name), std::string::npos) << text;
    }
    EXPECT_FALSE(
        std::filesystem::exists(std::filesystem::path(Folder()).parent_path() / "escape.DWG"));
  }
}

TEST_F(EntityReadersTest, BlockFileThatCannotBeWrittenFails) {
  Load(kEntities);
  Engine().BlockFolder = Folder() + "missing/";
  EXPECT_FALSE(Read(10, 10));
  ExpectOneBox(MsgIcon::Information, "提示：");
}

}  // namespace
}  // namespace qzdbs::test
