"""Spring lock washer GB/T 93 (regular type; no ISO twin, similar to the withdrawn DIN 127 B):
a section, and the top view with the split and the wire's centre line as the helix it is in
space (a 3D polyline rising H - s over the turn).

Values of GB/T 93-1987: inside diameter d (min), section s = b (nominal, a square section) and
free height H (min 2 s, max 2.5 s; the drawing takes H max). Not in the project's data: taken
from a handbook's reproduction of the standard's table and compared with a second source (see
library/README.md). Preferred sizes only.
"""

import drawing
import gb
from qzlib import NUMBER

#       size   d     s    H max
ROWS = [(2, 2.1, 0.5, 1.25), (2.5, 2.6, 0.65, 1.63), (3, 3.1, 0.8, 2), (4, 4.1, 1.1, 2.75),
        (5, 5.1, 1.3, 3.25), (6, 6.1, 1.6, 4), (8, 8.1, 2.1, 5.25), (10, 10.2, 2.6, 6.5),
        (12, 12.2, 3.1, 7.75), (16, 16.2, 4.1, 10.25), (20, 20.2, 5, 12.5), (24, 24.5, 6, 15),
        (30, 30.5, 7.5, 18.75), (36, 36.5, 9, 22.5), (42, 42.5, 10.5, 26.25),
        (48, 48.5, 12, 30)]
HELIX_POINTS = 24


def build(lib):
    p = lib.part("washers", "gb93", gb.part_name("标准型弹簧垫圈", "GB/T 93", "",
                                                 "Spring lock washer, regular type"))
    p.parameters(("Size", NUMBER, True), ("d", NUMBER, True), ("s", NUMBER, True),
                 ("H", NUMBER, True))
    p.value_rows(ROWS)
    size_text = 'O.Size & ""'
    gb.properties(p, "标准型弹簧垫圈", "GB/T 93-1987", "DIN 127 B (similar, withdrawn)", size_text,
                  gb.mark("垫圈", "GB/T 93", size_text), "65Mn", "42~50 HRC", None)
    drawing.common(p)
    p.struct("r", "O.d/2")
    p.struct("ro", "O.d/2+O.s")
    p.struct("rm", "(O.d+O.s)/2")
    p.struct("rise", "O.H-O.s")                 # the helix rises this much over the turn
    p.struct("g", "ATan2D(O.s/4, S.rm)")        # half the split, degrees
    p.struct("g1", "90+S.g")
    p.struct("g2", "90-S.g")
    drawing.mass_property(p, "2*Pi*S.rm*O.s^2")

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 全剖 (Front view, full section)", "O")
    with p.in_view(front):
        # Cut through the axis across the split: the left side is a quarter turn up the
        # helix, the right side three quarters.
        for tag, x0, x1, z in (("L", "-S.ro", "-S.r", "S.rise/4"),
                               ("R", "S.r", "S.ro", "3*S.rise/4")):
            pts = [p.pt(f"W{tag}1", x0, z), p.pt(f"W{tag}2", x1, z),
                   p.pt(f"W{tag}3", x1, f"{z}+O.s"), p.pt(f"W{tag}4", x0, f"{z}+O.s")]
            band = p.pline(pts, name=f"剖面 (section, {tag})")
            p.hatch([band], scale=0.3, name=f"剖面线 (hatching, {tag})")
        p.line(p.pt("A1", "0", "-S.cl"), p.pt("A2", "0", "O.H+S.cl"), layer="CENTER",
               name="轴线 (axis)")
        p.dim_linear("WL4", "WR3", p.pt("DD", "0", "O.H+S.dof"), text='"Ø" & (O.d+2*O.s)',
                     name="外径 (outside diameter)")
        p.dim_linear("WL2", "WR1", p.pt("Dd", "0", "-S.dof"), text='"Ø" & O.d',
                     name="内径 d (inside diameter)")
        p.dim_linear("WR2", "WR3", p.pt("DS", "S.ro+S.dof", "0"), vertical=True, text="O.s",
                     name="厚度 s (thickness)")
        p.text(p.pt("TX", "-S.ro", "-2*S.dof-S.th"), 'T.标记 & ""', name="标记 (designation)")

    p.pt("Q", "0", "-S.ro-S.gv")
    top = p.view("俯视图 (Top view)", "Q")
    with p.in_view(top):
        p.arc("Q", "ro", "g1", "g2", name="外缘 (outside edge)")
        p.arc("Q", "r", "g1", "g2", name="内缘 (inside edge)")
        for tag, ang in (("L", "g1"), ("R", "g2")):
            p.line(p.pt(f"SP{tag}1", f"P.Q.X+S.r*CosD(S.{ang})", f"P.Q.Y+S.r*SinD(S.{ang})"),
                   p.pt(f"SP{tag}2", f"P.Q.X+S.ro*CosD(S.{ang})", f"P.Q.Y+S.ro*SinD(S.{ang})"),
                   name=f"切口 (split, {tag})")
        helix = []
        for i in range(HELIX_POINTS + 1):
            t = f"{i}/{HELIX_POINTS}"
            ang = f"(S.g2-(360-2*S.g)*{t})"
            helix.append(p.pt(f"HX{i}", f"P.Q.X+S.rm*CosD{ang}", f"P.Q.Y+S.rm*SinD{ang}",
                              f"O.s/2+S.rise*{t}"))
        p.pline3d(helix, layer="CENTER", name="弹簧丝中心线 (centre line of the wire, helix)")
        drawing.centre_cross(p, "Q", "S.ro", "")
