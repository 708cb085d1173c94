"""Parallel pin ISO 2338, unhardened steel, d = 4 to 20: front view and end view.

Dimensions follow ISO 2338:1997: nominal diameter d with the tolerance class the user picks
(m6 or h8; the rows carry m6) and the end chamfer c (approximate; the reference table has a
single source for c). The lengths are common lengths of each diameter; any other length may be
typed in. The ends are drawn chamfered at 45° over c (the standard leaves the end form to the
maker: chamfered or rounded).
"""

import drawing
from qzlib import NUMBER, TEXTPARA

#     d     c
SIZES = [(4, 0.63), (5, 0.8), (6, 1.2), (8, 1.6), (10, 2), (12, 2.5), (16, 3), (20, 3.5)]
LENGTHS = {4: (12, 20), 5: (16, 24), 6: (20, 30), 8: (24, 40), 10: (30, 50), 12: (40, 60),
           16: (50, 80), 20: (60, 100)}


def build(lib):
    p = lib.part("pins", "iso2338", "圆柱销 ISO 2338 (Parallel pin)")
    p.parameters(("d", NUMBER, True), ("Tol", TEXTPARA, True), ("L", NUMBER, True),
              ("c", NUMBER, True))
    p.value_rows([(d, "m6", l, c) for d, c in SIZES for l in LENGTHS[d]])
    p.prop("Name", "圆柱销")
    p.prop("Standard", "ISO 2338:1997")
    p.prop("Material", "钢 Steel (St), unhardened")
    p.prop("Designation", '"Parallel pin ISO 2338 - " & O.d & " " & O.Tol & " x " & O.L & " - St"',
           formula=True)

    drawing.common(p)
    p.struct("r", "O.d/2")
    p.struct("rc", "S.r-O.c")
    drawing.mass_property(p, "Pi/4*O.d^2*O.L")

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 (Front view)", "O")
    with p.in_view(front):
        outline = [("O.c", "S.r"), ("O.L-O.c", "S.r"), ("O.L", "S.rc"), ("O.L", "-S.rc"),
                   ("O.L-O.c", "-S.r"), ("O.c", "-S.r"), ("0", "-S.rc"), ("0", "S.rc")]
        pts = [p.pt(f"G{i + 1}", x, y) for i, (x, y) in enumerate(outline)]
        p.pline(pts, name="销轮廓 (outline)")
        p.line(pts[0], pts[5], name="倒角棱线左 (chamfer edge, left)")
        p.line(pts[1], pts[4], name="倒角棱线右 (chamfer edge, right)")
        p.line(p.pt("A1", "-S.cl", "0"), p.pt("A2", "O.L+S.cl", "0"), layer="CENTER",
               name="轴线 (axis)")
        p.dim_linear("G7", "G4", p.pt("DL", "0", "-S.r-S.dof"), text="O.L",
                     name="长度 l (length)")
        # The diameter with its tolerance class: one dimension per class, the filter picks it.
        side = p.pt("DD", "-S.dof", "0")
        p.dim_linear("G1", "G6", side, vertical=True, text='"Ø" & O.d', tol="m6",
                     name="直径 d m6 (diameter)", filt='O.Tol<>"h8"')
        p.dim_linear("G1", "G6", side, vertical=True, text='"Ø" & O.d', tol="h8",
                     name="直径 d h8 (diameter)", filt='O.Tol="h8"')
        p.text(p.pt("TX", "0", "-S.r-2*S.dof-S.th"), 'T.Designation & ""',
               name="标记 (designation)")

    p.edited(5, Tol="h8")
    p.edited(16, L=200)

    p.pt("E", "O.L+S.gv+S.r", "0")
    end = p.view("左视图 (Left view)", "E")
    with p.in_view(end):
        p.circle("E", "r", name="外圆 (outside)")
        p.circle("E", "rc", name="倒角圆 (chamfer edge)")
        drawing.centre_cross(p, "E", "S.r", "")
