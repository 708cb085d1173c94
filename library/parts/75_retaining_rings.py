"""Retaining rings: GB/T 894 for shafts (DIN 471), GB/T 893 for bores (DIN 472), and GB/T 896
E-clips for shafts (DIN 6799): the ring seen along its axis with its lugs and plier holes, and
a section through the axis.

Columns (DIN 471 / 472 tables): d1 the shaft or bore diameter (the size), s thickness, d3 the
ring's free inside (471) or outside (472) diameter, a the lug height (max), b the radial width
opposite the opening, d5 the plier hole diameter (min) and d2 the groove diameter. The lug's
angular width and the opening are drawing proportions. E-clip (DIN 6799): d2 the groove
diameter (the size), d3 the outside diameter, s thickness, a the opening width.
"""

import drawing
import gb
import tables
from qzlib import NUMBER, TEXTPARA

n = tables.num


def circlip(p, shaft):
    """The ring with lugs: for a shaft ring the lugs stand outward, for a bore ring inward."""
    p.struct("ri", "O.d3/2" if shaft else "O.d3/2-O.b")
    p.struct("ro", "S.ri+O.b")
    # The lug band: from the ring's body to a radial height a.
    p.struct("la_in", "S.ri" if shaft else "O.d3/2-O.a")
    p.struct("la_out", "S.ri+O.a" if shaft else "S.ro")
    p.struct("rh", "(S.la_in+S.la_out)/2")           # radius of the plier holes
    p.struct("r5", "O.d5/2")
    p.struct("g", "Max(6, ATan2D(O.d5, S.rh)*0.9)")   # half the opening, degrees
    p.struct("la", "ATan2D(2.2*O.d5, S.rh)")         # angular width of a lug
    p.struct("a1", "90-S.g")
    p.struct("a0", "90-S.g-S.la")
    p.struct("a2", "90+S.g")
    p.struct("a3", "90+S.g+S.la")
    drawing.mass_property(p, "Pi*(S.ri+S.ro)*O.b*O.s")
    body_in, body_out = ("ri", "ro")
    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 (Front view)", "O")
    with p.in_view(front):
        # The body: inside and outside arcs round the bottom, the lug band's other edge at
        # the lugs.
        if shaft:
            p.arc("O", body_in, "a2", "a1", name="内缘 (inside edge)")
            p.arc("O", body_out, "a3", "a0", name="外缘 (outside edge)")
            p.arc("O", "la_out", "a0", "a1", name="右耳外缘 (right lug, outer edge)")
            p.arc("O", "la_out", "a2", "a3", name="左耳外缘 (left lug, outer edge)")
            radial = [("a1", "S.ri", "S.la_out"), ("a0", "S.ro", "S.la_out"),
                      ("a2", "S.ri", "S.la_out"), ("a3", "S.ro", "S.la_out")]
        else:
            p.arc("O", body_out, "a2", "a1", name="外缘 (outside edge)")
            p.arc("O", body_in, "a3", "a0", name="内缘 (inside edge)")
            p.arc("O", "la_in", "a0", "a1", name="右耳内缘 (right lug, inner edge)")
            p.arc("O", "la_in", "a2", "a3", name="左耳内缘 (left lug, inner edge)")
            radial = [("a1", "S.ro", "S.la_in"), ("a0", "S.ri", "S.la_in"),
                      ("a2", "S.ro", "S.la_in"), ("a3", "S.ri", "S.la_in")]
        for i, (ang, r1, r2) in enumerate(radial):
            a = p.pt(f"R{i}a", f"{r1}*CosD(S.{ang})", f"{r1}*SinD(S.{ang})")
            b = p.pt(f"R{i}b", f"{r2}*CosD(S.{ang})", f"{r2}*SinD(S.{ang})")
            p.line(a, b, name=f"耳边 (lug side {i + 1})")
        p.struct("ah", "90-S.g-S.la/2")
        hole = p.circle(p.pt("H1", "S.rh*CosD(S.ah)", "S.rh*SinD(S.ah)"), "r5",
                        name="钳孔右 (plier hole, right)")
        p.mirror([hole], "O", p.pt("MY", "0", "10"), name="钳孔左 (plier hole, left)")
        drawing.centre_cross(p, "O", "S.ro", "")
        p.pt("D3a", "-O.d3/2", "0")
        p.pt("D3b", "O.d3/2", "0")
        p.dim_linear("D3a", "D3b", p.pt("DD3", "0", "-S.ro-S.dof"),
                     text='"Ø" & O.d3', name="自由直径 d3 (free diameter)")
        p.mtext(p.pt("NT", "-S.ro", "-S.ro-2*S.dof-S.th"), '"沟槽直径 d2 = " & O.d2', attach=1,
                name="沟槽说明 (groove note)")
        p.text(p.pt("TX", "-S.ro", "-S.ro-3*S.dof-2*S.th"), 'T.标记 & ""',
               name="标记 (designation)")

    p.pt("X0", "S.ro+S.a_gap", "0")
    section = p.view("A-A 剖视图 (Section A-A)", "X0")
    with p.in_view(section):
        x0, x1 = "P.X0.X", "P.X0.X+O.s"
        # Cut through the bottom of the ring (opposite the opening): the body, hatched; the
        # lugs stand behind the plane at the top and are seen, not cut.
        body = p.pline([p.pt("Q1", x0, "-S.ro"), p.pt("Q2", x1, "-S.ro"),
                        p.pt("Q3", x1, "-S.ri"), p.pt("Q4", x0, "-S.ri")],
                       name="剖面 (section)")
        p.hatch([body], scale=0.3, name="剖面线 (hatching)")
        p.pline([p.pt("Q5", x0, "S.la_in"), p.pt("Q6", x1, "S.la_in"),
                 p.pt("Q7", x1, "S.la_out"), p.pt("Q8", x0, "S.la_out")],
                name="耳部 (lug, seen)")
        p.line(p.pt("AX1", f"{x0}-S.cl", "0"), p.pt("AX2", f"{x1}+S.cl", "0"), layer="CENTER",
               name="轴线 (axis)")
        p.dim_linear("Q1", "Q2", p.pt("DS", "P.X0.X", "-S.ro-S.dof"), text="O.s",
                     name="厚度 s (thickness)")
        p.dim_linear("Q2", "Q3", p.pt("DB", f"{x1}+S.dof", "0"), vertical=True, text="O.b",
                     name="径向宽度 b (radial width)")


