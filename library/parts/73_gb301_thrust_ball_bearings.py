"""Thrust ball bearings, single direction, GB/T 301 (ISO 104): series 511, 512, 513 and 514.
A full section through the axis (shaft washer, balls, housing washer) and the view along the
axis.

Boundary dimensions from the DIN 711 table (data/standards): bore d (shaft washer), d1 the
housing washer's bore, D outside diameter, D1 the shaft washer's outside diameter, height T.
The inside (ball diameter, washer thickness, raceway grooves) is a drawing proportion as in
makers' catalogue figures: ball 0.714 T (at most 0.4 (D - d)) on the pitch circle (d + D)/2,
grooves 0.53 of the ball diameter.
"""

import drawing
import gb
import tables
from qzlib import NUMBER, TEXTPARA

n = tables.num
SERIES = ("511", "512", "513", "514")


def washer(p, prefix, sign, bore, outside, hatch_angle):
    """The upper half of one washer: sign -1 the shaft washer (left), 1 the housing washer."""
    xf = "-S.xf" if sign < 0 else "S.xf"
    xo = "-S.hT" if sign < 0 else "S.hT"
    pts = [(xf, "S.rp+S.yg"), (xf, outside), (xo, outside), (xo, bore), (xf, bore),
           (xf, "S.rp-S.yg")]
    if sign > 0:
        pts.reverse()
    names = [p.pt(f"{prefix}{i + 1}", x, y) for i, (x, y) in enumerate(pts)]
    kind = "轴圈" if sign < 0 else "座圈"
    english = "shaft washer" if sign < 0 else "housing washer"
    outline = p.pline(names, closed=False, name=f"{kind} ({english})")
    start, end = ("gl1", "gl2") if sign < 0 else ("gr1", "gr2")
    groove = p.arc("BC", "rg", start, end, name=f"{kind}滚道 ({english}, raceway)")
    p.hatch([outline, groove], scale=0.5, angle=hatch_angle, name=f"剖面线 ({english})")
    return outline, groove


def build(lib):
    std = tables.standard("din711_thrust_ball_bearing")
    for series in SERIES:
        rows = [(size, n(r["d_w"]), n(r["d_g"]), n(r["D_g"]), n(r["D_w"]), n(r["T"]))
                for size, r in std.items() if size.startswith(series) and len(size) == 5]
        p = lib.part("bearings", f"gb301-{series}",
                     gb.part_name(f"推力球轴承 {series} 系列", "GB/T 301", "ISO 104",
                                  f"Thrust ball bearing, {series} series"))
        p.parameters(("Code", TEXTPARA, True), ("d", NUMBER, True), ("d1", NUMBER, True),
                     ("D", NUMBER, True), ("D1", NUMBER, True), ("T", NUMBER, True))
        p.value_rows(rows)
        gb.properties(p, f"推力球轴承 {series} 系列", "GB/T 301-2015", "ISO 104:2015",
                      'O.Code & ""', '"滚动轴承 " & O.Code & " GB/T 301"', "GCr15", "—", None)
        drawing.common(p)
        p.struct("hT", "O.T/2")
        p.struct("rp", "(O.d+O.D)/4")
        p.struct("Db", "Min(0.714*O.T, 0.4*(O.D-O.d))")
        p.struct("rb", "S.Db/2")
        p.struct("xf", "0.35*S.Db")           # the washers' inner faces
        p.struct("rg", "0.53*S.Db")
        p.struct("yg", "Sqr(S.rg^2-S.xf^2)")
        p.struct("ag", "ATan2D(S.yg, S.xf)")
        p.struct("gl1", "180-S.ag")
        p.struct("gl2", "180+S.ag")
        p.struct("gr1", "-S.ag")
        p.struct("gr2", "S.ag")
        p.struct("z", "Int(Pi*2*S.rp/(1.3*S.Db))")
        drawing.mass_property(p, "Pi/4*((O.D1^2-O.d^2)+(O.D^2-O.d1^2))*(O.T/2-S.xf)"
                                 "+S.z*Pi*S.Db^3/6")
        p.base_point = p.pt("O", "0", "0")
        front = p.view("主视图 全剖 (Front view, full section)", "O")
        with p.in_view(front):
            p.pt("BC", "0", "S.rp")
            washer(p, "WS", -1, "O.d/2", "O.D1/2", 0)
            washer(p, "WH", 1, "O.d1/2", "O.D/2", 90)
            ball = p.circle("BC", "rb", name="滚珠 (ball, upper)")
            p.mirror([ball], "O", p.pt("AXR", "10", "0"), name="滚珠下 (ball, lower)")
            lower = []
            for prefix, sign, bore, outside, angle in (("LS", -1, "O.d/2", "O.D1/2", 0),
                                                       ("LH", 1, "O.d1/2", "O.D/2", 90)):
                xf = "-S.xf" if sign < 0 else "S.xf"
                xo = "-S.hT" if sign < 0 else "S.hT"
                pts = [p.pt(f"{prefix}{i}", x, f"-({y})") for i, (x, y) in enumerate(
                    [(xf, bore), (xo, bore), (xo, outside), (xf, outside)])]
                band = p.pline(pts, name=f"下半剖面 (lower half, {prefix})")
                p.hatch([band], scale=0.5, angle=angle, name=f"剖面线 (hatching, {prefix})")
                lower.append(pts)
            p.line(p.pt("A1", "-S.hT-S.cl", "0"), p.pt("A2", "S.hT+S.cl", "0"), layer="CENTER",
                   name="轴线 (axis)")
            p.dim_linear("WS3", "WH4", p.pt("DT", "0", "O.D/2+S.dof"), text="O.T",
                         name="高度 T (height)")
            p.dim_linear("WS4", "LS1", p.pt("Dd", "-S.hT-S.dof", "0"), vertical=True,
                         text='"Ø" & O.d', name="内径 d (bore)")
            p.dim_linear("WH3", "LH2", p.pt("DD", "S.hT+S.dof", "0"), vertical=True,
                         text='"Ø" & O.D', name="外径 D (outside diameter)")
            p.text(p.pt("TX", "-S.hT", "-O.D/2-2*S.dof-S.th"), 'T.标记 & ""',
                   name="标记 (designation)")
        p.pt("E", "S.hT+S.gv+O.D/2", "0")
        side = p.view("左视图 (Left view)", "E")
        with p.in_view(side):
            p.struct("rD", "O.D/2", visible=False)
            p.struct("rD1", "O.D1/2", visible=False)
            p.struct("rd", "O.d/2", visible=False)
            rings = [p.circle("E", "rD1", name="轴圈外径 (shaft washer, outside)"),
                     p.circle("E", "rd", name="内孔 (bore)"),
                     p.circle("E", "rD", name="座圈外径 (housing washer, outside)")]
            p.circle("E", "rp", layer="CENTER", name="节圆 (pitch circle)")
            p.group(rings, name="轴圈 (shaft washer)")
            drawing.centre_cross(p, "E", "S.rD", "")
