"""Plain washer ISO 7089, normal series, product grade A, sizes 4 to 24: a section, the top
view and an isometric view.

Dimensions follow ISO 7089:2000: inside diameter d1 (= d1 min, tolerance H13), outside
diameter d2 (= d2 max, tolerance h14) and the nominal thickness h; d1 and d2 carry the
tolerance classes of ISO 4759-3 for product grade A.
"""

import drawing
from qzlib import NUMBER, TEXTPARA

#      size  thread   d1     d2    h
SIZES = [
    (4, "M4", 4.3, 9, 0.8),
    (5, "M5", 5.3, 10, 1),
    (6, "M6", 6.4, 12, 1.6),
    (8, "M8", 8.4, 16, 1.6),
    (10, "M10", 10.5, 20, 2),
    (12, "M12", 13, 24, 2.5),
    (16, "M16", 17, 30, 3),
    (20, "M20", 21, 37, 3),
    (24, "M24", 25, 44, 4),
]


def build(lib):
    p = lib.part("washers", "iso7089", "平垫圈 ISO 7089 (Plain washer)")
    p.parameters(("Size", NUMBER, True), ("Thread", TEXTPARA, True), ("d1", NUMBER, True),
              ("d2", NUMBER, True), ("h", NUMBER, True))
    p.value_rows(SIZES)
    p.prop("Name", "平垫圈")
    p.prop("Standard", "ISO 7089:2000")
    p.prop("Material", "钢 Steel, 200 HV")
    p.prop("Designation", '"Washer ISO 7089 - " & O.Size & " - 200 HV"', formula=True)

    drawing.common(p)
    p.struct("r1", "O.d1/2")
    p.struct("r2", "O.d2/2")
    drawing.mass_property(p, "Pi/4*(O.d2^2-O.d1^2)*O.h")

    # The washer lies on its bearing face (y = 0); the base point is the centre of that face.
    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 全剖 (Front view, full section)", "O")
    with p.in_view(front):
        right = [p.pt("W1", "S.r1", "0"), p.pt("W2", "S.r2", "0"), p.pt("W3", "S.r2", "O.h"),
                 p.pt("W4", "S.r1", "O.h")]
        left = [p.pt("W5", "-S.r2", "0"), p.pt("W6", "-S.r1", "0"), p.pt("W7", "-S.r1", "O.h"),
                p.pt("W8", "-S.r2", "O.h")]
        r = p.pline(right, name="剖面右 (section, right)")
        lt = p.pline(left, name="剖面左 (section, left)")
        p.hatch([r], scale=0.5, name="剖面线右 (hatching, right)")
        p.hatch([lt], scale=0.5, name="剖面线左 (hatching, left)")
        # Behind the cutting plane the far half of the bore's edges shows across the hole.
        p.line("W6", "W1", name="孔口棱线下 (bore edge behind the section, bearing face)")
        p.line("W7", "W4", name="孔口棱线上 (bore edge behind the section, top face)")
        p.line(p.pt("A1", "0", "-S.cl"), p.pt("A2", "0", "O.h+S.cl"), layer="CENTER",
               name="轴线 (axis)")
        # The outside diameter below, the bore above: neither's extension lines cross the
        # other's text.
        p.dim_linear("W5", "W2", p.pt("D2", "0", "-S.dof"), text='"Ø" & O.d2', tol="h14",
                     name="外径 d2 (outside diameter)")
        p.dim_linear("W7", "W4", p.pt("D1", "0", "O.h+S.dof"), text='"Ø" & O.d1', tol="H13",
                     name="内径 d1 (inside diameter)")
        p.dim_linear("W2", "W3", p.pt("DH", "S.r2+S.dof", "0"), vertical=True, text="O.h",
                     name="厚度 h (thickness)")
        # Below the thickness's text, which stands under the washer when the washer is thin.
        p.text(p.pt("TX", "-S.r2", "-2*S.dof-S.th"), 'T.Designation & ""', name="标记 (designation)")

    p.pt("Q", "0", "-S.r2-S.gv")
    top = p.view("俯视图 (Top view)", "Q")
    with p.in_view(top):
        p.circle("Q", "r2", name="外圆 (outside)")
        p.circle("Q", "r1", name="内孔 (bore)")
        drawing.centre_cross(p, "Q", "S.r2", "")

    # Isometric projection: a horizontal circle becomes an ellipse whose minor axis is
    # tan 30° of its major axis; heights shrink to cos 35.26° = 0.8165.
    p.struct("kiso", "TanD(30)", visible=False)
    p.struct("m2", "S.r2*S.kiso", visible=False)
    p.struct("m1", "S.r1*S.kiso", visible=False)
    p.struct("hi", "O.h*0.8165", visible=False)
    # Through the bore one sees the far half of the bottom edge, from where it leaves the top
    # face's bore edge (both ellipses cross halfway up): sin t = (hi/2)/m1.
    p.struct("ti", "ATan2D(S.hi/2, Sqr(S.m1^2-(S.hi/2)^2))", visible=False)
    p.struct("ti2", "180-S.ti", visible=False)
    p.pt("I", "2*S.r2+S.gv", "-S.r2-S.gv")
    iso = p.view("轴测图 (Isometric view)", "I")
    with p.in_view(iso):
        it = p.pt("IT", "P.I.X", "P.I.Y+S.hi/2")
        ib = p.pt("IB", "P.I.X", "P.I.Y-S.hi/2")
        ax2 = p.pt("AX2", "S.r2", "0")
        ax1 = p.pt("AX1", "S.r1", "0")
        p.ellipse(it, ax2, "r2", "m2", name="顶面外缘 (top face, outside edge)")
        p.ellipse(it, ax1, "r1", "m1", name="顶面内缘 (top face, bore edge)")
        p.ellipse(ib, ax2, "r2", "m2", start=180, end=360,
                  name="底面外缘 (bottom face, outside edge, front half)")
        p.ellipse(ib, ax1, "r1", "m1", start="ti", end="ti2",
                  name="底面内缘 (bottom face, bore edge seen through the hole)")
        for x, tag in (("-S.r2", "L"), ("S.r2", "R")):
            a = p.pt(f"IS{tag}1", f"P.I.X+{x}", "P.IT.Y")
            b = p.pt(f"IS{tag}2", f"P.I.X+{x}", "P.IB.Y")
            p.line(a, b, name=f"轮廓素线 (silhouette, {tag})")
