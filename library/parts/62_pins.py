"""Pins of other forms: taper pin GB/T 117 (ISO 2339), slotted spring pin GB/T 879.1 (ISO 8752)
and split pin GB/T 91 (ISO 1234), each with a front view and an end view.

Values from the standards' tables (data/standards), single source where the README says so:
taper pin d (small end, taper 1:50) and a (the rounded ends' height, approx.); spring pin d1
(outside before fitting), d2 (end chamfer diameter), a (chamfer length), s (wall); split pin d
(the wire pair), c (eye outside diameter), b (extension of the long leg), a (the eye's
projection). Lengths: the standard's nominal lengths within each size's range.
"""

import drawing
import gb
import tables
from qzlib import NUMBER

n = tables.num


def length_rows(table, lstd, minimum, cols):
    rows = []
    for size, r in tables.standard(table).items():
        if n(size) < minimum:
            continue
        for length in tables.lengths(lstd, n(r["Min_L"]), n(r["Max_L"])):
            rows.append((n(size), length, *[n(r[c]) for c in cols]))
    return rows


def taper_pin(lib):
    p = lib.part("pins", "gb117", gb.part_name("圆锥销", "GB/T 117", "ISO 2339", "Taper pin"))
    p.parameters(("d", NUMBER, True), ("L", NUMBER, True), ("a", NUMBER, True))
    p.value_rows(length_rows("iso2339_taper_pin", "ISO 2339", 2, ["a"]))
    size_text = 'O.d & "×" & O.L'
    gb.properties(p, "圆锥销", "GB/T 117-2000", "ISO 2339:1986", size_text,
                  gb.mark("销", "GB/T 117", size_text), "35", "—", None)
    drawing.common(p)
    p.struct("r0", "O.d/2")
    p.struct("r1", "O.d/2+O.L/100")            # taper 1:50 on the diameter
    # Each end is a shallow spherical cap a high.
    p.struct("R0", "(S.r0^2+O.a^2)/(2*O.a)")
    p.struct("R1", "(S.r1^2+O.a^2)/(2*O.a)")
    p.struct("t0", "ATan2D(S.r0, S.R0-O.a)")
    p.struct("t1", "ATan2D(S.r1, S.R1-O.a)")
    p.struct("t0s", "180-S.t0")
    p.struct("t0e", "180+S.t0")
    p.struct("t1s", "360-S.t1")
    drawing.mass_property(p, "Pi/12*O.L*(O.d^2+O.d*2*S.r1+4*S.r1^2)")
    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 (Front view)", "O")
    with p.in_view(front):
        a, b = p.pt("G1", "0", "S.r0"), p.pt("G2", "O.L", "S.r1")
        upper = p.line(a, b, name="锥面 (taper, upper)")
        a2 = p.pt("A2", "O.L+O.a+S.cl", "0")
        p.mirror([upper], "O", a2, name="锥面下 (taper, lower)")
        p.arc(p.pt("C0", "-O.a+S.R0", "0"), "R0", "t0s", "t0e", name="小端 (small end)")
        p.arc(p.pt("C1", "O.L+O.a-S.R1", "0"), "R1", "t1s", "t1", name="大端 (large end)")
        p.line(p.pt("A1", "-O.a-S.cl", "0"), a2, layer="CENTER", name="轴线 (axis)")
        p.pt("G1L", "0", "-S.r0")
        p.pt("G2L", "O.L", "-S.r1")
        p.dim_linear("G1L", "G2L", p.pt("DL", "0", "-S.r1-S.dof"), text="O.L",
                     name="长度 l (length)")
        p.dim_linear("G1", "G1L", p.pt("DD", "-O.a-S.dof", "0"), vertical=True,
                     text='"Ø" & O.d', tol="h10", name="小端直径 d (small end diameter)")
        p.text(p.pt("TP", "O.L/2", "S.r1+S.dof/2"), '"1:50"', name="锥度 (taper)")
        p.text(p.pt("TX", "0", "-S.r1-2*S.dof-S.th"), 'T.标记 & ""', name="标记 (designation)")
    p.pt("E", "O.L+O.a+S.gv+S.r1", "0")
    end = p.view("右视图 (Right view)", "E")
    with p.in_view(end):
        p.circle("E", "r1", name="大端 (large end)")
        drawing.centre_cross(p, "E", "S.r1", "")


