-- The schema of a part library: every table the engine reads, with the indexes
-- that keep opening a part as cheap in a library of ten thousand parts as in one of ten.
-- Types: LONG 32-bit, INT 16-bit, REAL double, TEXT UTF-8, BLOB binary.

CREATE TABLE "QZPartDirectory" ("NodeID" LONG, "NodeName" TEXT, "FatherID" LONG, "Position" LONG, "NodeType" INT, "PartID" LONG);
CREATE UNIQUE INDEX "ux_QZPartDirectory_NodeID" ON "QZPartDirectory" ("NodeID");
CREATE INDEX "idx_QZPartDirectory_PartID" ON "QZPartDirectory" ("PartID");
CREATE INDEX "idx_QZPartDirectory_FatherID" ON "QZPartDirectory" ("FatherID");
CREATE INDEX "idx_QZPartDirectory_NodeType" ON "QZPartDirectory" ("NodeType");

CREATE TABLE "QZParts" ("PartID" LONG, "Name" TEXT, "BasePoint" LONG, "Position" LONG, "PartPic" BLOB);
CREATE INDEX "idx_QZParts_PartID" ON "QZParts" ("PartID");

CREATE TABLE "QZPartGUIDs" ("ID" LONG, "DATA1" TEXT, "DATA2" TEXT, "DATA3" TEXT, "DATA4" TEXT);
CREATE INDEX "idx_QZPartGUIDs_ID" ON "QZPartGUIDs" ("ID");

CREATE TABLE "QZPartInputParas" ("ParaID" LONG, "PartID" LONG, "ParaName" TEXT, "ParaType" INT, "Visible" INT, "Position" LONG);
CREATE INDEX "idx_QZPartInputParas_PartID" ON "QZPartInputParas" ("PartID");

CREATE TABLE "QZParaValue" ("PartID" LONG, "ParaID" LONG, "RowID" LONG, "StrValue" TEXT, "RealValue" REAL);
CREATE INDEX "idx_QZParaValue_PartID" ON "QZParaValue" ("PartID");

CREATE TABLE "QZPartViews" ("PartViewID" LONG, "PartID" LONG, "PartViewName" TEXT, "BasePoint" LONG, "Position" LONG, "ViewPic" BLOB);
CREATE INDEX "idx_QZPartViews_PartID" ON "QZPartViews" ("PartID");

CREATE TABLE "QZPartStructureParas" ("StructureID" LONG, "PartID" LONG, "Name" TEXT, "Expression" TEXT, "IsExpression" INT, "Visible" INT, "Position" LONG);
CREATE INDEX "idx_QZPartStructureParas_PartID" ON "QZPartStructureParas" ("PartID");

CREATE TABLE "QZProperties" ("PropertyID" LONG, "PropertyName" TEXT);
CREATE UNIQUE INDEX "ux_QZProperties_PropertyID" ON "QZProperties" ("PropertyID");

CREATE TABLE "QZPartPrptys" ("PartID" LONG, "PropertyID" LONG, "IsExpression" INT, "Value" TEXT);
CREATE INDEX "idx_QZPartPrptys_PartID" ON "QZPartPrptys" ("PartID");

CREATE TABLE "QZPartPoints" ("PointID" LONG, "PartID" LONG, "Name" TEXT, "PXParaExp" TEXT, "PYParaExp" TEXT, "PZParaExp" TEXT, "Position" LONG);
CREATE INDEX "idx_QZPartPoints_PartID" ON "QZPartPoints" ("PartID");

CREATE TABLE "QZPartEntities" ("EntityID" LONG, "PartID" LONG, "EntityType" LONG, "Name" TEXT, "IsAssist" INT, "LayerID" LONG, "FilterExp" TEXT, "IsMatchProp" INT, "Position" LONG);
CREATE INDEX "idx_QZPartEntities_PartID" ON "QZPartEntities" ("PartID");
CREATE INDEX "idx_QZPartEntities_PartID_EntityID" ON "QZPartEntities" ("PartID", "EntityID");

CREATE TABLE "QZPartViewEntities" ("PartID" LONG, "PartViewID" LONG, "EntityID" LONG);
CREATE INDEX "idx_QZPartViewEntities_PartID" ON "QZPartViewEntities" ("PartID");
CREATE INDEX "idx_QZPartViewEntities_PartID_EntityID" ON "QZPartViewEntities" ("PartID", "EntityID");

