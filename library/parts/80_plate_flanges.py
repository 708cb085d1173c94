"""Plate flanges for welding GB/T 9119 (EN 1092-1 type 01, flat face A), PN 16 DN 25 to DN 200
and PN 6 DN 15 to DN 500, and blind flanges GB/T 9123 (type 05) PN 6: the face with its bolt
circle and the section A-A, one drawing (a blind flange has no bore).

Connection dimensions after EN 1092-1:2018 PN 16: outside diameter D, bolt circle K, bolt hole
L, number of holes n and bolt size; plate thickness C and bore B of type 01. These values are
not part of the project's cross-checked reference tables: check them against the standard
before relying on them. PN 6: the EN 1092-1 PN 6 type 01 table (data/standards), single source;
the bolt size is the one its hole takes (hole 11 M10, 14 M12, 18 M16, 22 M20, 26 M24, 30 M27).
"""

import blocks
import drawing
import gb
import tables
from qzlib import NUMBER, TEXTPARA

#        DN     bolt    D    K    L   n   C     B
ROWS = [
    ("DN25", "M12", 115, 85, 14, 4, 16, 34.5),
    ("DN50", "M16", 165, 125, 18, 4, 20, 61.5),
    ("DN80", "M16", 200, 160, 18, 8, 20, 90.5),
    ("DN100", "M16", 220, 180, 18, 8, 22, 116),
    ("DN150", "M20", 285, 240, 22, 8, 24, 170.5),
    ("DN200", "M20", 340, 295, 22, 12, 24, 221.5),
]


BOLT_FOR_HOLE = {11: "M10", 14: "M12", 18: "M16", 22: "M20", 26: "M24", 30: "M27"}


def pn6_rows(table="en1092-1_pn6_type01_plate_flange"):
    n = tables.num
    rows = []
    for size, r in tables.standard(table).items():
        if n(r["d2"]) not in BOLT_FOR_HOLE or n(size[2:]) > 500:
            continue
        rows.append((size, BOLT_FOR_HOLE[n(r["d2"])], n(r["D"]), n(r["k"]), n(r["d2"]),
                     n(r["bn"]), n(r["b"]), n(r["d1"]) if "type01" in table else 0))
    return rows


def build(lib):
    for pn, rows in ((16, ROWS), (6, pn6_rows())):
        p = lib.part("flanges", f"gb9119-pn{pn}",
                     gb.part_name(f"板式平焊钢制管法兰 PN{pn}", "GB/T 9119", "EN 1092-1",
                                  f"Plate flange for welding, PN {pn}"))
        flange(lib, p, rows, pn)
    p = lib.part("flanges", "gb9123-pn6", gb.part_name("钢制管法兰盖 PN6", "GB/T 9123", "EN 1092-1",
                                                       "Blind flange, PN 6"))
    flange(lib, p, pn6_rows("en1092-1_pn6_type05_blind_flange"), 6, blind=True)