def spring_pin(lib):
    p = lib.part("pins", "gb879.1", gb.part_name("弹性圆柱销 直槽 重型", "GB/T 879.1", "ISO 8752",
                                                 "Slotted spring pin, heavy duty"))
    p.parameters(("d", NUMBER, True), ("L", NUMBER, True), ("d1", NUMBER, True),
                 ("d2", NUMBER, True), ("a", NUMBER, True), ("s", NUMBER, True))
    p.value_rows(length_rows("iso8752_spring_pin_slotted_heavy_duty", "ISO 8752", 1.5,
                             ["d_1", "d_2", "a", "s"]))
    size_text = 'O.d & "×" & O.L'
    gb.properties(p, "弹性圆柱销 直槽 重型", "GB/T 879.1-2018", "ISO 8752:2009", size_text,
                  gb.mark("销", "GB/T 879.1", size_text), "65Mn", "420~520 HV", None)
    drawing.common(p)
    p.struct("r", "O.d1/2")
    p.struct("r2", "O.d2/2")
    p.struct("ri", "O.d1/2-O.s")
    p.struct("gs", "ATan2D(O.s*0.6, S.r)")    # half the slot, degrees (drawn)
    p.struct("gs1", "90+S.gs")
    p.struct("gs2", "90-S.gs")
    drawing.mass_property(p, "Pi*(O.d1-O.s)*O.s*O.L")
    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 (Front view)", "O")
    with p.in_view(front):
        pts = [("O.a", "S.r"), ("O.L-O.a", "S.r"), ("O.L", "S.r2"), ("O.L", "-S.r2"),
               ("O.L-O.a", "-S.r"), ("O.a", "-S.r"), ("0", "-S.r2"), ("0", "S.r2")]
        names = [p.pt(f"G{i + 1}", x, y) for i, (x, y) in enumerate(pts)]
        p.pline(names, name="外形 (outline)")
        for y, tag in (("S.ri", "U"), ("-S.ri", "L")):
            p.line(p.pt(f"B{tag}1", "0", y), p.pt(f"B{tag}2", "O.L", y), layer="HIDDEN",
                   name=f"内孔 (bore, hidden, {tag})")
        # The slot along the pin, seen from the front: two lines s apart on the axis.
        p.line(p.pt("S1", "O.a", "O.s*0.6"), p.pt("S2", "O.L-O.a", "O.s*0.6"),
               name="直槽 (slot, upper)")
        p.line(p.pt("S3", "O.a", "-O.s*0.6"), p.pt("S4", "O.L-O.a", "-O.s*0.6"),
               name="直槽 (slot, lower)")
        p.line(p.pt("A1", "-S.cl", "0"), p.pt("A2", "O.L+S.cl", "0"), layer="CENTER",
               name="轴线 (axis)")
        p.dim_linear("G7", "G4", p.pt("DL", "0", "-S.r-S.dof"), text="O.L", name="长度 l (length)")
        p.dim_linear("G1", "G6", p.pt("DD", "-S.dof", "0"), vertical=True, text='"Ø" & O.d1',
                     name="外径 d1 (outside diameter)")
        p.text(p.pt("TX", "0", "-S.r-2*S.dof-S.th"), 'T.标记 & ""', name="标记 (designation)")
    p.pt("E", "O.L+S.gv+S.r", "0")
    end = p.view("右视图 (Right view)", "E")
    with p.in_view(end):
        p.arc("E", "r", "gs1", "gs2", name="外圆 (outside)")
        p.arc("E", "ri", "gs1", "gs2", name="内孔 (bore)")
        for tag, ang in (("L", "gs1"), ("R", "gs2")):
            p.line(p.pt(f"SL{tag}1", f"P.E.X+S.ri*CosD(S.{ang})", f"P.E.Y+S.ri*SinD(S.{ang})"),
                   p.pt(f"SL{tag}2", f"P.E.X+S.r*CosD(S.{ang})", f"P.E.Y+S.r*SinD(S.{ang})"),
                   name=f"槽边 (slot edge, {tag})")
        drawing.centre_cross(p, "E", "S.r", "")


