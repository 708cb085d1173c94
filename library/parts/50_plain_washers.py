"""Plain washers: GB/T 97.1 (ISO 7089), 95 (ISO 7091), 848 (ISO 7092), 96.1 (ISO 7093-1),
5287 (ISO 7094): a section, the top view and an isometric view, one drawing for all.

Columns: inside diameter d1 (= d1 min, tolerance H13), outside diameter d2 (= d2 max, h14) and
the nominal thickness h. GB/T 97.1 takes the checked table's values for 4 to 24
(tests/data/fasteners) and the ISO 7089 table's for the other sizes.
"""

import drawing
import gb
import tables
from qzlib import NUMBER, TEXTPARA

WANTED = ["M3", "M4", "M5", "M6", "M8", "M10", "M12", "M16", "M20", "M24", "M30", "M36",
          "M42", "M48"]
PARTS = [
    ("gb97.1", "GB/T 97.1", "GB/T 97.1-2002", "ISO 7089:2000", "平垫圈 A级",
     "Plain washer, grade A", "iso7089_plain_washer_normal_series", "200HV"),
    ("gb95", "GB/T 95", "GB/T 95-2002", "ISO 7091:2000", "平垫圈 C级", "Plain washer, grade C",
     "iso7091_plain_washer_normal_series_grade_c", "100HV"),
    ("gb848", "GB/T 848", "GB/T 848-2002", "ISO 7092:2000", "小垫圈 A级",
     "Plain washer, small series", "iso7092_plain_washer_small_series", "200HV"),
    ("gb96.1", "GB/T 96.1", "GB/T 96.1-2002", "ISO 7093-1:2000", "大垫圈 A级",
     "Plain washer, large series", "iso7093-1_plain_washer_large_series", "200HV"),
    ("gb5287", "GB/T 5287", "GB/T 5287-2002", "ISO 7094:2000", "特大垫圈 C级",
     "Plain washer, extra large series", "iso7094_plain_washer_extra_large_series", "100HV"),
]


def table_rows(name, checked):
    std = tables.standard(name)
    ref = {r["for_thread"]: r for r in tables.checked(checked, "for_thread").values()} \
        if checked else {}
    n = tables.num
    rows = []
    for size in tables.sizes(std, WANTED):
        c = ref.get(size)
        if c:
            rows.append((n(c["nominal_size"]), size, n(c["d1_min"]), n(c["d2_max"]),
                         n(c["h_nom"])))
        else:
            r = std[size]
            rows.append((tables.thread_d(size), size, n(r["d1_min"]), n(r["d2_max"]), n(r["h"])))
    return rows



def section_details(p, top_bore, outside, thickness):
    """What the section of a washer shows besides its bands, between the points of the bore's
    top edge, of the outside diameter (left, right) and of the thickness (bottom, top); the
    bearing face's bore edge runs W6 to W1."""
    # Behind the cutting plane the far half of the bore's edges shows across the hole.
    p.line("W6", "W1", name="孔口棱线下 (bore edge behind the section, bearing face)")
    p.line(*top_bore, name="孔口棱线上 (bore edge behind the section, top face)")
    p.line(p.pt("A1", "0", "-S.cl"), p.pt("A2", "0", "O.h+S.cl"), layer="CENTER",
           name="轴线 (axis)")
    # The outside diameter below, the bore above: neither's extension lines cross the
    # other's text.
    p.dim_linear(*outside, p.pt("D2", "0", "-S.dof"), text='"Ø" & O.d2', tol="h14",
                 name="外径 d2 (outside diameter)")
    p.dim_linear(*top_bore, p.pt("D1", "0", "O.h+S.dof"), text='"Ø" & O.d1', tol="H13",
                 name="内径 d1 (inside diameter)")
    p.dim_linear(*thickness, p.pt("DH", "S.r2+S.dof", "0"), vertical=True, text="O.h",
                 name="厚度 h (thickness)")
    # Below the thickness's text, which stands under the washer when the washer is thin.
    p.text(p.pt("TX", "-S.r2", "-2*S.dof-S.th"), 'T.标记 & ""', name="标记 (designation)")

def build(lib):
    for key, gbno, edition, twin, name, english, table, grade in PARTS:
        rows = table_rows(table, "iso7089_plain_washer" if key == "gb97.1" else None)
        p = lib.part("washers", key, gb.part_name(name, gbno, twin.split(":")[0], english))
        washer(p, rows, gbno, edition, twin, name, grade)


def washer(p, rows, gbno, edition, twin, name, grade):
    p.parameters(("Size", NUMBER, True), ("Thread", TEXTPARA, True), ("d1", NUMBER, True),
              ("d2", NUMBER, True), ("h", NUMBER, True))
    p.value_rows(rows)
    size_text = 'O.Size & ""'
    gb.properties(p, name, edition, twin, size_text, gb.mark("垫圈", gbno, size_text), "钢", grade, None)

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
        section_details(p, top_bore=("W7", "W4"), outside=("W5", "W2"), thickness=("W2", "W3"))

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
