"""Hexagon thin nut, unchamfered, GB/T 6174 (ISO 4036): a full section and the end view. The
nut has neither the corners' chamfer nor a countersink: its section is a plain rectangle
from the thread's minor diameter to the corners.

Columns: pitch P, width across flats s (max) and height m (max); both agree with the chamfered
thin nut GB/T 6172.1 of the same size. The standards' table gives only a modelling value for
e; the drawing dimensions the theoretical width across corners 2s/√3 in brackets, as a
reference.
"""

import drawing
import gb
import nut
import tables
from qzlib import NUMBER, TEXTPARA

n = tables.num


def table_rows():
    std = tables.standard("iso4036_hexagon_thin_nut_unchamfered")
    return [(tables.mark_size(size), tables.thread_d(size), n(std[size]["P"]),
             n(std[size]["s_nom"]), n(std[size]["m"])) for size in tables.sizes(std)]


def build(lib):
    p = lib.part("nuts", "gb6174", gb.part_name("六角薄螺母 无倒角", "GB/T 6174", "ISO 4036",
                                                 "Hexagon thin nut, unchamfered"))
    p.parameters(("Thread", TEXTPARA, True), ("d", NUMBER, True), ("P", NUMBER, True),
                 ("s", NUMBER, True), ("m", NUMBER, True))
    p.value_rows(table_rows())
    size_text = 'O.Thread & ""'
    gb.properties(p, "六角薄螺母 无倒角", "GB/T 6174-2016", "ISO 4036:2012", size_text,
                  gb.mark("螺母", "GB/T 6174", size_text), "钢", "110HV", None)

    drawing.common(p)
    nut.thread_sizes(p, countersink=False)
    drawing.mass_property(p, "(Sqr(3)/2*O.s^2-Pi*S.D1^2/4)*O.m")

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 全剖 (Front view, full section)", "O")
    with p.in_view(front):
        nut.section(p, [("0", "S.r1"), ("0", "S.re"), ("O.m", "S.re"), ("O.m", "S.r1")], "O.m",
                    [("U1", "L1", "bearing face"), ("U4", "L4", "top face")], ("0", "O.m"))
        p.dim_linear("L2", "L3", p.pt("DH", "0", "-S.re-S.dof"), text="O.m",
                     name="螺母高度 m (nut height)")
        p.pt("TX", "0", "-S.re-2*S.dof-S.th")
        p.text("TX", 'T.标记 & ""', name="标记 (designation)")

    nut.end_view(p, "O.m+S.gv+S.re", "左视图 (Left view)",
                 e_text='"(" & Round(2*O.s/Sqr(3), 2) & ")"')