def flange(lib, p, rows, pn, blind=False):
    p.parameters(("DN", TEXTPARA, True), ("Bolt", TEXTPARA, True), ("D", NUMBER, True),
              ("K", NUMBER, True), ("L", NUMBER, True), ("n", NUMBER, True),
              ("C", NUMBER, True), ("B", NUMBER, True))
    p.value_rows(rows)
    size_text = f'O.DN & " PN{pn}"'
    if blind:
        gb.properties(p, "钢制管法兰盖", "GB/T 9123-2010", "EN 1092-1:2018 type 05", size_text,
                      f'"法兰盖 " & O.DN & "-PN{pn} GB/T 9123"', "Q235B", "—", None)
    else:
        gb.properties(p, "板式平焊钢制管法兰", "GB/T 9119-2010", "EN 1092-1:2018 type 01", size_text,
                      f'"法兰 " & O.DN & "-PN{pn} GB/T 9119"', "Q235B", "—", None)
    drawing.common(p)
    p.struct("rD", "O.D/2")
    p.struct("rK", "O.K/2")
    p.struct("rL", "O.L/2")
    p.struct("rB", "O.B/2")
    p.struct("n", "O.n")
    p.struct("pitch", "360/O.n")
    # The holes straddle the main centre lines (EN 1092-1): the first is half a pitch off
    # the vertical one, and the array runs counter-clockwise from it.
    p.struct("th1", "90-S.pitch/2")
    p.struct("th0", "S.th1+180")            # the hole the note's leader points at
    drawing.mass_property(p, "(Pi/4*(O.D^2-O.B^2)-O.n*Pi/4*O.L^2)*O.C")

    p.base_point = p.pt("F", "0", "0")
    face = p.view("主视图 (Front view)", "F")
    with p.in_view(face):
        outline = [p.circle("F", "rD", name="外圆 (outside)")]
        if not blind:
            outline.append(p.circle("F", "rB", name="内孔 (bore)"))
        p.circle("F", "rK", layer="CENTER", name="螺栓孔中心圆 (bolt circle)")
        h1 = p.pt("H1", "S.rK*CosD(S.th1)", "S.rK*SinD(S.th1)")
        hole = p.circle(h1, "rL", name="螺栓孔 (bolt hole)")
        mark = p.line(p.pt("HM1", "(S.rK-S.rL-S.cl)*CosD(S.th1)", "(S.rK-S.rL-S.cl)*SinD(S.th1)"),
                      p.pt("HM2", "(S.rK+S.rL+S.cl)*CosD(S.th1)", "(S.rK+S.rL+S.cl)*SinD(S.th1)"),
                      layer="CENTER", name="孔中心线 (hole centre line)")
        p.polar([hole, mark], "F", "n", 360, name="螺栓孔阵列 (bolt holes)")
        p.group(outline, name="法兰外形 (flange outline)")
        drawing.centre_cross(p, "F", "S.rD", "")
        p.dim_diametric("F", "rK", p.pt("DK", "(S.rB+S.rK)/2*CosD(240)", "(S.rB+S.rK)/2*SinD(240)"),
                        text='"Ø" & O.K', name="螺栓孔中心圆直径 K (bolt circle)")
        h2 = p.pt("H2", "S.rK*CosD(S.th1+S.pitch)", "S.rK*SinD(S.th1+S.pitch)")
        p.dim_angular3("F", h1, h2, p.pt("DA", "0", "S.rD+S.dof"), text='S.pitch & "°"',
                       name="孔间角 (angle between holes)")
        # The first hole's position as ordinates from the flange centre, for the drilling
        # programme.
        p.dim_ordinate(h1, "F", p.pt("OX", "P.H1.X", "S.rD+S.dof"), True,
                       text='Round(P.H1.X, 2) & ""', name="孔位置 X (hole position X)")
        p.dim_ordinate(h1, "F", p.pt("OY", "S.rD+S.dof", "P.H1.Y"), False,
                       text='Round(P.H1.Y, 2) & ""', name="孔位置 Y (hole position Y)")
        # The hole note on a leader: "4×Ø18 EQS" (equally spaced).
        lead = [p.pt("LD1", "(S.rK+S.rL)*CosD(S.th0)", "(S.rK+S.rL)*SinD(S.th0)"),
                p.pt("LD2", "(S.rD+S.dof)*CosD(S.th0)", "(S.rD+S.dof)*SinD(S.th0)"),
                p.pt("LD3", "P.LD2.X-S.dof", "P.LD2.Y")]
        note = p.mtext(lead[2], 'O.n & "×Ø" & O.L & " EQS"', attach=9,
                       name="孔标注 (hole note)")
        p.leader(lead, note, name="孔标注引线 (hole note leader)")
        # The part label: a block whose attributes carry the designation, standard and
        # material.
        lib.block(blocks.LABEL_BLOCK, blocks.label_dxf())
        define = p.block_define(blocks.LABEL_BLOCK, name="标签块 (label block)")
        attrs = p.attributes([("DESIGNATION", 'T.标记 & ""', ""),
                              ("STANDARD", 'T.标准 & ""', ""),
                              ("MATERIAL", 'T.材料 & ""', "")], name="标签属性 (label attributes)")
        p.block_ref(define, p.pt("LB", "-S.rD", "-S.rD-S.dof-21*S.sc"), [attrs],
                    name="标签 (label)")

    p.edited(2, n=6)
    p.edited(len(rows), n=16)

    p.pt("X0", "S.rD+S.gv", "0")
    section = p.view("A-A 剖视图 (Section A-A)", "X0")
    with p.in_view(section):
        x0, x1 = "P.X0.X", "P.X0.X+O.C"
        # Holes are turned into the cutting plane, as drawn for equally spaced features.
        bands = [("rB", "S.rB", "S.rK-S.rL"), ("rD", "S.rK+S.rL", "S.rD")]
        for sign, tag in ((1, "U"), (-1, "L")):
            for key, lo, hi in bands:
                y0 = lo if sign > 0 else f"-({lo})"
                y1 = hi if sign > 0 else f"-({hi})"
                pts = [p.pt(f"Q{tag}{key}1", x0, y0), p.pt(f"Q{tag}{key}2", x1, y0),
                       p.pt(f"Q{tag}{key}3", x1, y1), p.pt(f"Q{tag}{key}4", x0, y1)]
                band = p.pline(pts, name=f"剖面 (section, {tag} {key})")
                p.hatch([band], name=f"剖面线 (hatching, {tag} {key})")
        ku = p.pt("KU", "P.X0.X", "S.rK")
        kl = p.pt("KL", "P.X0.X", "-S.rK")
        hole_axis = p.line(p.pt("KU1", f"{x0}-S.cl", "S.rK"), p.pt("KU2", f"{x1}+S.cl", "S.rK"),
                           layer="CENTER", name="螺栓孔轴线上 (hole axis, upper)")
        p.move([hole_axis], ku, kl, name="螺栓孔轴线下 (hole axis, lower, copied)",
               layer="CENTER")
        p.line(p.pt("AX1", f"{x0}-S.cl", "0"), p.pt("AX2", f"{x1}+S.cl", "0"), layer="CENTER",
               name="轴线 (axis)")
        p.dim_linear("QLrD4", "QLrD3", p.pt("DC", "P.X0.X", "-S.rD-S.dof"), text="O.C",
                     name="厚度 C (thickness)")
        if not blind:
            p.dim_linear("QUrB2", "QLrB2", p.pt("DB", f"{x1}+S.dof", "0"), vertical=True,
                         text='"Ø" & O.B', name="内径 B (bore)")
        p.dim_linear("QUrD3", "QLrD3", p.pt("DD", f"{x1}+2*S.dof", "0"), vertical=True,
                     text='"Ø" & O.D', name="外径 D (outside diameter)")
        p.text(p.pt("TX", "P.X0.X", "-S.rD-2*S.dof-S.th"), 'T.标记 & ""',
               name="标记 (designation)")
