"""Hexagon nut ISO 4032 (style 1), M4 to M24: a full section and the view of the bearing face.

Dimensions follow ISO 4032:2012: thread pitch P (coarse), width across flats s (= s max),
minimum width across corners e (product grade A up to M16, B above), nut height m (= m max),
minimum bearing face diameter dw and maximum countersink diameter da.
"""

import drawing
from qzlib import NUMBER, TEXTPARA

#        thread   d    P     s     e min   m max  dw min  da max
SIZES = [
    ("M4", 4, 0.7, 7, 7.66, 3.2, 5.9, 4.6),
    ("M5", 5, 0.8, 8, 8.79, 4.7, 6.9, 5.75),
    ("M6", 6, 1, 10, 11.05, 5.2, 8.9, 6.75),
    ("M8", 8, 1.25, 13, 14.38, 6.8, 11.6, 8.75),
    ("M10", 10, 1.5, 16, 17.77, 8.4, 14.6, 10.8),
    ("M12", 12, 1.75, 18, 20.03, 10.8, 16.6, 13),
    ("M16", 16, 2, 24, 26.75, 14.8, 22.5, 17.3),
    ("M20", 20, 2.5, 30, 32.95, 18, 27.7, 21.6),
    ("M24", 24, 3, 36, 39.55, 21.5, 33.3, 25.9),
]


def section_half(p, sign, prefix):
    """One half of the section through the corners: a closed outline from the countersink
    at the bearing face round the corner chamfers to the other face."""
    y = (lambda f: f) if sign > 0 else (lambda f: f"-({f})")
    corners = [("0", "S.ra"), ("0", "S.rw"), ("S.hc", "S.re"), ("O.m-S.hc", "S.re"),
               ("O.m", "S.rw"), ("O.m", "S.ra"), ("O.m-S.cs", "S.r1"), ("S.cs", "S.r1")]
    return [p.pt(f"{prefix}{i + 1}", x, y(f)) for i, (x, f) in enumerate(corners)]


def build(lib):
    p = lib.part("nuts", "iso4032", "六角螺母 ISO 4032 (Hexagon nut)")
    p.parameters(("Thread", TEXTPARA, True), ("d", NUMBER, True), ("P", NUMBER, True),
              ("s", NUMBER, True), ("e", NUMBER, True), ("m", NUMBER, True),
              ("dw", NUMBER, True), ("da", NUMBER, True))
    p.value_rows(SIZES)
    p.prop("Name", "六角螺母")
    p.prop("Standard", "ISO 4032:2012")
    p.prop("Material", "钢 Steel, property class 8")
    p.prop("Designation", '"Hexagon nut ISO 4032 - " & O.Thread & " - 8"', formula=True)

    drawing.common(p)
    drawing.hex_sizes(p)
    p.struct("r", "O.d/2")
    p.struct("D1", "O.d-1.082532*O.P")   # minor diameter of the internal thread (ISO 724)
    p.struct("r1", "S.D1/2")
    p.struct("rw", "O.dw/2")
    p.struct("hc", "(S.re-S.rw)*TanD(30)")    # 30° chamfer from the bearing face circle
    p.struct("ra", "O.da/2")
    p.struct("cs", "(S.ra-S.r1)*TanD(30)")    # 120° countersink: its depth along the axis
    p.struct("csd", "(S.ra-S.r)*TanD(30)")    # where the countersink meets the major diameter
    drawing.mass_property(p, "(Sqr(3)/2*O.s^2-Pi*S.D1^2/4)*O.m")

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 全剖 (Front view, full section)", "O")
    with p.in_view(front):
        up = section_half(p, 1, "U")
        lo = section_half(p, -1, "L")
        upper = p.pline(up, name="剖面上半 (section, upper half)")
        lower = p.pline(lo, name="剖面下半 (section, lower half)")
        p.hatch([upper], scale=0.5, name="剖面线上 (hatching, upper)")
        p.hatch([lower], scale=0.5, name="剖面线下 (hatching, lower)")
        # Behind the cutting plane the far half of each countersink's circles shows across
        # the bore: at the faces and where the countersink meets the minor diameter.
        for top, bottom, where in (("U1", "L1", "bearing face"), ("U8", "L8", "countersink"),
                                   ("U7", "L7", "countersink, top"), ("U6", "L6", "top face")):
            p.line(top, bottom, name=f"孔口棱线 (bore edge behind the section, {where})")
        # ISO 6410-1: in section an internal thread shows its major diameter as a thin line
        # and the hatching runs to the minor diameter.
        for y, tag in (("S.r", "U"), ("-S.r", "L")):
            a = p.pt(f"M{tag}1", "S.csd", y)
            b = p.pt(f"M{tag}2", "O.m-S.csd", y)
            p.line(a, b, layer="THIN", name=f"螺纹大径 (thread major diameter, {tag})")
        a1 = p.pt("A1", "-S.cl", "0")
        a2 = p.pt("A2", "O.m+S.cl", "0")
        p.line(a1, a2, layer="CENTER", name="轴线 (axis)")
        below = p.pt("DH", "0", "-S.re-S.dof")
        p.dim_linear("L2", "L5", below, text="O.m", name="螺母高度 m (nut height)")
        p.pt("DC", "-S.dof", "0")
        p.dim_angular2(("U8", "U1"), ("L8", "L1"), "DC", name="沉孔角 (countersink angle)")
        p.pt("TX", "0", "-S.re-2*S.dof-S.th")
        p.text("TX", 'T.Designation & ""', name="标记 (designation)")

    p.pt("N", "O.m+S.gv+S.re", "0")
    side = p.view("左视图 (Left view)", "N")
    with p.in_view(side):
        hexa, corners = drawing.hexagon(p, "N", "hs", "re", "NH", name="六角 (hexagon)")
        face = p.circle("N", "rw", name="支承面圆 (bearing face circle)")
        crest, root = drawing.thread_end(p, "N", "r1", "r", "内")
        p.group([hexa, face, crest, root], name="端视轮廓 (end view outline)")
        drawing.centre_cross(p, "N", "S.re", "")
        drawing.hex_dims(p, "N", corners)
        p.pt("DT", "P.N.X+(S.re+S.dof)*0.7071", "P.N.Y+(S.re+S.dof)*0.7071")
        p.dim_diametric("N", "r", "DT", text='O.Thread & ""', name="螺纹规格 (thread size)")