def split_pin(lib):
    p = lib.part("pins", "gb91", gb.part_name("开口销", "GB/T 91", "ISO 1234", "Split pin"))
    p.parameters(("d", NUMBER, True), ("L", NUMBER, True), ("a", NUMBER, True),
                 ("b", NUMBER, True), ("c", NUMBER, True), ("dw", NUMBER, True))
    p.value_rows(length_rows("iso1234_split_pin", "ISO 1234", 1.6, ["a", "b", "c", "d"]))
    size_text = 'O.d & "×" & O.L'
    gb.properties(p, "开口销", "GB/T 91-2000", "ISO 1234:1997", size_text,
                  gb.mark("销", "GB/T 91", size_text), "Q215", "—", None)
    drawing.common(p)
    p.struct("w", "O.dw/2")                    # each leg is a half-round wire dw/2 thick
    p.struct("re", "O.c/2")                    # eye, outside
    p.struct("ri", "Max(O.c/2-O.dw/2, O.dw/8)")
    p.struct("ex", "-S.re")                    # eye centre on the axis behind the head
    p.struct("ea", "ATan2D(S.w, Sqr(Max(S.re^2-S.w^2, 0.0001)))")
    p.struct("eas", "S.ea")
    p.struct("eae", "360-S.ea")
    p.struct("ia", "ATan2D(Min(S.w, S.ri*0.99), Sqr(Max(S.ri^2-S.w^2, S.ri^2*0.02)))")
    p.struct("ias", "S.ia")
    p.struct("iae", "360-S.ia")
    drawing.mass_property(p, "Pi/8*O.dw^2*(2*O.L+O.b+Pi*O.c)")
    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 (Front view)", "O")
    with p.in_view(front):
        # The two legs side by side, the long one above; the eye a loop of the wire.
        p.line(p.pt("U1", "0", "S.w"), p.pt("U2", "O.L+O.b", "S.w"), name="长脚 (long leg)")
        p.line(p.pt("L1", "0", "-S.w"), p.pt("L2", "O.L", "-S.w"), name="短脚 (short leg)")
        p.line(p.pt("M1", "0", "0"), p.pt("M2", "O.L+O.b", "0"), name="两脚分界 (between the legs)")
        p.line("U2", "M2", name="长脚端 (end of the long leg)")
        p.line("L2", p.pt("M3", "O.L", "0"), name="短脚端 (end of the short leg)")
        p.arc(p.pt("EC", "S.ex", "0"), "re", "eas", "eae", name="环眼外 (eye, outside)")
        p.arc("EC", "ri", "ias", "iae", name="环眼内 (eye, inside)")
        p.line(p.pt("A1", "S.ex-S.re-S.cl", "0"), p.pt("A2", "O.L+O.b+S.cl", "0"),
               layer="CENTER", name="轴线 (axis)")
        p.dim_linear("L1", "L2", p.pt("DL", "0", "-S.re-S.dof"), text="O.L",
                     name="公称长度 l (nominal length)")
        p.pt("CU", "S.ex", "S.re")
        p.pt("CL", "S.ex", "-S.re")
        p.dim_linear("CU", "CL", p.pt("DC", "S.ex-S.re-S.dof", "0"), vertical=True,
                     text='"c " & O.c', name="环眼外径 c (eye diameter)")
        p.text(p.pt("TX", "0", "-S.re-2*S.dof-S.th"), 'T.标记 & ""', name="标记 (designation)")
    p.pt("E", "O.L+O.b+S.gv+S.re", "0")
    end = p.view("右视图 (Right view)", "E")
    with p.in_view(end):
        # The legs' ends: two half circles back to back.
        p.arc("E", "w", 0, 180, name="长脚截面 (long leg, end)")
        p.arc("E", "w", 180, 360, name="短脚截面 (short leg, end)")
        p.line(p.pt("EE1", "P.E.X-S.w", "P.E.Y"), p.pt("EE2", "P.E.X+S.w", "P.E.Y"),
               name="两脚分界 (between the legs)")
        drawing.centre_cross(p, "E", "S.w", "")


def build(lib):
    taper_pin(lib)
    spring_pin(lib)
    split_pin(lib)
