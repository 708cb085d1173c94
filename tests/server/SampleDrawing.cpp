// The sample sessions.
#include "SampleDrawing.h"

namespace qzdbs::server::test {

namespace {

void DimCommon(const DbDimension& dim, const std::string& text, const Point3& textPosition,
               int32_t dimType) {
  dim.DimType(dimType);
  dim.DimStyleName("QZ_GBDIM");
  dim.Normal({0, 0, 1});
  dim.Elevation(0);
  dim.TextPosition(textPosition);
  dim.TextString(text);
  dim.Measurement(0);
  dim.isHaveTolCode(false);
  dim.str_DimTolNo("");
  dim.isHaveTolVal(false);
  dim.fTopTol(0);
  dim.fBottomTol(0);
  dim.str_TolUnit("");
  dim.isHaveFollow(false);
  dim.str_DimFollow("");
  dim.isRectText(false);
  dim.dimdec(1);
  dim.iOutIndex(0);
  dim.iInIndex(0);
  dim.isHasLAngle(false);
  dim.dLAngle(0);
  dim.DimJust(0);
  dim.DimDad(0);
  dim.isRotateText(false);
  dim.TextRotation(0);
  dim.HasFirstArr(true);
  dim.HasSecondArr(true);
  dim.HasFirstLine(true);
  dim.HasSecondLine(true);
}

void FrontView(SessionBuilder& b) {
  DbView view = b.AddView("主视图", 31, {0, 0, 0}, "主视图辅助");
  const std::string thick = "粗实线";
  b.AddLine(view, 1, {-30, -20, 0}, {30, -20, 0}, thick);
  b.AddLine(view, 2, {30, -20, 0}, {30, 20, 0}, thick);
  b.AddLine(view, 3, {30, 20, 0}, {-30, 20, 0}, thick);
  b.AddLine(view, 4, {-30, 20, 0}, {-30, -20, 0}, thick);
  b.AddCircle(view, 5, {0, 0, 0}, 10, thick);
  b.AddCircle(view, 6, {20, 0, 0}, 3, thick);
  b.AddLine(view, 7, {-35, 0, 0}, {35, 0, 0}, "中心线");
  b.AddLine(view, 8, {0, -25, 0}, {0, 25, 0}, "中心线");

  DbPolarArray holes = b.Add<DbPolarArray>(view, 9);
  holes.CenterPoint({0, 0, 0});
  holes.BasePoint({0, 0, 0});
  holes.ItemNumber(4);
  holes.SweepAngle(360);
  holes.isRoateEachItem(true);
  holes.AddEntityID(6);

  DbHatch hatch = b.Add<DbHatch>(view, 10, "剖面线");
  hatch.PatternName("ANSI31");
  hatch.PatternAngle(0);
  hatch.PatternIsDoubled(false);
  hatch.PatternScale(1);
  hatch.ClearOuterLoop();
  hatch.ClearInnerLoop();
  for (int32_t id : {1, 2, 3, 4})
    hatch.AddOuterLoopEntity(id);
  hatch.AddInnerLoopEntity(5);
  // The four holes: the hole and the three copies the array made of it.
  hatch.AddInnerLoopEntity(6);

  DbRotatedDimension width = b.Add<DbRotatedDimension>(view, 11, "尺寸线");
  width.DimLinePoint({0, -32, 0});
  width.ExtLine1Point({-30, -20, 0});
  width.ExtLine2Point({30, -20, 0});
  width.Rotation(0);
  DimCommon(width, "<>", {0, -32, 0}, 1);

  DbAlignedDimension height = b.Add<DbAlignedDimension>(view, 12, "尺寸线");
  height.DimLinePoint({42, 0, 0});
  height.ExtLine1Point({30, -20, 0});
  height.ExtLine2Point({30, 20, 0});
  DimCommon(height, "<>", {42, 0, 0}, 2);

  DbDiametricDimension bore = b.Add<DbDiametricDimension>(view, 13, "尺寸线");
  bore.CenterPoint({0, 0, 0});
  bore.Radius(10);
  DimCommon(bore, "<>", {-4, 4, 0}, 3);
  bore.Measurement(20);
  bore.isHaveTolCode(true);
  bore.str_DimTolNo("H7");
  bore.isHaveTolVal(true);
  bore.fTopTol(0);
  bore.fBottomTol(0);
  bore.CalcTolerance();

  DbRadialDimension hole = b.Add<DbRadialDimension>(view, 14, "尺寸线");
  hole.CenterPoint({20, 0, 0});
  hole.Radius(3);
  DimCommon(hole, "<>", {30, 10, 0}, 4);

  DbText title = b.Add<DbText>(view, 15, "文字");
  title.TextString("法兰 DN50");
  title.InsertionPoint({-30, 26, 0});
  title.Height(3.5);
  title.Rotation(0);
  title.ScaleFactor(1);
  title.ObliqueAngle(0);
  title.TextStyleName("HZ_FS");

  DbMText note = b.Add<DbMText>(view, 16, "文字");
  note.TextString("20");
  note.InsertionPoint({36, 34, 0});
  note.Height(3.5);
  note.Rotation(0);
  note.Width(0);
  note.LineSpacingFactor(1);
  note.AttachmentPoint(7);
  note.TextStyleName("Standard");
  note.isHaveTolCode(true);
  note.ToleranceCode("h9");
  note.isHaveTolVal(true);
  note.TopTol(0);
  note.BottomTol(-0.052);
  note.isHaveFollow(true);
  note.DimFollow("（参考）");
  note.DimFront("Ø");

  DbLeader leader = b.Add<DbLeader>(view, 17, "尺寸线");
  leader.AnnotationID(16);
  leader.LeaderType(0);
  leader.hasHookLine(true);
  leader.AddVertex({7.07, 7.07, 0});
  leader.AddVertex({28, 32, 0});
  leader.AddVertex({34, 32, 0});

  DbDictionary attributes = b.Add<DbDictionary>(view, 18);
  attributes.Clear();
  attributes.Add("45钢", "材料");
  attributes.Add("GB/T 9119", "标准");

  DbBlockDefinition symbol = b.Add<DbBlockDefinition>(view, 19);
  symbol.BlockName("SYM_ROUGHNESS");
  symbol.hasAttribute(true);

  DbBlockReference mark = b.Add<DbBlockReference>(view, 20, "文字");
  mark.InsertPoint({-22, 12, 0});
  mark.Rotation(0);
  mark.ScaleFactor(1);
  mark.BlockName("SYM_ROUGHNESS");
  mark.hasAttribute(true);
  mark.ClearAttributeIDs();
  mark.AddAttributeID(18);

  DbGroup outline = b.Add<DbGroup>(view, 21);
  outline.GroupName("外形");
  outline.ClearEntityIDs();
  for (int32_t id : {1, 2, 3, 4})
    outline.AddEntityID(id);

  DbLine helper = b.AddLine(view, 22, {-30, -20, 0}, {30, 20, 0}, thick);
  helper.IsAssist(true);
}

void SideView(SessionBuilder& b) {
  DbView view = b.AddView("左视图", 27, {0, 0, 0});
  const std::string thick = "粗实线";
  DbPolyline outline = b.Add<DbPolyline>(view, 30, thick);
  outline.PlineType(0);
  outline.ConstantWidth(0);
  outline.isClosed(true);
  for (Point3 p : {Point3{-8, -20, 0}, Point3{8, -20, 0}, Point3{8, 20, 0}, Point3{-8, 20, 0}}) {
    outline.AddVertex(p);
  }
  Db3dPolyline path = b.Add<Db3dPolyline>(view, 31, "细实线");
  path.PlineType(0);
  path.isClosed(false);
  for (Point3 p : {Point3{-8, 24, 0}, Point3{0, 28, 2}, Point3{8, 24, 4}})
    path.AddVertex(p);

  DbEllipse ellipse = b.Add<DbEllipse>(view, 32, "细实线");
  ellipse.CenterPoint({0, 0, 0});
  ellipse.MajorAxis({1, 0, 0});
  ellipse.MinorAxis({0, 0, 0});
  ellipse.MajorRadius(6);
  ellipse.MinorRadius(3);

  DbEllipse half = b.Add<DbEllipse>(view, 33, "细实线");
  half.CenterPoint({0, -12, 0});
  half.StartAngle(0);
  half.EndAngle(180);
  half.MajorAxis({1, 0, 0});
  half.MinorAxis({0, 0, 0});
  half.MajorRadius(5);
  half.MinorRadius(2);

  DbArc arc = b.Add<DbArc>(view, 34, thick);
  arc.CenterPoint({0, 20, 0});
  arc.Radius(8);
  arc.StartAngle(0);
  arc.EndAngle(180);

  b.AddLine(view, 35, {0, 0, 0}, {16, 0, 0}, "细实线");
  b.AddLine(view, 36, {0, 0, 0}, {12, 12, 0}, "细实线");

  Db3PointAngularDimension three = b.Add<Db3PointAngularDimension>(view, 37, "尺寸线");
  three.AngleVertPoint({0, 0, 0});
  three.ArcPoint({10, 4, 0});
  three.ExtLine1EndPoint({16, 0, 0});
  three.ExtLine2EndPoint({12, 12, 0});
  DimCommon(three, "<>", {10, 4, 0}, 5);

  Db2LineAngularDimension two = b.Add<Db2LineAngularDimension>(view, 38, "尺寸线");
  two.ArcPoint({-12, 14, 0});
  two.ExtLine1StartPoint({-8, -20, 0});
  two.ExtLine1EndPoint({-8, 20, 0});
  two.ExtLine2StartPoint({-8, 20, 0});
  two.ExtLine2EndPoint({8, 20, 0});
  DimCommon(two, "<>", {-12, 14, 0}, 6);

  DbOrdinateDimension ordinate = b.Add<DbOrdinateDimension>(view, 39, "尺寸线");
  ordinate.DefiningPoint({8, 20, 0});
  ordinate.LeaderEndPoint({20, 23, 0});
  ordinate.Origin({8, 0, 0});
  ordinate.useXYAxis(0);
  DimCommon(ordinate, "<>", {20, 23, 0}, 7);

  DbCircle pin = b.AddCircle(view, 40, {-4, -16, 0}, 1, thick);
  (void)pin;
  DbRectArray grid = b.Add<DbRectArray>(view, 41);
  grid.RowNumber(2);
  grid.ColumnNumber(3);
  grid.RowSpace(4);
  grid.ColumnSpace(4);
  grid.ArrayAngle(0);
  grid.AddEntityID(40);

  DbMove move = b.Add<DbMove>(view, 42);
  move.bEraseOld(false);
  move.FromPoint({0, 0, 0});
  move.ToPoint({0, 6, 0});
  move.AddEntityID(32);

  DbRotate rotate = b.Add<DbRotate>(view, 43);
  rotate.BasePoint({0, -12, 0});
  rotate.Rotation(180);
  rotate.bEraseOld(false);
  rotate.AddEntityID(33);

  DbMirror mirror = b.Add<DbMirror>(view, 44);
  mirror.bEraseOld(false);
  mirror.FromPoint({0, -20, 0});
  mirror.ToPoint({0, 20, 0});
  mirror.AddEntityID(36);
}

void PartIdentity(SessionBuilder& b) {
  QZdbSPart part = b.Part();
  part.PartName("板式平焊法兰");
  part.Identity().Name("{9C3F0B4E-2D6A-4C1B-8E55-0F1A2B3C4D5E}");
  part.Identity().ID(3);
  part.DBPath("/library/sample.mdb");
  part.BasePoint({100, 50, 0});
  part.AllowMove(true);
  part.RemoveDimension(false);
  part.GroupPart(false);
  part.MakeBlock(false);
  part.HideBackground(false);
}

}  // namespace

void FillSamplePart(SessionBuilder& builder) {
  PartIdentity(builder);
  FrontView(builder);
  SideView(builder);
}

void FillSamplePartAsBlock(SessionBuilder& builder) {
  FillSamplePart(builder);
  builder.Part().GroupPart(true);
  builder.Part().MakeBlock(true);
}

}  // namespace qzdbs::server::test
