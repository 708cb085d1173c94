// The 27 entity types as data: per type code its names, query, row rule,
// parameters in order of addition, the steps that follow and when its reader
// shows its failures.
#include "db/EntityTypeDef.h"

#include <string>

namespace qzdbs {

namespace {

using E = EntityType;
using K = ParamKind;
using T = TailStep;
using S = ShowFailures;
constexpr RowRule kOne = RowRule::ExactlyOne;
constexpr RowRule kSome = RowRule::AtLeastOne;
constexpr const char* kNotice = "提示：";

ParamDef Pt(const char* name) {
  return {K::Point, name, name};
}
ParamDef St(const char* name) {
  return {K::Struct, name, name};
}
ParamDef V(const char* name, const char* column = nullptr) {
  return {K::Literal, name, column ? column : name};
}
ParamDef V0(const char* name, const char* column = nullptr) {
  return {K::LiteralOrZero, name, column ? column : name};
}
const ParamDef kText{K::Text, "TextString", "TextString"};
const ParamDef kEllipseAngles{K::EllipseAngles, "StartAngle", "StartAngle"};

// clang-format off
const std::vector<EntityTypeDef>& Table() {
  static const std::vector<EntityTypeDef> table = {
    {E::Line, "getEntLine", "OutputEntLine",
     "SELECT [StartPoint],[EndPoint] FROM [QZEnt_Line] WHERE [PartID] = {P} AND [EntityID] = {E}",
     kOne, {Pt("StartPoint"), Pt("EndPoint")}, {}, S::Never, kNotice},
    {E::Circle, "getEntCircle", "OutputEntCircle",
     "SELECT [CenterPoint],[Radius] FROM [QZEnt_Circle] WHERE [PartID] = {P} AND [EntityID] = {E}",
     kOne, {Pt("CenterPoint"), St("Radius")}, {}, S::Never, kNotice},
    {E::Arc, "getEntArc", "OutputEntArc",
     "SELECT [CenterPoint],[Radius],[StartAngle],[EndAngle] FROM [QZEnt_Arc] WHERE [PartID] = {P} AND [EntityID] = {E}",
     kOne, {Pt("CenterPoint"), St("Radius"), St("StartAngle"), St("EndAngle")}, {}, S::Never, kNotice},
    {E::Ellipse, "getEntEllipse", "OutputEntEllipse",
     "SELECT [CenterPoint],[MajorRadius],[MinorRadius],[StartAngle],[EndAngle],[MajorAxis], [MinorAxis],[isEllipseOArc] FROM  [QZEnt_Ellipse] WHERE [PartID] = {P} AND [EntityID] = {E}",
     kOne, {Pt("CenterPoint"), Pt("MajorAxis"), St("MajorRadius"), St("MinorRadius"), kEllipseAngles,
            V("isEllipseOArc")}, {}, S::Never, kNotice},
    {E::Polyline, "getEnt2dPolyline", "OutputEntLWPline",
     "SELECT [PlineType],[ConstantWidth],[isClosed],[PointID]  FROM  [QZEnt_2dPolyline],[QZPartPointIdList] WHERE   [QZEnt_2dPolyline].[PartID] = {P} AND [QZEnt_2dPolyline].[EntityID] = {E}  AND [QZPartPointIdList].[PartID] = {P} AND [QZPartPointIdList].[EntityID] = {E}  AND  [QZEnt_2dPolyline].[PointListID] = [QZPartPointIdList].[PointListID]  Order By [QZPartPointIdList].[Position]",
     kSome, {V("PlineType"), V("ConstantWidth"), V("isClosed")}, {T::PointRows}, S::Never, kNotice},
    {E::Polyline3d, "getEnt3dPolyline", "OutputEnt3dPolyline",
     "SELECT [PlineType],[isClosed],[PointID]  FROM  [QZEnt_3dPolyline],[QZPartPointIdList] WHERE   [QZEnt_3dPolyline].[PartID] = {P} AND [QZEnt_3dPolyline].[EntityID] = {E}  AND [QZPartPointIdList].[PartID] = {P} AND [QZPartPointIdList].[EntityID] = {E}  AND [QZEnt_3dPolyline].[PointListID] = [QZPartPointIdList].[PointListID]  Order By [QZPartPointIdList].[Position]",
     kSome, {V("PlineType"), V("isClosed")}, {T::PointRows}, S::Never, kNotice},
    {E::Text, "getEntText", "OutputEntText",
     "SELECT [InsertionPoint],[TextString],[IsExpression],[Height], [ObliqueAngle], [Rotation],[ScaleFactor],[Name] FROM  [QZEnt_Text],[QZTextStyleName] WHERE [PartID] = {P} AND [EntityID] = {E} AND [QZTextStyleName].[TextStyleNameID] = [QZEnt_Text].[TextStyleName]",
     kOne, {Pt("InsertionPoint"), kText, St("Rotation"), St("Height"), V("ObliqueAngle"),
            V("ScaleFactor"), V("TextStyleName", "Name")}, {}, S::ReadFailures, kNotice},
    {E::MText, "getEntMText", "OutputEntMText",
     "SELECT [InsertionPoint],[TextString],[IsExpression],[bHaveTolNo], [str_DimTolNo],[bHaveTolVal],[fTopTol],[fBottomTol],[bHaveFollow],[str_DimFollow],  [str_DimFront],[Rotation],[Height],[Width],[LineSpacingFactor],[AttachmentPoint],[Name] FROM  [QZEnt_MText],[QZTextStyleName] WHERE [PartID] = {P} AND [EntityID] = {E} AND [QZTextStyleName].[TextStyleNameID] = [QZEnt_MText].[TextStyleName]",
     kOne, {Pt("InsertionPoint"), kText, V("isHaveTolCode", "bHaveTolNo"),
            V("ToleranceCode", "str_DimTolNo"), V("isHaveTolVal", "bHaveTolVal"),
            V("TopTol", "fTopTol"), V("BottomTol", "fBottomTol"), V("isHaveFollow", "bHaveFollow"),
            V("DimFollow", "str_DimFollow"), V("DimFront", "str_DimFront"), St("Rotation"),
            St("Height"), V("Width"), V("LineSpacingFactor"), V("AttachmentPoint"),
            V("TextStyleName", "Name")}, {}, S::Always, kNotice},
    {E::Attribute, "getEntAttribute", "OutputEntAttribute",
     "SELECT [AttName],[Value],[IsExpression],[DefaultValue] FROM  [QZEnt_Attribute] WHERE [PartID] = {P} AND [EntityID] = {E}",
     kSome, {}, {T::AttributeRows}, S::Never, kNotice},
    {E::BlockDefinition, "getEntBlockDefine", "OutputObjBlockDefine",
     "SELECT [BlockName],[hasAttribute],[BlockType],typeof([BlockData]) = 'null' AS [NoBlockData],[QZEnt_BlockGlobal].[rowid] AS [BlockRow] FROM  [QZEnt_BlockDefine],[QZEnt_BlockGlobal] WHERE [QZEnt_BlockDefine].[PartID] = {P} AND [QZEnt_BlockDefine].[EntityID] = {E} AND [QZEnt_BlockDefine].[BlockID] = [QZEnt_BlockGlobal].[BlockID]",
     kSome, {V("BlockName"), V("hasAttribute"), V0("BlockType")}, {T::BlockFile}, S::Never, kNotice},
    {E::BlockReference, "getEntBlockReference", "OutputEntInsert",
     "SELECT [InsertPoint],[Rotation],[ScaleFactor] ,[BlockDefID],[EntityListID] , [BlockName],[hasAttribute] ,[BlockType] FROM [QZEnt_BlockReference] ,[QZEnt_BlockDefine],[QZEnt_BlockGlobal] WHERE [QZEnt_BlockReference].[PartID] = {P} AND [QZEnt_BlockReference].[EntityID] = {E} AND [QZEnt_BlockDefine].[PartID] = {P} AND [QZEnt_BlockDefine].[EntityID] = [QZEnt_BlockReference].[BlockDefID] AND [QZEnt_BlockGlobal].[BlockID] = [QZEnt_BlockDefine].[BlockID]",
     kSome, {Pt("InsertPoint"), St("Rotation"), St("ScaleFactor"), V("Name", "BlockName"),
             V("hasAttribute"), V0("BlockType")}, {T::MemberList}, S::Never, kNotice},
    {E::Group, "getEntGroup", "OutputEntGroup",
     "SELECT [RefEntityIDs] FROM [QZEntityIdList] ,[QZEnt_Group] WHERE [QZEntityIdList].[PartID] ={P} AND [QZEntityIdList].[EntityID] = {E} AND [QZEnt_Group].[PartID] ={P} AND [QZEnt_Group].[EntityID] = {E} AND [QZEntityIdList].[EntityListID] = [QZEnt_Group].[EntityListID]",
     kSome, {}, {T::EntityRows}, S::Always, kNotice},
    {E::Hatch, "getEntHatch", "OutputEntHatch",
     "SELECT [QZPatternName].[PatternName],[PatternIsDoubled],[PatternScale], [PatternAngle],[ExternalBoundaryLoopEntity],[InnerBoundaryLoopEntity] FROM  [QZEnt_Hatch],[QZPatternName] WHERE [QZEnt_Hatch].[PartID] = {P} AND [QZEnt_Hatch].[EntityID] = {E} AND [QZEnt_Hatch].[PatternName] = [QZPatternName].[PatternID]  ",
     kSome, {V("PatternName"), V("PatternIsDoubled"), V("PatternScale"), V("PatternAngle")},
     {T::HatchLoops}, S::Always, kNotice},
    {E::Leader, "getEntDimLeader", "OutputEntDimLeader",
     "SELECT [AnnotationEntity],[LeaderType],[hasHookLine],[PointID]  FROM  [QZEnt_Leader],[QZPartPointIdList] WHERE   [QZEnt_Leader].[PartID] = {P} AND [QZEnt_Leader].[EntityID] = {E}  AND [QZPartPointIdList].[PartID] = {P} AND [QZPartPointIdList].[EntityID] = {E}  AND  [QZEnt_Leader].[PointListID] = [QZPartPointIdList].[PointListID]  Order By [QZPartPointIdList].[Position]",
     kSome, {V("LeaderType"), V("hasHookLine")}, {T::PointRows, T::AnnotationList}, S::Always,
     "getEntDimLeader"},
    {E::DimRotated, "getEntDimRotated", "OutputEntDimRotated",
     "SELECT [DimLinePoint],[ExtLine1Point],[ExtLine2Point],[Rotation] FROM   [QZEnt_DimRotated] WHERE  [QZEnt_DimRotated].[PartID] = {P}  AND [QZEnt_DimRotated].[EntityID] = {E}",
     kSome, {Pt("DimLinePoint"), Pt("ExtLine1Point"), Pt("ExtLine2Point"), V("Rotation")}, {},
     S::Never, kNotice},
    {E::DimAligned, "getEntDimAligned", "OutputEntDimAligned",
     "SELECT [DimLinePoint],[ExtLine1Point],[ExtLine2Point] FROM   [QZEnt_DimAligned] WHERE  [QZEnt_DimAligned].[PartID] = {P}  AND [QZEnt_DimAligned].[EntityID] = {E}",
     kSome, {Pt("DimLinePoint"), Pt("ExtLine1Point"), Pt("ExtLine2Point")}, {}, S::Never, kNotice},
    {E::DimDiametric, "getEntDimDiametric", "OutputEntDimDiametric",
     "SELECT [CenterPoint],[Radius]  FROM [QZEnt_DimDiametric] WHERE  [QZEnt_DimDiametric].[PartID] = {P}  AND [QZEnt_DimDiametric].[EntityID] = {E}",
     kSome, {Pt("CenterPoint"), St("Radius")}, {}, S::Never, kNotice},
    {E::DimRadial, "getEntDimRadial", "OutputEntDimRadial",
     "SELECT [CenterPoint],[Radius]  FROM [QZEnt_DimRadial] WHERE  [QZEnt_DimRadial].[PartID] = {P}  AND [QZEnt_DimRadial].[EntityID] = {E}",
     kSome, {Pt("CenterPoint"), St("Radius")}, {}, S::Never, kNotice},
    {E::Dim3PointAngular, "getEntDim3PointAngular", "OutputEntDim3PointAngular",
     "SELECT [AngleVertPoint] ,[ExtLine1EndPoint],[ExtLine2EndPoint],[ArcPoint]   FROM [QZEnt_Dim3PointAngular] WHERE  [QZEnt_Dim3PointAngular].[PartID] = {P}  AND [QZEnt_Dim3PointAngular].[EntityID] = {E}",
     kSome, {Pt("AngleVertPoint"), Pt("ExtLine1EndPoint"), Pt("ExtLine2EndPoint"), Pt("ArcPoint")}, {},
     S::Never, kNotice},
    {E::Dim2LineAngular, "getEntDim2LineAngular", "OutputEntDim2LineAngular",
     "SELECT [ExtLine1StartPoint] ,[ExtLine1EndPoint],[ExtLine2StartPoint],[ExtLine2EndPoint] ,[ArcPoint]  FROM [QZEnt_Dim2LineAngular] WHERE  [QZEnt_Dim2LineAngular].[PartID] = {P}  AND [QZEnt_Dim2LineAngular].[EntityID] = {E}",
     kSome, {Pt("ExtLine1StartPoint"), Pt("ExtLine1EndPoint"), Pt("ExtLine2StartPoint"),
             Pt("ExtLine2EndPoint"), Pt("ArcPoint")}, {}, S::Never, kNotice},
    {E::DimOrdinate, "getEntDimOrdinate", "OutputEntDimOrdinate",
     "SELECT [DefiningPoint],[Origin],[LeaderEndPoint],[useXYAxis] FROM   [QZEnt_DimOrdinate] WHERE  [QZEnt_DimOrdinate].[PartID] = {P}  AND [QZEnt_DimOrdinate].[EntityID] = {E}",
     kSome, {Pt("DefiningPoint"), Pt("Origin"), Pt("LeaderEndPoint"), V("useXYAxis")}, {}, S::Never,
     kNotice},
    {E::Move, "getTransMove", "OutputTransMove",
     "SELECT [FromPoint],[ToPoint],[bEraseOld],[RefEntityIDs] FROM  [QZEntTrans_Move],[QZEntityIdList] WHERE [QZEntTrans_Move].[PartID] = {P} AND [QZEntTrans_Move].[EntityID] = {E}  AND [QZEntityIdList].[PartID] = {P} AND [QZEntityIdList].[EntityID] = {E} AND [QZEntTrans_Move].[EntityListID] = [QZEntityIdList].[EntityListID]",
     kSome, {V("bEraseOld"), Pt("FromPoint"), Pt("ToPoint")}, {T::EntityRows}, S::Always, kNotice},
    {E::PolarArray, "getTransPolarArray", "OutputTransPolarArray",
     "SELECT [CenterPoint],[BasePoint],[ItemNumber],[SweepAngle],[isRoateEachItem],[RefEntityIDs] FROM  [QZEntTrans_PolarArray],[QZEntityIdList] WHERE [QZEntTrans_PolarArray].[PartID] = {P} AND [QZEntTrans_PolarArray].[EntityID] = {E}  AND [QZEntityIdList].[PartID] = {P} AND [QZEntityIdList].[EntityID] = {E} AND [QZEntTrans_PolarArray].[EntityListID] = [QZEntityIdList].[EntityListID]",
     kSome, {Pt("CenterPoint"), Pt("BasePoint"), V("isRoateEachItem"), St("ItemNumber"),
             St("SweepAngle")}, {T::EntityRows}, S::Always, kNotice},
    {E::RectArray, "getTransRectArray", "OutputTransRectArray",
     "SELECT [RowNumber],[ColumnNumber],[RowSpace],[ColumnSpace],[ArrayAngle],[RefEntityIDs] FROM  [QZEntTrans_RectArray],[QZEntityIdList] WHERE [QZEntTrans_RectArray].[PartID] = {P} AND [QZEntTrans_RectArray].[EntityID] = {E}  AND [QZEntityIdList].[PartID] = {P} AND [QZEntityIdList].[EntityID] = {E} AND [QZEntTrans_RectArray].[EntityListID] = [QZEntityIdList].[EntityListID]",
     kSome, {St("RowNumber"), St("ColumnNumber"), St("RowSpace"), St("ColumnSpace"),
             St("ArrayAngle")}, {T::EntityRows}, S::Always, kNotice},
    {E::Rotate, "getTransRotate", "OutputTransRotate",
     "SELECT [BasePoint],[Rotation],[bEraseOld],[RefEntityIDs] FROM  [QZEntTrans_Rotate],[QZEntityIdList] WHERE [QZEntTrans_Rotate].[PartID] = {P} AND [QZEntTrans_Rotate].[EntityID] = {E}  AND [QZEntityIdList].[PartID] = {P} AND [QZEntityIdList].[EntityID] = {E} AND [QZEntTrans_Rotate].[EntityListID] = [QZEntityIdList].[EntityListID]",
     kSome, {Pt("BasePoint"), St("Rotation"), V("bEraseOld")}, {T::EntityRows}, S::Always, kNotice},
    {E::Mirror, "getTransMirror", "OutputTransMirror",
     "SELECT [FromPoint],[ToPoint],[bEraseOld],[RefEntityIDs] FROM  [QZEntTrans_Mirror],[QZEntityIdList] WHERE [QZEntTrans_Mirror].[PartID] = {P} AND [QZEntTrans_Mirror].[EntityID] = {E}  AND [QZEntityIdList].[PartID] = {P} AND [QZEntityIdList].[EntityID] = {E} AND [QZEntTrans_Mirror].[EntityListID] = [QZEntityIdList].[EntityListID]",
     kSome, {V("bEraseOld"), Pt("FromPoint"), Pt("ToPoint")}, {T::EntityRows}, S::Always, kNotice},
    {E::DimCommon, "getEntDimCommon", "",
     "SELECT [DimType],[iOutIndex],[iInIndex],[isHasLAngle],  [dLAngle],[DimJust] ,[DimDad] ,[hasFirstArr] ,[HasSecondArr] ,[HasFirstLine] ,[HasSecondLine] ,  [TextPosition] ,[TextString] ,[IsExpression] ,[isRotateText] ,[TextRotation] ,[isHaveTolNo],  [str_DimTolNo] ,[isHaveTolVal] ,[fTopTol],[fBottomTol] ,[isHaveFollow] ,[str_DimFollow],  [str_DimFront] ,[str_TolUnit] ,[isRectText],[dimdec]  FROM  [QZEnt_DimCommonStyle],[QZEnt_DimCommonText] WHERE   [QZEnt_DimCommonStyle].[PartID] = {P} AND [QZEnt_DimCommonStyle].[EntityID] = {E}  AND [QZEnt_DimCommonText].[PartID] = {P} AND [QZEnt_DimCommonText].[EntityID] = {E}",
     kSome, {V("DimType"), V("iOutIndex"), V("iInIndex"), V("isHasLAngle"), V("dLAngle"),
             V("DimJust"), V("DimDad"), V("HasFirstArr", "hasFirstArr"), V("HasSecondArr"),
             V("HasFirstLine"), V("HasSecondLine"), Pt("TextPosition"), kText, V("isRotateText"),
             V("TextRotation"), V("isHaveTolCode", "isHaveTolNo"), V("str_DimTolNo"),
             V("isHaveTolVal"), V("fTopTol"), V("fBottomTol"), V("isHaveFollow"),
             V("str_DimFollow"), V("str_DimFront"), V("str_TolUnit"), V("isRectText"),
             V("dimdec")}, {}, S::Always, kNotice},
  };
  return table;
}
// clang-format on

}  // namespace

std::span<const EntityTypeDef> EntityTypes() {
  return Table();
}

const EntityTypeDef* FindEntityType(int32_t code) {
  for (const EntityTypeDef& type : Table()) {
    if (static_cast<int32_t>(type.type) == code) return &type;
  }
  return nullptr;
}

std::string EntityTypeSql(const EntityTypeDef& type, int32_t partID, int32_t entityID) {
  std::string sql;
  for (const char* c = type.sql; *c; ++c) {
    if (c[0] == '{' && (c[1] == 'P' || c[1] == 'E') && c[2] == '}') {
      sql += std::to_string(c[1] == 'P' ? partID : entityID);
      c += 2;
    } else {
      sql += *c;
    }
  }
  return sql;
}

}  // namespace qzdbs