def eclip(p):
    p.struct("ro", "O.d3/2")
    p.struct("ri", "O.d2/2")
    p.struct("go", "ATan2D(O.a/2, Sqr(S.ro^2-(O.a/2)^2))")   # half the opening, outside
    p.struct("gi", "ATan2D(O.a/2, Sqr(Max(S.ri^2-(O.a/2)^2, 0.0001)))")
    p.struct("o1", "90+S.go")
    p.struct("o2", "90-S.go")
    p.struct("i1", "90+S.gi")
    p.struct("i2", "90-S.gi")
    drawing.mass_property(p, "Pi/4*(O.d3^2-O.d2^2)*O.s*0.75")
    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 (Front view)", "O")
    with p.in_view(front):
        p.arc("O", "ro", "o1", "o2", name="外缘 (outside edge)")
        p.arc("O", "ri", "i1", "i2", name="内缘 (inside edge, seat on the groove)")
        for tag, oa, ia in (("R", "o2", "i2"), ("L", "o1", "i1")):
            p.line(p.pt(f"E{tag}1", f"S.ro*CosD(S.{oa})", f"S.ro*SinD(S.{oa})"),
                   p.pt(f"E{tag}2", f"S.ri*CosD(S.{ia})", f"S.ri*SinD(S.{ia})"),
                   name=f"开口边 (opening edge, {tag})")
        drawing.centre_cross(p, "O", "S.ro", "")
        p.dim_linear("ER1", "EL1", p.pt("DA", "0", "S.ro+S.dof"), text="O.a",
                     name="开口宽度 a (opening)")
        p.pt("D3a", "-S.ro", "0")
        p.pt("D3b", "S.ro", "0")
        p.dim_linear("D3a", "D3b", p.pt("DD3", "0", "-S.ro-S.dof"), text='"Ø" & O.d3',
                     name="外径 d3 (outside diameter)")
        p.text(p.pt("TX", "-S.ro", "-S.ro-2*S.dof-S.th"), 'T.标记 & ""', name="标记 (designation)")

    p.pt("X0", "S.ro+S.a_gap", "0")
    section = p.view("A-A 剖视图 (Section A-A)", "X0")
    with p.in_view(section):
        x0, x1 = "P.X0.X", "P.X0.X+O.s"
        body = p.pline([p.pt("Q1", x0, "-S.ro"), p.pt("Q2", x1, "-S.ro"),
                        p.pt("Q3", x1, "-S.ri"), p.pt("Q4", x0, "-S.ri")], name="剖面 (section)")
        p.hatch([body], scale=0.3, name="剖面线 (hatching)")
        p.line(p.pt("AX1", f"{x0}-S.cl", "0"), p.pt("AX2", f"{x1}+S.cl", "0"), layer="CENTER",
               name="轴线 (axis)")
        p.dim_linear("Q1", "Q2", p.pt("DS", "P.X0.X", "-S.ro-S.dof"), text="O.s",
                     name="厚度 s (thickness)")