CREATE TABLE "QZLayer" ("LayerID" LONG, "Name" TEXT);
CREATE UNIQUE INDEX "ux_QZLayer_LayerID" ON "QZLayer" ("LayerID");

CREATE TABLE "QZEnt_Line" ("PartID" LONG, "EntityID" LONG, "StartPoint" LONG, "EndPoint" LONG);
CREATE INDEX "idx_QZEnt_Line_PartID" ON "QZEnt_Line" ("PartID");
CREATE INDEX "idx_QZEnt_Line_PartID_EntityID" ON "QZEnt_Line" ("PartID", "EntityID");

CREATE TABLE "QZEnt_Circle" ("PartID" LONG, "EntityID" LONG, "CenterPoint" LONG, "Radius" LONG);
CREATE INDEX "idx_QZEnt_Circle_PartID" ON "QZEnt_Circle" ("PartID");
CREATE INDEX "idx_QZEnt_Circle_PartID_EntityID" ON "QZEnt_Circle" ("PartID", "EntityID");

CREATE TABLE "QZEnt_Arc" ("PartID" LONG, "EntityID" LONG, "CenterPoint" LONG, "Radius" LONG, "StartAngle" LONG, "EndAngle" LONG);
CREATE INDEX "idx_QZEnt_Arc_PartID" ON "QZEnt_Arc" ("PartID");
CREATE INDEX "idx_QZEnt_Arc_PartID_EntityID" ON "QZEnt_Arc" ("PartID", "EntityID");

CREATE TABLE "QZEnt_Ellipse" ("PartID" LONG, "EntityID" LONG, "CenterPoint" LONG, "MajorRadius" LONG, "MinorRadius" LONG, "StartAngle" LONG, "EndAngle" LONG, "MajorAxis" LONG, "MinorAxis" LONG, "isEllipseOArc" INT);
CREATE INDEX "idx_QZEnt_Ellipse_PartID" ON "QZEnt_Ellipse" ("PartID");
CREATE INDEX "idx_QZEnt_Ellipse_PartID_EntityID" ON "QZEnt_Ellipse" ("PartID", "EntityID");

CREATE TABLE "QZEnt_2dPolyline" ("PartID" LONG, "EntityID" LONG, "PointListID" LONG, "PlineType" INT, "ConstantWidth" REAL, "isClosed" INT);
CREATE INDEX "idx_QZEnt_2dPolyline_PartID" ON "QZEnt_2dPolyline" ("PartID");
CREATE INDEX "idx_QZEnt_2dPolyline_PartID_EntityID" ON "QZEnt_2dPolyline" ("PartID", "EntityID");

CREATE TABLE "QZEnt_3dPolyline" ("PartID" LONG, "EntityID" LONG, "PointListID" LONG, "PlineType" INT, "isClosed" INT);
CREATE INDEX "idx_QZEnt_3dPolyline_PartID" ON "QZEnt_3dPolyline" ("PartID");
CREATE INDEX "idx_QZEnt_3dPolyline_PartID_EntityID" ON "QZEnt_3dPolyline" ("PartID", "EntityID");

CREATE TABLE "QZPartPointIdList" ("PartID" LONG, "EntityID" LONG, "PointListID" LONG, "PointID" LONG, "Position" LONG);
CREATE INDEX "idx_QZPartPointIdList_PartID" ON "QZPartPointIdList" ("PartID");
CREATE INDEX "idx_QZPartPointIdList_PartID_EntityID" ON "QZPartPointIdList" ("PartID", "EntityID");

CREATE TABLE "QZEnt_Text" ("PartID" LONG, "EntityID" LONG, "InsertionPoint" LONG, "TextString" TEXT, "IsExpression" INT, "Height" LONG, "ObliqueAngle" REAL, "Rotation" LONG, "ScaleFactor" REAL, "TextStyleName" LONG);
CREATE INDEX "idx_QZEnt_Text_PartID" ON "QZEnt_Text" ("PartID");
CREATE INDEX "idx_QZEnt_Text_PartID_EntityID" ON "QZEnt_Text" ("PartID", "EntityID");

