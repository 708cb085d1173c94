"""Hexagon nut with flange GB/T 6177.1 (ISO 4161): a full section with the flange at the bearing
face, and the view from the top face, where the flange shows round the hexagon.

Columns: pitch P, width across flats s (max; M10 has 15, not the 16 of the plain nut), e min,
nut height m (max, flange included), flange diameter dc (max), flange thickness at its rim c
(min) and countersink da max. The flange's top (a cone rising at 30° from the rim to the
hexagon's corners) and the chamfer of the top face (30° from the width across flats) are
drawing proportions.
"""

import drawing
import gb
import nut
import tables
from qzlib import NUMBER, TEXTPARA

n = tables.num


def table_rows():
    std = tables.standard("iso4161_hexagon_nut_with_flange")
    return [(tables.mark_size(size), tables.thread_d(size), n(std[size]["P"]),
             n(std[size]["s_max"]), n(std[size]["e_min"]), n(std[size]["m_max"]),
             n(std[size]["d_c_max"]), n(std[size]["c_min"]), n(std[size]["d_a_max"]))
            for size in tables.sizes(std)]


# The upper half: countersink, the flange's rim and its cone up to the hexagon's corners, the
# top face's chamfer and countersink.
OUTLINE = [("0", "S.ra"), ("0", "S.rf"), ("O.c", "S.rf"), ("S.xf", "S.re"), ("O.m-S.hc", "S.re"),
           ("O.m", "S.hs"), ("O.m", "S.ra"), ("O.m-S.cs", "S.r1"), ("S.cs", "S.r1")]


def build(lib):
    p = lib.part("nuts", "gb6177.1", gb.part_name("六角法兰面螺母", "GB/T 6177.1", "ISO 4161",
                                                   "Hexagon nut with flange"))
    p.parameters(("Thread", TEXTPARA, True), ("d", NUMBER, True), ("P", NUMBER, True),
                 ("s", NUMBER, True), ("e", NUMBER, True), ("m", NUMBER, True),
                 ("dc", NUMBER, True), ("c", NUMBER, True), ("da", NUMBER, True))
    p.value_rows(table_rows())
    size_text = 'O.Thread & ""'
    gb.properties(p, "六角法兰面螺母", "GB/T 6177.1-2016", "ISO 4161:1999", size_text,
                  gb.mark("螺母", "GB/T 6177.1", size_text), "钢", "8", None)

    drawing.common(p)
    nut.thread_sizes(p)
    p.struct("rf", "O.dc/2")
    p.struct("xf", "O.c+(S.rf-S.re)*TanD(30)")   # where the flange's cone meets the corners
    p.struct("hc", "(S.re-S.hs)*TanD(30)")       # top face chamfer from the width across flats
    drawing.mass_property(p, "Sqr(3)/2*O.s^2*(O.m-O.c)+Pi*S.rf^2*O.c-Pi*S.D1^2/4*O.m")

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 全剖 (Front view, full section)", "O")
    with p.in_view(front):
        nut.section(p, OUTLINE, "O.m",
                    [("U1", "L1", "bearing face"), ("U9", "L9", "countersink"),
                     ("U8", "L8", "countersink, top"), ("U7", "L7", "top face")],
                    ("S.csd", "O.m-S.csd"))
        # The flange's thickness and the height below, one above the other; the flange's
        # diameter on the left, clear of both.
        p.dim_linear("L2", "L3", p.pt("DC", "0", "-S.rf-S.dof"), text='O.c & " min"',
                     name="法兰厚度 c (flange thickness)")
        p.dim_linear("L2", "L6", p.pt("DH", "0", "-S.rf-2*S.dof"), text="O.m",
                     name="螺母高度 m (nut height)")
        p.dim_linear("U2", "L2", p.pt("DF", "-S.dof", "0"), vertical=True,
                     text='"Ø" & O.dc & " max"', name="法兰直径 dc (flange diameter)")
        p.pt("TX", "0", "-S.rf-3*S.dof-S.th")
        p.text("TX", 'T.标记 & ""', name="标记 (designation)")

    # Seen from the top face the flange stands round the hexagon.
    nut.end_view(p, "-S.gv-S.rf", "右视图 (Right view)", "rf", "法兰外圆 (flange rim)")