def build(lib):
    for key, gbno, edition, twin, name, english, table, shaft in (
            ("gb894", "GB/T 894", "GB/T 894-2017", "DIN 471:2011", "轴用弹性挡圈",
             "Retaining ring for shafts", "din471_retaining_ring_for_shafts", True),
            ("gb893", "GB/T 893", "GB/T 893-2017", "DIN 472:2011", "孔用弹性挡圈",
             "Retaining ring for bores", "din472_retaining_ring_for_bores", False)):
        rows = [(n(size), n(r["S"]), n(r["d_3"]), n(r["a_Max"]), n(r["b"]), n(r["d5_Min"]),
                 n(r["groove_dia"])) for size, r in tables.standard(table).items()]
        p = lib.part("rings", key, gb.part_name(name, gbno, twin.split(":")[0], english))
        p.parameters(("d1", NUMBER, True), ("s", NUMBER, True), ("d3", NUMBER, True),
                     ("a", NUMBER, True), ("b", NUMBER, True), ("d5", NUMBER, True),
                     ("d2", NUMBER, True))
        p.value_rows(rows)
        size_text = 'O.d1 & ""'
        gb.properties(p, name, edition, twin, size_text, gb.mark("挡圈", gbno, size_text), "65Mn",
                      "44~51 HRC", None)
        drawing.common(p)
        p.struct("a_gap", "S.gv")
        circlip(p, shaft)

    rows = [(n(size), n(r["shaft_dia_min"]), n(r["shaft_dia_max"]), n(r["d3_max"]), n(r["S"]),
             n(r["a"])) for size, r in
            tables.standard("din6799_retaining_washer_for_shafts_e_clip").items()]
    p = lib.part("rings", "gb896", gb.part_name("开口挡圈", "GB/T 896", "DIN 6799",
                                                "Retaining washer (E-clip) for shafts"))
    p.parameters(("d2", NUMBER, True), ("d1min", NUMBER, True), ("d1max", NUMBER, True),
                 ("d3", NUMBER, True), ("s", NUMBER, True), ("a", NUMBER, True))
    p.value_rows(rows)
    size_text = 'O.d2 & ""'
    gb.properties(p, "开口挡圈", "GB/T 896-2020", "DIN 6799:2011", size_text,
                  gb.mark("挡圈", "GB/T 896", size_text), "65Mn", "47~54 HRC", None)
    drawing.common(p)
    p.struct("a_gap", "S.gv")
    eclip(p)