CREATE TABLE "QZEnt_MText" ("PartID" LONG, "EntityID" LONG, "InsertionPoint" LONG, "TextString" TEXT, "IsExpression" INT, "bHaveTolNo" INT, "str_DimTolNo" TEXT, "bHaveTolVal" INT, "fTopTol" REAL, "fBottomTol" REAL, "bHaveFollow" INT, "str_DimFollow" TEXT, "str_DimFront" TEXT, "Rotation" LONG, "Height" LONG, "Width" REAL, "LineSpacingFactor" REAL, "AttachmentPoint" INT, "TextStyleName" LONG);
CREATE INDEX "idx_QZEnt_MText_PartID" ON "QZEnt_MText" ("PartID");
CREATE INDEX "idx_QZEnt_MText_PartID_EntityID" ON "QZEnt_MText" ("PartID", "EntityID");

CREATE TABLE "QZTextStyleName" ("TextStyleNameID" LONG, "Name" TEXT);
CREATE UNIQUE INDEX "ux_QZTextStyleName_TextStyleNameID" ON "QZTextStyleName" ("TextStyleNameID");

CREATE TABLE "QZEnt_Attribute" ("PartID" LONG, "EntityID" LONG, "AttName" TEXT, "Value" TEXT, "IsExpression" INT, "DefaultValue" TEXT);
CREATE INDEX "idx_QZEnt_Attribute_PartID" ON "QZEnt_Attribute" ("PartID");
CREATE INDEX "idx_QZEnt_Attribute_PartID_EntityID" ON "QZEnt_Attribute" ("PartID", "EntityID");

CREATE TABLE "QZEnt_BlockDefine" ("PartID" LONG, "EntityID" LONG, "BlockID" LONG);
CREATE INDEX "idx_QZEnt_BlockDefine_PartID" ON "QZEnt_BlockDefine" ("PartID");
CREATE INDEX "idx_QZEnt_BlockDefine_PartID_EntityID" ON "QZEnt_BlockDefine" ("PartID", "EntityID");

CREATE TABLE "QZEnt_BlockGlobal" ("BlockID" LONG, "BlockName" TEXT, "hasAttribute" INT, "BlockType" INT, "BlockData" BLOB);
CREATE UNIQUE INDEX "ux_QZEnt_BlockGlobal_BlockID" ON "QZEnt_BlockGlobal" ("BlockID");

CREATE TABLE "QZEnt_BlockReference" ("PartID" LONG, "EntityID" LONG, "InsertPoint" LONG, "Rotation" LONG, "ScaleFactor" LONG, "BlockDefID" LONG, "EntityListID" LONG);
CREATE INDEX "idx_QZEnt_BlockReference_PartID" ON "QZEnt_BlockReference" ("PartID");
CREATE INDEX "idx_QZEnt_BlockReference_PartID_EntityID" ON "QZEnt_BlockReference" ("PartID", "EntityID");

CREATE TABLE "QZEnt_Group" ("PartID" LONG, "EntityID" LONG, "EntityListID" LONG);
CREATE INDEX "idx_QZEnt_Group_PartID" ON "QZEnt_Group" ("PartID");
CREATE INDEX "idx_QZEnt_Group_PartID_EntityID" ON "QZEnt_Group" ("PartID", "EntityID");

CREATE TABLE "QZEnt_Hatch" ("PartID" LONG, "EntityID" LONG, "PatternName" LONG, "PatternIsDoubled" INT, "PatternScale" REAL, "PatternAngle" REAL, "ExternalBoundaryLoopEntity" LONG, "InnerBoundaryLoopEntity" LONG);
CREATE INDEX "idx_QZEnt_Hatch_PartID" ON "QZEnt_Hatch" ("PartID");
CREATE INDEX "idx_QZEnt_Hatch_PartID_EntityID" ON "QZEnt_Hatch" ("PartID", "EntityID");

CREATE TABLE "QZPatternName" ("PatternID" LONG, "PatternName" TEXT);
CREATE UNIQUE INDEX "ux_QZPatternName_PatternID" ON "QZPatternName" ("PatternID");

CREATE TABLE "QZEnt_Leader" ("PartID" LONG, "EntityID" LONG, "PointListID" LONG, "AnnotationEntity" LONG, "LeaderType" INT, "hasHookLine" INT);
CREATE INDEX "idx_QZEnt_Leader_PartID" ON "QZEnt_Leader" ("PartID");
CREATE INDEX "idx_QZEnt_Leader_PartID_EntityID" ON "QZEnt_Leader" ("PartID", "EntityID");

