"""Cylindrical roller bearings, type N (ribs on the outer ring), dimension series 02, GB/T 283
(ISO 15): a full section through the axis with a roller, and the view along the axis.

Boundary dimensions d, D, B from the DIN 5412-1 table (data/standards), single source; the
table keys its rows by a maker's full designation (N204-E-TVP2), the library by the basic one
(N204). The rollers, ribs and raceways are drawing proportions as in makers' catalogue figures:
roller diameter 0.25 (D - d) and length 0.6 B on the pitch circle (D + d)/2, ribs half a roller
high. The chamfers r s min are not in the table and are not drawn.
"""

import drawing
import gb
import tables
from qzlib import NUMBER, TEXTPARA

n = tables.num


def build(lib):
    std = tables.standard("din5412-1_cylindrical_roller_bearing")
    rows = [(size.split("-")[0], n(r["d1"]), n(r["d2"]), n(r["B"])) for size, r in std.items()]
    p = lib.part("bearings", "gb283-n2", gb.part_name("圆柱滚子轴承 N2 系列", "GB/T 283", "ISO 15",
                                                     "Cylindrical roller bearing, N2 series"))
    p.parameters(("Code", TEXTPARA, True), ("d", NUMBER, True), ("D", NUMBER, True),
                 ("B", NUMBER, True))
    p.value_rows(rows)
    gb.properties(p, "圆柱滚子轴承 N2 系列", "GB/T 283-2021", "ISO 15:2017", 'O.Code & ""',
                  '"滚动轴承 " & O.Code & " GB/T 283"', "GCr15", "—", None)
    drawing.common(p)
    p.struct("hb", "O.B/2")
    p.struct("rD", "O.D/2")
    p.struct("rd", "O.d/2")
    p.struct("rp", "(O.D+O.d)/4")
    p.struct("Dw", "0.25*(O.D-O.d)")
    p.struct("hl", "0.3*O.B")                  # half the roller length
    p.struct("ro", "S.rp+S.Dw/2")              # outer raceway
    p.struct("ri", "S.rp-S.Dw/2")              # inner raceway
    p.struct("rr", "S.rp+S.Dw/4")              # rib edge
    p.struct("z", "Int(Pi*2*S.rp/(1.4*S.Dw))")
    drawing.mass_property(p, "Pi*((S.rD^2-S.ro^2)+(S.ri^2-S.rd^2))*O.B"
                             "+S.z*Pi/4*S.Dw^2*2*S.hl")
    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 全剖 (Front view, full section)", "O")
    with p.in_view(front):
        for sign, tag in ((1, "U"), (-1, "L")):
            def y(f):
                return f if sign > 0 else f"-({f})"
            outer = [("-S.hb", "S.rD"), ("S.hb", "S.rD"), ("S.hb", "S.rr"), ("S.hl", "S.rr"),
                     ("S.hl", "S.ro"), ("-S.hl", "S.ro"), ("-S.hl", "S.rr"), ("-S.hb", "S.rr")]
            ring = p.pline([p.pt(f"RO{tag}{i + 1}", x, y(v)) for i, (x, v) in enumerate(outer)],
                           name=f"外圈 (outer ring, {tag})")
            p.hatch([ring], scale=0.5, angle=0, name=f"剖面线 (hatching, outer ring {tag})")
            inner = [("-S.hb", "S.ri"), ("S.hb", "S.ri"), ("S.hb", "S.rd"), ("-S.hb", "S.rd")]
            ring = p.pline([p.pt(f"RI{tag}{i + 1}", x, y(v)) for i, (x, v) in enumerate(inner)],
                           name=f"内圈 (inner ring, {tag})")
            p.hatch([ring], scale=0.5, angle=90, name=f"剖面线 (hatching, inner ring {tag})")
            roller = [("-S.hl", "S.ro"), ("S.hl", "S.ro"), ("S.hl", "S.ri"), ("-S.hl", "S.ri")]
            p.pline([p.pt(f"RR{tag}{i + 1}", x, y(v)) for i, (x, v) in enumerate(roller)],
                    name=f"滚子 (roller, {tag})")
            p.line(p.pt(f"RA{tag}1", "-S.hl-S.cl", y("S.rp")), p.pt(f"RA{tag}2", "S.hl+S.cl", y("S.rp")),
                   layer="CENTER", name=f"滚子中心线 (roller axis, {tag})")
        p.line(p.pt("A1", "-S.hb-S.cl", "0"), p.pt("A2", "S.hb+S.cl", "0"), layer="CENTER",
               name="轴线 (axis)")
        p.dim_linear("ROL1", "ROL2", p.pt("DB", "0", "-S.rD-S.dof"), text="O.B",
                     name="宽度 B (width)")
        p.dim_linear("ROU1", "ROL1", p.pt("DD", "-S.hb-S.dof", "0"), vertical=True,
                     text='"Ø" & O.D', name="外径 D (outside diameter)")
        p.dim_linear("RIU3", "RIL3", p.pt("Dd", "S.hb+S.dof", "0"), vertical=True,
                     text='"Ø" & O.d', name="内径 d (bore)")
        p.text(p.pt("TX", "-S.hb", "-S.rD-2*S.dof-S.th"), 'T.标记 & ""', name="标记 (designation)")
    p.pt("E", "S.hb+S.gv+S.rD", "0")
    side = p.view("左视图 (Left view)", "E")
    with p.in_view(side):
        rings = [p.circle("E", r, name=nm) for r, nm in (
            ("rD", "外径 (outside)"), ("rr", "外圈挡边 (outer ring rib)"),
            ("ri", "内圈滚道 (inner raceway)"), ("rd", "内孔 (bore)"))]
        p.circle("E", "rp", layer="CENTER", name="节圆 (pitch circle)")
        p.group(rings, name="套圈 (rings)")
        drawing.centre_cross(p, "E", "S.rD", "")
