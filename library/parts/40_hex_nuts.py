"""Hexagon nuts: GB/T 6170 (ISO 4032), 6175 (ISO 4033), 6172.1 (ISO 4035), 6171 (ISO 8673),
6176 (ISO 8674): a full section and the view of the bearing face, one drawing
for all, the standards differing in their tables.

Columns: thread pitch P (coarse, ISO 261, or the fine pitch of the size), width across flats s
(= s max), minimum width across corners e, nut height m (= m max), minimum bearing face
diameter dw and maximum countersink diameter da. GB/T 6170 takes the checked table's values for
M4 to M24 (tests/data/fasteners) and the ISO 4032 table's for the other sizes; e is the
checked table's e min wherever size and width across flats agree, above M24 the ISO 8673
table's (which holds e min), else the table's value (a modelling value close to e min).
"""

import drawing
import gb
import tables
from qzlib import NUMBER, TEXTPARA

COARSE = ["M3", "M4", "M5", "M6", "M8", "M10", "M12", "M16", "M20", "M24", "M30", "M36",
          "M42", "M48"]
FINE = ["M8x1", "M10x1", "M12x1.5", "M16x1.5", "M20x1.5", "M24x2", "M30x2", "M36x3", "M42x3",
        "M48x3"]


def table_rows(name, wanted, checked=None):
    """(thread, d, P, s, e, m, dw, da) of each wanted size."""
    std = tables.standard(name)
    ref = tables.checked(checked) if checked else {}
    n = tables.num
    # The tables' e is a modelling value; where the checked ISO 4032 table has a nut of the
    # same width across flats and diameter, its e min (grade A to M16, B above) is taken.
    e_min = {(n(c["d_mm"]), n(c["s_max"])): n(c["e_min"])
             for c in tables.checked("iso4032_hex_nut").values()}
    # Above M24 the fine-thread table's e, which is e min (it agrees with the checked table
    # at M8 to M24), for a nut of the same diameter and width across flats.
    for size, r in tables.standard("iso8673_hexagon_nut_style_1_fine_thread").items():
        e_min.setdefault((tables.thread_d(size), n(r["s_nom"])), n(r["e"]))
    rows = []
    for size in tables.sizes(std, wanted):
        d = tables.thread_d(size)
        if size in ref:
            c = ref[size]
            rows.append((size, n(c["d_mm"]), n(c["P"]), n(c["s_max"]), n(c["e_min"]),
                         n(c["m_max"]), n(c["dw_min"]), n(c["da_max"])))
            continue
        r = std[size]
        s_, e, m, dw, da = n(r["s_nom"]), n(r["e"]), n(r["m"]), n(r["dw"]), n(r["damax"])
        e = e_min.get((d, s_), e)
        rows.append((tables.mark_size(size), d, n(r["P"]), s_, e, m, dw, da))
    return rows


# key, GB/T, edition, twin, name, English, table, sizes, property class
PARTS = [
    ("gb6170", "GB/T 6170", "GB/T 6170-2015", "ISO 4032:2012", "1型六角螺母", "Hexagon nut, style 1",
     "iso4032_hexagon_nut_style_1", COARSE, "8"),
    ("gb6175", "GB/T 6175", "GB/T 6175-2016", "ISO 4033:2012", "2型六角螺母", "Hexagon nut, style 2",
     "iso4033_hexagon_nut_style_2", COARSE, "9"),
    ("gb6172.1", "GB/T 6172.1", "GB/T 6172.1-2016", "ISO 4035:2012", "六角薄螺母",
     "Hexagon thin nut", "iso4035_hexagon_thin_nut_chamfered", COARSE, "04"),
    ("gb6171", "GB/T 6171", "GB/T 6171-2016", "ISO 8673:2012", "1型六角螺母 细牙",
     "Hexagon nut, style 1, fine thread", "iso8673_hexagon_nut_style_1_fine_thread", FINE, "8"),
    ("gb6176", "GB/T 6176", "GB/T 6176-2016", "ISO 8674:2012", "2型六角螺母 细牙",
     "Hexagon nut, style 2, fine thread", "iso8674_hexagon_nut_style_2_fine_thread", FINE, "10"),
]


def section_half(p, sign, prefix):
    """One half of the section through the corners: a closed outline from the countersink
    at the bearing face round the corner chamfers to the other face."""
    y = (lambda f: f) if sign > 0 else (lambda f: f"-({f})")
    corners = [("0", "S.ra"), ("0", "S.rw"), ("S.hc", "S.re"), ("O.m-S.hc", "S.re"),
               ("O.m", "S.rw"), ("O.m", "S.ra"), ("O.m-S.cs", "S.r1"), ("S.cs", "S.r1")]
    return [p.pt(f"{prefix}{i + 1}", x, y(f)) for i, (x, f) in enumerate(corners)]


def build(lib):
    for key, gbno, edition, twin, name, english, table, wanted, grade in PARTS:
        rows = table_rows(table, wanted, "iso4032_hex_nut" if key == "gb6170" else None)
        p = lib.part("nuts", key, gb.part_name(name, gbno, twin.split(":")[0], english))
        nut(p, rows, gbno, edition, twin, name, grade)


def nut(p, rows, gbno, edition, twin, name, grade):
    p.parameters(("Thread", TEXTPARA, True), ("d", NUMBER, True), ("P", NUMBER, True),
              ("s", NUMBER, True), ("e", NUMBER, True), ("m", NUMBER, True),
              ("dw", NUMBER, True), ("da", NUMBER, True))
    p.value_rows(rows)
    size_text = 'O.Thread & ""'
    gb.properties(p, name, edition, twin, size_text, gb.mark("螺母", gbno, size_text), "钢", grade, None)

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
        p.text("TX", 'T.标记 & ""', name="标记 (designation)")

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
