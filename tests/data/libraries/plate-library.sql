-- A part of one line between two points and no structure parameters.
INSERT INTO QZPartDirectory (NodeID, NodeName, FatherID, Position, NodeType, PartID)
  VALUES (1, 'Root', 0, 1, 0, 0), (2, 'Plate', 1, 1, 2, 9);
INSERT INTO QZParts (PartID, Name, BasePoint, Position) VALUES (9, 'Plate', 901, 1);
INSERT INTO QZPartGUIDs (ID, DATA1, DATA2, DATA3, DATA4)
  VALUES (9, '11111111', '2222', '3333', '444455556666');
INSERT INTO QZPartInputParas (ParaID, PartID, ParaName, ParaType, Visible, Position)
  VALUES (91, 9, 'L', 0, 1, 1);
INSERT INTO QZParaValue (PartID, ParaID, RowID, StrValue, RealValue) VALUES (9, 91, 1, NULL, 20);
INSERT INTO QZPartPoints (PointID, PartID, Name, PXParaExp, PYParaExp, PZParaExp, Position)
  VALUES (901, 9, 'O', '0', '0', '0', 1), (902, 9, 'E', 'O.L', '0', '0', 2);
INSERT INTO QZLayer (LayerID, Name) VALUES (1, 'OUTLINE');
INSERT INTO QZPartEntities (EntityID, PartID, EntityType, Name, IsAssist, LayerID, FilterExp,
  IsMatchProp, Position) VALUES (1, 9, 1, 'edge', 0, 1, '1', 1, 1);
INSERT INTO QZEnt_Line (PartID, EntityID, StartPoint, EndPoint) VALUES (9, 1, 901, 902);
