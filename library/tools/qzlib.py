"""The model of a part library and its SQL: parts declare parameters, points and entities here.

A part source (library/parts/*.py) calls the methods of `Part` to declare what the tables hold;
identifiers (ParaID, StructureID, PointID, EntityID, list identifiers) are given out here, so a
part names its points and structure parameters and never writes a number that refers to a row.
`Library.sql()` writes the rows as INSERT statements for the schema in library/schema.sql.
"""

import contextlib
import uuid

from formula import Formula

# Layers of the library (QZLayer), by the role a part gives them: the layer numbers and names of
# GB/T 14665 (the drawing server gives each its line weight, colour and line type by them).
LAYERS = [
    (1, "OUTLINE", "01 粗实线"),      # visible outlines, cutting-plane ends: thick continuous
    (2, "THIN", "02 细实线"),         # thread roots, run-outs, knurls, projection lines: thin continuous
    (3, "CENTER", "05 细点画线"),     # axes, centre lines, pitch circles, cutting planes: thin long-dash dot
    (4, "HIDDEN", "04 细虚线"),       # hidden outlines: thin dashed
    (5, "HATCH", "10 剖面线"),        # section hatching
    (6, "DIM", "08 尺寸线"),          # dimensions and leaders
    (7, "TEXT", "11 文字"),           # designations, notes, view and section labels
    (8, "WAVY", "02 波浪线"),         # freehand break lines limiting a partial view or section
    (9, "BREAK", "02 双折线"),        # zigzag break lines
    (10, "PHANTOM", "07 细双点画线"),  # adjacent parts, extreme positions: thin long-dash double-dot
    (11, "THICKCENTER", "06 粗点画线"),  # surfaces with a special requirement: thick long-dash dot
    (12, "THICKHIDDEN", "03 粗虚线"),  # hidden outlines drawn thick (heat-treated zones)
]
LAYER_ID = {role: lid for lid, role, _ in LAYERS}
TEXT_STYLES = [(1, "Standard")]
PATTERNS = [(1, "ANSI31"), (2, "ANSI37"), (3, "SOLID")]
PATTERN_ID = {name: pid for pid, name in PATTERNS}
# Property kinds shared by all parts (QZProperties); their names are the "T." variables.
PROPERTIES = [(1, "名称"), (2, "标准"), (3, "等效标准"), (4, "规格"), (5, "标记"), (6, "材料"),
              (7, "性能等级"), (8, "质量")]
PROPERTY_ID = {name: pid for pid, name in PROPERTIES}
# The units the QZProperties.Unit column gives the dialogs.
PROPERTY_UNITS = {"质量": "kg"}

# Entity type codes.
LINE, CIRCLE, ARC, ELLIPSE, PLINE2D, PLINE3D, TEXT, MTEXT, ATTRIBUTE = range(1, 10)
BLOCKDEF, BLOCKREF, GROUP, HATCH, LEADER = range(10, 15)
DIMROTATED, DIMALIGNED, DIMDIAMETRIC, DIMRADIAL, DIM3POINT, DIM2LINE, DIMORDINATE = range(15, 22)
MOVE, POLAR, RECTARRAY, ROTATE, MIRROR = range(22, 27)
DIMENSIONS = range(DIMROTATED, DIMORDINATE + 1)
# The DimType that each dimension kind carries in its common style record.
DIM_TYPE = {DIMROTATED: 1, DIMALIGNED: 2, DIMDIAMETRIC: 3, DIMRADIAL: 4, DIM3POINT: 5,
            DIM2LINE: 6, DIMORDINATE: 7}

NUMBER, TEXTPARA = 0, 1
GUID_NAMESPACE = uuid.UUID("6f1c1a52-3b0e-4f55-9a43-0d9b7a0c5e21")