CREATE TABLE "QZEnt_DimCommonStyle" ("PartID" LONG, "EntityID" LONG, "DimType" INT, "iOutIndex" INT, "iInIndex" INT, "isHasLAngle" INT, "dLAngle" REAL, "DimJust" INT, "DimDad" INT, "hasFirstArr" INT, "HasSecondArr" INT, "HasFirstLine" INT, "HasSecondLine" INT);
CREATE INDEX "idx_QZEnt_DimCommonStyle_PartID" ON "QZEnt_DimCommonStyle" ("PartID");
CREATE INDEX "idx_QZEnt_DimCommonStyle_PartID_EntityID" ON "QZEnt_DimCommonStyle" ("PartID", "EntityID");

CREATE TABLE "QZEnt_DimCommonText" ("PartID" LONG, "EntityID" LONG, "TextPosition" LONG, "TextString" TEXT, "IsExpression" INT, "isRotateText" INT, "TextRotation" REAL, "isHaveTolNo" INT, "str_DimTolNo" TEXT, "isHaveTolVal" INT, "fTopTol" REAL, "fBottomTol" REAL, "isHaveFollow" INT, "str_DimFollow" TEXT, "str_DimFront" TEXT, "str_TolUnit" TEXT, "isRectText" INT, "dimdec" INT);
CREATE INDEX "idx_QZEnt_DimCommonText_PartID" ON "QZEnt_DimCommonText" ("PartID");
CREATE INDEX "idx_QZEnt_DimCommonText_PartID_EntityID" ON "QZEnt_DimCommonText" ("PartID", "EntityID");

CREATE TABLE "QZEnt_DimRotated" ("PartID" LONG, "EntityID" LONG, "DimLinePoint" LONG, "ExtLine1Point" LONG, "ExtLine2Point" LONG, "Rotation" REAL);
CREATE INDEX "idx_QZEnt_DimRotated_PartID" ON "QZEnt_DimRotated" ("PartID");
CREATE INDEX "idx_QZEnt_DimRotated_PartID_EntityID" ON "QZEnt_DimRotated" ("PartID", "EntityID");

CREATE TABLE "QZEnt_DimAligned" ("PartID" LONG, "EntityID" LONG, "DimLinePoint" LONG, "ExtLine1Point" LONG, "ExtLine2Point" LONG);
CREATE INDEX "idx_QZEnt_DimAligned_PartID" ON "QZEnt_DimAligned" ("PartID");
CREATE INDEX "idx_QZEnt_DimAligned_PartID_EntityID" ON "QZEnt_DimAligned" ("PartID", "EntityID");

CREATE TABLE "QZEnt_DimDiametric" ("PartID" LONG, "EntityID" LONG, "CenterPoint" LONG, "Radius" LONG);
CREATE INDEX "idx_QZEnt_DimDiametric_PartID" ON "QZEnt_DimDiametric" ("PartID");
CREATE INDEX "idx_QZEnt_DimDiametric_PartID_EntityID" ON "QZEnt_DimDiametric" ("PartID", "EntityID");

CREATE TABLE "QZEnt_DimRadial" ("PartID" LONG, "EntityID" LONG, "CenterPoint" LONG, "Radius" LONG);
CREATE INDEX "idx_QZEnt_DimRadial_PartID" ON "QZEnt_DimRadial" ("PartID");
CREATE INDEX "idx_QZEnt_DimRadial_PartID_EntityID" ON "QZEnt_DimRadial" ("PartID", "EntityID");

CREATE TABLE "QZEnt_Dim3PointAngular" ("PartID" LONG, "EntityID" LONG, "AngleVertPoint" LONG, "ExtLine1EndPoint" LONG, "ExtLine2EndPoint" LONG, "ArcPoint" LONG);
CREATE INDEX "idx_QZEnt_Dim3PointAngular_PartID" ON "QZEnt_Dim3PointAngular" ("PartID");
CREATE INDEX "idx_QZEnt_Dim3PointAngular_PartID_EntityID" ON "QZEnt_Dim3PointAngular" ("PartID", "EntityID");