def sql_value(v):
    if v is None:
        return "NULL"
    if isinstance(v, bool):
        return "1" if v else "0"
    if isinstance(v, int):
        return str(v)
    if isinstance(v, float):
        return repr(v)
    if isinstance(v, bytes):
        return "X'" + v.hex().upper() + "'"
    return "'" + str(v).replace("'", "''") + "'"


def insert(table, row):
    cols = ", ".join(f'"{c}"' for c in row)
    vals = ", ".join(sql_value(v) for v in row.values())
    return f'INSERT INTO "{table}" ({cols}) VALUES ({vals});'


def literal_name(value):
    """The name of a literal structure parameter: k90, k0, km30, k0p5."""
    text = f"{value:g}".replace("-", "m").replace(".", "p")
    return "k" + text


class Entity:
    def __init__(self, eid, etype, name, layer, filt):
        self.eid, self.etype, self.name = eid, etype, name
        self.layer, self.filter = layer, filt
        self.views = []
        self.rows = []        # (table, {column: value}) besides QZPartEntities
        self.formulas = []    # (what, formula text, must_be_text) evaluated by the build check
        self.geometry = {}    # what the build check and the preview need, by role


class Part:
    def __init__(self, lib, pid, key, name, folder):
        self.lib, self.pid, self.key, self.name, self.folder = lib, pid, key, name, folder
        self.inputs = []          # (ParaID, name, type, visible)
        self.rows = []            # value rows: one value per input, None for a blank cell
        self.edited_rows = []     # rows a user might type in: checked by the build, not stored
        self.structs = {}         # name -> (StructureID, expression, is_expression, visible)
        self.props = []           # (property name, value, is_expression)
        self.points = {}          # name -> (PointID, x, y, z)
        self.views = []           # (PartViewID, name, base point name)
        self.entities = []
        self.base_point = None
        self.standard_note = ""
        self._view = None
        self._auto = 0

    # -- parameters -------------------------------------------------------------------------
    def parameters(self, *specs):
        """Input parameters in grid order: (name, NUMBER|TEXTPARA, visible)."""
        for name, ptype, visible in specs:
            self.inputs.append((len(self.inputs) + 1, name, ptype, 1 if visible else 0))

    def value_rows(self, rows):
        for row in rows:
            if len(row) != len(self.inputs):
                raise ValueError(f"{self.key}: row {row} has {len(row)} values")
            self.rows.append(list(row))

    def edited(self, row, **changes):
        """Checks, at build time, the value row `row` (from 1) with some inputs edited."""
        names = [name for _, name, _, _ in self.inputs]
        edited = list(self.rows[row - 1])
        for name, value in changes.items():
            edited[names.index(name)] = value
        self.edited_rows.append(edited)

    def struct(self, name, expr, visible=True):
        """A structure parameter: a formula (text) or a given value (number)."""
        if name in self.structs:
            raise ValueError(f"{self.key}: structure parameter {name} defined twice")
        sid = 100 + len(self.structs) + 1
        if isinstance(expr, str):
            self.structs[name] = (sid, expr, 1, 1 if visible else 0)
        else:
            self.structs[name] = (sid, f"{expr:g}", 0, 1 if visible else 0)
        return name

    def S(self, ref):
        """A structure reference: an existing name, or a number (a hidden literal is made)."""
        if isinstance(ref, str):
            if ref not in self.structs:
                raise ValueError(f"{self.key}: unknown structure parameter {ref}")
            return ref
        name = literal_name(ref)
        if name not in self.structs:
            self.struct(name, ref, visible=False)
        return name

    def prop(self, name, value, formula=False):
        self.props.append((name, value, 1 if formula else 0))

    # -- points and views -------------------------------------------------------------------
    def pt(self, name, x, y, z="0"):
        if name in self.points:
            raise ValueError(f"{self.key}: point {name} defined twice")
        self.points[name] = (1000 + len(self.points) + 1, str(x), str(y), str(z))
        return name

    def auto_pt(self, prefix, x, y):
        self._auto += 1
        return self.pt(f"{prefix}{self._auto}", x, y)

    def view(self, name, base):
        vid = self.pid * 10 + len(self.views) + 1
        self._pid_check(base)
        self.views.append((vid, name, base))
        return vid

    @contextlib.contextmanager
    def in_view(self, vid):
        saved, self._view = self._view, vid
        try:
            yield
        finally:
            self._view = saved

    def _pid_check(self, name):
        if name not in self.points:
            raise ValueError(f"{self.key}: unknown point {name}")
        return self.points[name][0]

    def _sid(self, name):
        return self.structs[self.S(name)][0]

    # -- entities ---------------------------------------------------------------------------
    def _entity(self, etype, name, layer, filt):
        e = Entity(len(self.entities) + 1, etype, name, layer, filt)
        if self._view is not None:
            e.views.append(self._view)
        self.entities.append(e)
        e.formulas.append(("filter", filt, False))
        return e

    def _row(self, e, table, **cols):
        row = {"PartID": self.pid, "EntityID": e.eid}
        row.update(cols)
        e.rows.append((table, row))

    def _list(self, e, list_id, members):
        for m in members:
            self._row(e, "QZEntityIdList", EntityListID=list_id, RefEntityIDs=m)

    def _points(self, e, names):
        for pos, name in enumerate(names, 1):
            self._row(e, "QZPartPointIdList", PointListID=1, PointID=self._pid_check(name),
                      Position=pos)

    def line(self, a, b, layer="OUTLINE", name="", filt="1"):
        e = self._entity(LINE, name, layer, filt)
        self._row(e, "QZEnt_Line", StartPoint=self._pid_check(a), EndPoint=self._pid_check(b))
        e.geometry = {"points": [a, b]}
        return e.eid

    def circle(self, c, r, layer="OUTLINE", name="", filt="1"):
        e = self._entity(CIRCLE, name, layer, filt)
        self._row(e, "QZEnt_Circle", CenterPoint=self._pid_check(c), Radius=self._sid(r))
        e.geometry = {"center": c, "radius": self.S(r)}
        return e.eid

    def arc(self, c, r, start, end, layer="OUTLINE", name="", filt="1"):
        e = self._entity(ARC, name, layer, filt)
        self._row(e, "QZEnt_Arc", CenterPoint=self._pid_check(c), Radius=self._sid(r),
                  StartAngle=self._sid(start), EndAngle=self._sid(end))
        e.geometry = {"center": c, "radius": self.S(r), "start": self.S(start),
                      "end": self.S(end)}
        return e.eid

    def ellipse(self, c, axis, rmajor, rminor, start=None, end=None, layer="OUTLINE", name="",
                filt="1"):
        """A full ellipse, or an elliptical arc when start and end are given. `axis` is a point
        holding the major axis direction vector."""
        e = self._entity(ELLIPSE, name, layer, filt)
        is_arc = start is not None
        self._row(e, "QZEnt_Ellipse", CenterPoint=self._pid_check(c),
                  MajorRadius=self._sid(rmajor), MinorRadius=self._sid(rminor),
                  StartAngle=self._sid(start) if is_arc else None,
                  EndAngle=self._sid(end) if is_arc else None,
                  MajorAxis=self._pid_check(axis), MinorAxis=self._pid_check(axis),
                  isEllipseOArc=1 if is_arc else 0)
        e.geometry = {"center": c, "axis": axis, "rmajor": self.S(rmajor),
                      "rminor": self.S(rminor),
                      "start": self.S(start) if is_arc else None,
                      "end": self.S(end) if is_arc else None}
        return e.eid

    def pline(self, names, closed=True, layer="OUTLINE", name="", filt="1", width=0.0):
        e = self._entity(PLINE2D, name, layer, filt)
        self._row(e, "QZEnt_2dPolyline", PointListID=1, PlineType=0, ConstantWidth=width,
                  isClosed=1 if closed else 0)
        self._points(e, names)
        e.geometry = {"points": list(names), "closed": closed}
        return e.eid

    def pline3d(self, names, closed=False, layer="OUTLINE", name="", filt="1"):
        """A polyline through points with their Z: a wire form or a helix in space."""
        e = self._entity(PLINE3D, name, layer, filt)
        self._row(e, "QZEnt_3dPolyline", PointListID=1, PlineType=0,
                  isClosed=1 if closed else 0)
        self._points(e, names)
        e.geometry = {"points": list(names), "closed": closed}
        return e.eid

    def text(self, ins, formula, height="th", rotation=0, layer="TEXT", name="", filt="1"):
        e = self._entity(TEXT, name, layer, filt)
        self._row(e, "QZEnt_Text", InsertionPoint=self._pid_check(ins), TextString=formula,
                  IsExpression=1, Height=self._sid(height), ObliqueAngle=0.0,
                  Rotation=self._sid(rotation), ScaleFactor=1.0, TextStyleName=1)
        e.formulas.append(("text", formula, True))
        e.geometry = {"insert": ins, "height": self.S(height), "text": formula}
        return e.eid

    def mtext(self, ins, formula, height="th", rotation=0, width=0.0, attach=1, layer="TEXT",
              name="", filt="1"):
        e = self._entity(MTEXT, name, layer, filt)
        self._row(e, "QZEnt_MText", InsertionPoint=self._pid_check(ins), TextString=formula,
                  IsExpression=1, bHaveTolNo=0, str_DimTolNo="", bHaveTolVal=0, fTopTol=0.0,
                  fBottomTol=0.0, bHaveFollow=0, str_DimFollow="", str_DimFront="",
                  Rotation=self._sid(rotation), Height=self._sid(height), Width=width,
                  LineSpacingFactor=1.0, AttachmentPoint=attach, TextStyleName=1)
        e.formulas.append(("text", formula, True))
        e.geometry = {"insert": ins, "height": self.S(height), "text": formula}
        return e.eid

    def attributes(self, attrs, layer="TEXT", name="", filt="1"):
        """Attribute values of a block reference: (tag, formula, default)."""
        e = self._entity(ATTRIBUTE, name, layer, filt)
        for tag, formula, default in attrs:
            self._row(e, "QZEnt_Attribute", AttName=tag, Value=formula, IsExpression=1,
                      DefaultValue=default)
            e.formulas.append((f"attribute {tag}", formula, True))
        return e.eid

    def block_define(self, block_name, layer="TEXT", name="", filt="1"):
        e = self._entity(BLOCKDEF, name, layer, filt)
        self._row(e, "QZEnt_BlockDefine", BlockID=self.lib.block_id(block_name))
        return e.eid

    def block_ref(self, define, ins, attrs, rotation=0, scale="sc", layer="TEXT", name="",
                  filt="1"):
        e = self._entity(BLOCKREF, name, layer, filt)
        self._row(e, "QZEnt_BlockReference", InsertPoint=self._pid_check(ins),
                  Rotation=self._sid(rotation), ScaleFactor=self._sid(scale), BlockDefID=define,
                  EntityListID=1)
        self._list(e, 1, attrs)
        e.geometry = {"insert": ins, "block": define, "scale": self.S(scale)}
        return e.eid

    def group(self, members, layer="OUTLINE", name="", filt="1"):
        e = self._entity(GROUP, name, layer, filt)
        self._row(e, "QZEnt_Group", EntityListID=1)
        self._list(e, 1, members)
        return e.eid

    def hatch(self, outer, inner=(), pattern="ANSI31", scale=1.0, angle=0.0, layer="HATCH",
              name="", filt="1"):
        e = self._entity(HATCH, name, layer, filt)
        self._row(e, "QZEnt_Hatch", PatternName=PATTERN_ID[pattern], PatternIsDoubled=0,
                  PatternScale=float(scale), PatternAngle=float(angle),
                  ExternalBoundaryLoopEntity=1, InnerBoundaryLoopEntity=2)
        self._list(e, 1, outer)
        self._list(e, 2, inner)
        e.geometry = {"outer": list(outer), "inner": list(inner), "angle": angle,
                      "scale": scale}
        return e.eid

    def leader(self, names, annotation, hook=1, layer="DIM", name="", filt="1"):
        e = self._entity(LEADER, name, layer, filt)
        self._row(e, "QZEnt_Leader", PointListID=1, AnnotationEntity=1, LeaderType=0,
                  hasHookLine=hook)
        self._points(e, names)
        self._list(e, 1, [annotation])
        e.geometry = {"points": list(names)}
        return e.eid

    # -- dimensions -------------------------------------------------------------------------
    def _dim(self, etype, name, textpos, text, tol, filt, just=0):
        e = self._entity(etype, name, "DIM", filt)
        self._row(e, "QZEnt_DimCommonStyle", DimType=DIM_TYPE[etype], iOutIndex=0, iInIndex=0,
                  isHasLAngle=0, dLAngle=0.0, DimJust=just, DimDad=0, hasFirstArr=1,
                  HasSecondArr=1, HasFirstLine=1, HasSecondLine=1)
        self._row(e, "QZEnt_DimCommonText", TextPosition=self._pid_check(textpos),
                  TextString=text or "", IsExpression=1 if text else 0, isRotateText=0,
                  TextRotation=0.0, isHaveTolNo=1 if tol else 0, str_DimTolNo=tol or "",
                  isHaveTolVal=1 if tol else 0, fTopTol=0.0, fBottomTol=0.0, isHaveFollow=0,
                  str_DimFollow="", str_DimFront="", str_TolUnit="", isRectText=0,
                  dimdec=0 if etype in (DIM3POINT, DIM2LINE) else 2)
        if text:
            e.formulas.append(("dimension text", text, True))
        e.geometry = {"textpos": textpos, "text": text, "tol": tol}
        return e

    def dim_linear(self, ext1, ext2, line, vertical=False, text=None, tol=None, name="",
                   filt="1", just=0):
        """A rotated dimension, horizontal or vertical, its line through the point `line`.
        `just` 2 puts a text too wide for its span beside the second extension line."""
        if vertical:
            tp = self.auto_pt("t", f"P.{line}.X", f"(P.{ext1}.Y+P.{ext2}.Y)/2")
        else:
            tp = self.auto_pt("t", f"(P.{ext1}.X+P.{ext2}.X)/2", f"P.{line}.Y")
        e = self._dim(DIMROTATED, name, tp, text, tol, filt, just)
        self._row(e, "QZEnt_DimRotated", DimLinePoint=self._pid_check(line),
                  ExtLine1Point=self._pid_check(ext1), ExtLine2Point=self._pid_check(ext2),
                  Rotation=90.0 if vertical else 0.0)
        e.geometry.update({"kind": "linear", "ext": [ext1, ext2], "line": line,
                           "vertical": vertical})
        return e.eid

    def dim_aligned(self, ext1, ext2, line, text=None, tol=None, name="", filt="1"):
        tp = self.auto_pt("t", f"P.{line}.X", f"P.{line}.Y")
        e = self._dim(DIMALIGNED, name, tp, text, tol, filt)
        self._row(e, "QZEnt_DimAligned", DimLinePoint=self._pid_check(line),
                  ExtLine1Point=self._pid_check(ext1), ExtLine2Point=self._pid_check(ext2))
        e.geometry.update({"kind": "aligned", "ext": [ext1, ext2], "line": line})
        return e.eid

    def dim_diametric(self, center, radius, textpos, text=None, tol=None, name="", filt="1",
                      radial=False):
        e = self._dim(DIMRADIAL if radial else DIMDIAMETRIC, name, textpos, text, tol, filt)
        table = "QZEnt_DimRadial" if radial else "QZEnt_DimDiametric"
        self._row(e, table, CenterPoint=self._pid_check(center), Radius=self._sid(radius))
        e.geometry.update({"kind": "radial" if radial else "diametric", "center": center,
                           "radius": self.S(radius)})
        return e.eid

    def dim_angular3(self, vertex, end1, end2, arcpt, text=None, name="", filt="1"):
        e = self._dim(DIM3POINT, name, arcpt, text, None, filt)
        self._row(e, "QZEnt_Dim3PointAngular", AngleVertPoint=self._pid_check(vertex),
                  ExtLine1EndPoint=self._pid_check(end1), ExtLine2EndPoint=self._pid_check(end2),
                  ArcPoint=self._pid_check(arcpt))
        e.geometry.update({"kind": "angular3", "vertex": vertex, "ends": [end1, end2],
                           "arc": arcpt})
        return e.eid

    def dim_angular2(self, l1, l2, arcpt, text=None, name="", filt="1"):
        e = self._dim(DIM2LINE, name, arcpt, text, None, filt)
        self._row(e, "QZEnt_Dim2LineAngular", ExtLine1StartPoint=self._pid_check(l1[0]),
                  ExtLine1EndPoint=self._pid_check(l1[1]),
                  ExtLine2StartPoint=self._pid_check(l2[0]),
                  ExtLine2EndPoint=self._pid_check(l2[1]), ArcPoint=self._pid_check(arcpt))
        e.geometry.update({"kind": "angular2", "lines": [list(l1), list(l2)], "arc": arcpt})
        return e.eid

    def dim_ordinate(self, defining, origin, leader_end, x_axis, text=None, name="", filt="1"):
        """An ordinate dimension; x_axis True measures the X coordinate (useXYAxis 1)."""
        e = self._dim(DIMORDINATE, name, leader_end, text, None, filt)
        self._row(e, "QZEnt_DimOrdinate", DefiningPoint=self._pid_check(defining),
                  Origin=self._pid_check(origin), LeaderEndPoint=self._pid_check(leader_end),
                  useXYAxis=1 if x_axis else 0)
        e.geometry.update({"kind": "ordinate", "defining": defining, "origin": origin,
                           "leader_end": leader_end, "x_axis": x_axis})
        return e.eid

    # -- transforms -------------------------------------------------------------------------
    def move(self, members, frm, to, erase=False, layer="OUTLINE", name="", filt="1"):
        e = self._entity(MOVE, name, layer, filt)
        self._row(e, "QZEntTrans_Move", FromPoint=self._pid_check(frm),
                  ToPoint=self._pid_check(to), bEraseOld=1 if erase else 0, EntityListID=1)
        self._list(e, 1, members)
        e.geometry = {"members": list(members), "from": frm, "to": to, "erase": erase}
        return e.eid

    def mirror(self, members, a, b, erase=False, layer="OUTLINE", name="", filt="1"):
        e = self._entity(MIRROR, name, layer, filt)
        self._row(e, "QZEntTrans_Mirror", FromPoint=self._pid_check(a), ToPoint=self._pid_check(b),
                  bEraseOld=1 if erase else 0, EntityListID=1)
        self._list(e, 1, members)
        e.geometry = {"members": list(members), "from": a, "to": b, "erase": erase}
        return e.eid

    def rotate(self, members, base, angle, erase=False, layer="OUTLINE", name="", filt="1"):
        e = self._entity(ROTATE, name, layer, filt)
        self._row(e, "QZEntTrans_Rotate", BasePoint=self._pid_check(base),
                  Rotation=self._sid(angle), bEraseOld=1 if erase else 0, EntityListID=1)
        self._list(e, 1, members)
        e.geometry = {"members": list(members), "base": base, "angle": self.S(angle),
                      "erase": erase}
        return e.eid

    def polar(self, members, center, count, sweep=360, rotate_each=True, layer="OUTLINE",
              name="", filt="1"):
        e = self._entity(POLAR, name, layer, filt)
        self._row(e, "QZEntTrans_PolarArray", CenterPoint=self._pid_check(center),
                  BasePoint=self._pid_check(center), ItemNumber=self._sid(count),
                  SweepAngle=self._sid(sweep), isRoateEachItem=1 if rotate_each else 0,
                  EntityListID=1)
        self._list(e, 1, members)
        e.geometry = {"members": list(members), "center": center, "count": self.S(count),
                      "sweep": self.S(sweep), "rotate_each": rotate_each}
        return e.eid

    def rect_array(self, members, rows, cols, row_space, col_space, angle=0, layer="OUTLINE",
                   name="", filt="1"):
        e = self._entity(RECTARRAY, name, layer, filt)
        self._row(e, "QZEntTrans_RectArray", RowNumber=self._sid(rows),
                  ColumnNumber=self._sid(cols), RowSpace=self._sid(row_space),
                  ColumnSpace=self._sid(col_space), ArrayAngle=self._sid(angle), EntityListID=1)
        self._list(e, 1, members)
        e.geometry = {"members": list(members), "rows": self.S(rows), "cols": self.S(cols),
                      "row_space": self.S(row_space), "col_space": self.S(col_space),
                      "angle": self.S(angle)}
        return e.eid

    # -- output -----------------------------------------------------------------------------
    def guid(self):
        g = uuid.uuid5(GUID_NAMESPACE, "metric-parts/" + self.key).hex.upper()
        return g[:8], g[8:12], g[12:16], g[16:]

    def sql(self):
        out = [f"-- {self.name}"]
        if self.base_point is None:
            raise ValueError(f"{self.key}: no base point")
        out.append(insert("QZParts", {"PartID": self.pid, "Name": self.name,
                                      "BasePoint": self._pid_check(self.base_point),
                                      "Position": self.pid, "PartPic": None}))
        d1, d2, d3, d4 = self.guid()
        out.append(insert("QZPartGUIDs", {"ID": self.pid, "DATA1": d1, "DATA2": d2, "DATA3": d3,
                                          "DATA4": d4}))
        for pos, (para, name, ptype, visible) in enumerate(self.inputs, 1):
            out.append(insert("QZPartInputParas", {"ParaID": para, "PartID": self.pid,
                                                   "ParaName": name, "ParaType": ptype,
                                                   "Visible": visible, "Position": pos}))
        for rid, row in enumerate(self.rows, 1):
            for (para, _, ptype, _), value in zip(self.inputs, row):
                if ptype == TEXTPARA:
                    rec = {"StrValue": value, "RealValue": None}
                else:
                    rec = {"StrValue": None,
                           "RealValue": None if value is None else float(value)}
                out.append(insert("QZParaValue", {"PartID": self.pid, "ParaID": para,
                                                  "RowID": rid, **rec}))
        for pos, (vid, name, base) in enumerate(self.views, 1):
            out.append(insert("QZPartViews", {"PartViewID": vid, "PartID": self.pid,
                                              "PartViewName": name,
                                              "BasePoint": self._pid_check(base),
                                              "Position": pos, "ViewPic": None}))
        for pos, (name, (sid, expr, is_expr, visible)) in enumerate(self.structs.items(), 1):
            out.append(insert("QZPartStructureParas", {
                "StructureID": sid, "PartID": self.pid, "Name": name, "Expression": expr,
                "IsExpression": is_expr, "Visible": visible, "Position": pos}))
        for name, value, is_expr in self.props:
            out.append(insert("QZPartPrptys", {"PartID": self.pid,
                                               "PropertyID": PROPERTY_ID[name],
                                               "IsExpression": is_expr, "Value": value}))
        for pos, (name, (ptid, x, y, z)) in enumerate(self.points.items(), 1):
            out.append(insert("QZPartPoints", {"PointID": ptid, "PartID": self.pid,
                                               "Name": name, "PXParaExp": x, "PYParaExp": y,
                                               "PZParaExp": z, "Position": pos}))
        for e in self.entities:
            out.append(insert("QZPartEntities", {
                "EntityID": e.eid, "PartID": self.pid, "EntityType": e.etype, "Name": e.name,
                "IsAssist": 0, "LayerID": LAYER_ID[e.layer], "FilterExp": e.filter,
                "IsMatchProp": 1, "Position": e.eid * 10}))
            for vid in e.views:
                out.append(insert("QZPartViewEntities", {"PartID": self.pid, "PartViewID": vid,
                                                         "EntityID": e.eid}))
            for table, row in e.rows:
                out.append(insert(table, row))
        return out