CREATE TABLE "QZEnt_Dim2LineAngular" ("PartID" LONG, "EntityID" LONG, "ExtLine1StartPoint" LONG, "ExtLine1EndPoint" LONG, "ExtLine2StartPoint" LONG, "ExtLine2EndPoint" LONG, "ArcPoint" LONG);
CREATE INDEX "idx_QZEnt_Dim2LineAngular_PartID" ON "QZEnt_Dim2LineAngular" ("PartID");
CREATE INDEX "idx_QZEnt_Dim2LineAngular_PartID_EntityID" ON "QZEnt_Dim2LineAngular" ("PartID", "EntityID");

CREATE TABLE "QZEnt_DimOrdinate" ("PartID" LONG, "EntityID" LONG, "DefiningPoint" LONG, "Origin" LONG, "LeaderEndPoint" LONG, "useXYAxis" INT);
CREATE INDEX "idx_QZEnt_DimOrdinate_PartID" ON "QZEnt_DimOrdinate" ("PartID");
CREATE INDEX "idx_QZEnt_DimOrdinate_PartID_EntityID" ON "QZEnt_DimOrdinate" ("PartID", "EntityID");

CREATE TABLE "QZEntTrans_Move" ("PartID" LONG, "EntityID" LONG, "FromPoint" LONG, "ToPoint" LONG, "bEraseOld" INT, "EntityListID" LONG);
CREATE INDEX "idx_QZEntTrans_Move_PartID" ON "QZEntTrans_Move" ("PartID");
CREATE INDEX "idx_QZEntTrans_Move_PartID_EntityID" ON "QZEntTrans_Move" ("PartID", "EntityID");

CREATE TABLE "QZEntTrans_PolarArray" ("PartID" LONG, "EntityID" LONG, "CenterPoint" LONG, "BasePoint" LONG, "ItemNumber" LONG, "SweepAngle" LONG, "isRoateEachItem" INT, "EntityListID" LONG);
CREATE INDEX "idx_QZEntTrans_PolarArray_PartID" ON "QZEntTrans_PolarArray" ("PartID");
CREATE INDEX "idx_QZEntTrans_PolarArray_PartID_EntityID" ON "QZEntTrans_PolarArray" ("PartID", "EntityID");

CREATE TABLE "QZEntTrans_RectArray" ("PartID" LONG, "EntityID" LONG, "RowNumber" LONG, "ColumnNumber" LONG, "RowSpace" LONG, "ColumnSpace" LONG, "ArrayAngle" LONG, "EntityListID" LONG);
CREATE INDEX "idx_QZEntTrans_RectArray_PartID" ON "QZEntTrans_RectArray" ("PartID");
CREATE INDEX "idx_QZEntTrans_RectArray_PartID_EntityID" ON "QZEntTrans_RectArray" ("PartID", "EntityID");

CREATE TABLE "QZEntTrans_Rotate" ("PartID" LONG, "EntityID" LONG, "BasePoint" LONG, "Rotation" LONG, "bEraseOld" INT, "EntityListID" LONG);
CREATE INDEX "idx_QZEntTrans_Rotate_PartID" ON "QZEntTrans_Rotate" ("PartID");
CREATE INDEX "idx_QZEntTrans_Rotate_PartID_EntityID" ON "QZEntTrans_Rotate" ("PartID", "EntityID");

CREATE TABLE "QZEntTrans_Mirror" ("PartID" LONG, "EntityID" LONG, "FromPoint" LONG, "ToPoint" LONG, "bEraseOld" INT, "EntityListID" LONG);
CREATE INDEX "idx_QZEntTrans_Mirror_PartID" ON "QZEntTrans_Mirror" ("PartID");
CREATE INDEX "idx_QZEntTrans_Mirror_PartID_EntityID" ON "QZEntTrans_Mirror" ("PartID", "EntityID");

CREATE TABLE "QZEntityIdList" ("PartID" LONG, "EntityID" LONG, "EntityListID" LONG, "RefEntityIDs" LONG);
CREATE INDEX "idx_QZEntityIdList_PartID" ON "QZEntityIdList" ("PartID");
CREATE INDEX "idx_QZEntityIdList_PartID_EntityID" ON "QZEntityIdList" ("PartID", "EntityID");