class Library:
    def __init__(self, root_name, folders):
        self.root_name = root_name
        self.folders = [(key, name, []) for key, name in folders]
        self.parts = []
        self.blocks = []          # (BlockID, name, has_attribute, data bytes)

    def part(self, folder, key, name):
        p = Part(self, len(self.parts) + 1, key, name, folder)
        self.parts.append(p)
        for fkey, _, parts in self.folders:
            if fkey == folder:
                parts.append(p)
                return p
        raise ValueError(f"{key}: unknown folder {folder}")

    def block(self, name, data, has_attribute=True):
        for bid, existing, _, _ in self.blocks:
            if existing == name:
                return bid
        self.blocks.append((len(self.blocks) + 1, name, 1 if has_attribute else 0, data))
        return len(self.blocks)

    def block_id(self, name):
        for bid, existing, _, _ in self.blocks:
            if existing == name:
                return bid
        raise ValueError(f"unknown block {name}")

    def sql(self):
        out = ["BEGIN TRANSACTION;"]
        for lid, _, name in LAYERS:
            out.append(insert("QZLayer", {"LayerID": lid, "Name": name}))
        for tid, name in TEXT_STYLES:
            out.append(insert("QZTextStyleName", {"TextStyleNameID": tid, "Name": name}))
        for pid, name in PATTERNS:
            out.append(insert("QZPatternName", {"PatternID": pid, "PatternName": name}))
        # An optional column beyond the format's, which the dialogs read when present.
        out.append('ALTER TABLE "QZProperties" ADD COLUMN "Unit" TEXT;')
        for pid, name in PROPERTIES:
            out.append(insert("QZProperties", {"PropertyID": pid, "PropertyName": name,
                                               "Unit": PROPERTY_UNITS.get(name)}))
        for bid, name, has_attr, data in self.blocks:
            out.append(insert("QZEnt_BlockGlobal", {"BlockID": bid, "BlockName": name,
                                                    "hasAttribute": has_attr, "BlockType": 0,
                                                    "BlockData": data}))
        node = 1
        out.append(insert("QZPartDirectory", {"NodeID": node, "NodeName": self.root_name,
                                              "FatherID": 0, "Position": 1, "NodeType": 0,
                                              "PartID": 0}))
        for fpos, (_, fname, parts) in enumerate(self.folders, 1):
            node += 1
            folder_node = node
            out.append(insert("QZPartDirectory", {"NodeID": folder_node, "NodeName": fname,
                                                  "FatherID": 1, "Position": fpos,
                                                  "NodeType": 1, "PartID": 0}))
            for ppos, part in enumerate(parts, 1):
                node += 1
                out.append(insert("QZPartDirectory", {"NodeID": node, "NodeName": part.name,
                                                      "FatherID": folder_node, "Position": ppos,
                                                      "NodeType": 2, "PartID": part.pid}))
        for part in self.parts:
            out.extend(part.sql())
        out.append("COMMIT;")
        return "\n".join(out) + "\n"
