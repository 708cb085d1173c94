"""Parallel pins GB/T 119.1 (ISO 2338, unhardened), GB/T 119.2 (ISO 8734, hardened) and GB/T
120.2 (ISO 8735, hardened, with an internal thread for extraction): front view and end view,
one drawing.

Columns: nominal diameter d with the tolerance class the user picks (m6 or h8; the rows carry
m6) and the end chamfer c (approximate). GB/T 119.1 takes the checked table's c for 4 to 20
(tests/data/fasteners). The lengths are the standard's nominal lengths within each diameter's
range; any other length may be typed in. GB/T 120.2 (single source): the tapped hole d2 (pitch
P) t1 deep in a drilled hole t2 deep, drawn hidden; both ends chamfered over the table's a. The ends are drawn chamfered at 45° over c (the
standard leaves the end form to the maker: chamfered or rounded).
"""

import drawing
import gb
import tables
from qzlib import NUMBER, TEXTPARA

PARTS = [
    ("gb119.1", "GB/T 119.1", "GB/T 119.1-2000", "ISO 2338:1997", "圆柱销 不淬硬钢",
     "Parallel pin, unhardened", "iso2338_parallel_pin", "ISO 2338", "钢 35", "—"),
    ("gb119.2", "GB/T 119.2", "GB/T 119.2-2000", "ISO 8734:1997", "圆柱销 淬硬钢",
     "Parallel pin, hardened", "iso8734_parallel_pin_hardened", "ISO 8734", "GCr15",
     "HRC 58~62"),
]


def table_rows(name, lstd, checked):
    std = tables.standard(name)
    ref = {tables.num(k): r for k, r in tables.checked(checked, "d_nom").items()} \
        if checked else {}
    n = tables.num
    rows = []
    for size, r in std.items():
        d = n(r["d"])
        if d < 2:
            continue
        c = n(ref[d]["c_approx"]) if d in ref else n(r["c"])
        for length in tables.lengths(lstd, n(r["Min_L"]), n(r["Max_L"])):
            rows.append((d, "m6", length, c))
    return rows


def internal_rows():
    n = tables.num
    rows = []
    for r in tables.standard("iso8735_parallel_pin_internal_thread_hardened").values():
        for length in tables.lengths("ISO 8735", n(r["Min_L"]), n(r["Max_L"])):
            rows.append((n(r["d_1"]), "m6", length, n(r["a"]), n(r["d_2"]), n(r["P"]),
                         n(r["t_1"]), n(r["t_2"])))
    return rows


def build(lib):
    for key, gbno, edition, twin, name, english, table, lstd, material, grade in PARTS:
        rows = table_rows(table, lstd, "iso2338_parallel_pin" if key == "gb119.1" else None)
        p = lib.part("pins", key, gb.part_name(name, gbno, twin.split(":")[0], english))
        pin(p, rows, gbno, edition, twin, name, material, grade)
    p = lib.part("pins", "gb120.2", gb.part_name("内螺纹圆柱销 淬硬钢", "GB/T 120.2", "ISO 8735",
                                                 "Parallel pin with internal thread, hardened"))
    pin(p, internal_rows(), "GB/T 120.2", "GB/T 120.2-2000", "ISO 8735:1997", "内螺纹圆柱销 淬硬钢",
        "GCr15", "HRC 58~62", internal=True)


def tapped_hole(p):
    """The extraction thread at the left end: major diameter thin, minor thick (hidden), the
    drilled hole's 118° cone beyond it."""
    p.struct("tr", "O.d2/2")
    p.struct("tr1", "(O.d2-1.082532*O.P)/2")
    p.struct("tcone", "S.tr1*TanD(31)")
    for tag, sign in (("U", ""), ("L", "-")):
        p.line(p.pt(f"TH{tag}1", "0", f"{sign}S.tr1"), p.pt(f"TH{tag}2", "O.t2", f"{sign}S.tr1"),
               layer="HIDDEN", name=f"螺纹孔小径 (tapped hole, minor, {tag})")
        p.line(p.pt(f"TM{tag}1", "0", f"{sign}S.tr"), p.pt(f"TM{tag}2", "O.t1", f"{sign}S.tr"),
               layer="HIDDEN", name=f"螺纹孔大径 (tapped hole, major, {tag})")
        p.line(f"TH{tag}2", p.pt(f"TC{tag}", "O.t2+S.tcone", "0"), layer="HIDDEN",
               name=f"钻孔锥底 (drill point, {tag})")
    p.line("THU2", "THL2", layer="HIDDEN", name="钻孔底 (end of the drilled hole)")
    p.line(p.pt("TE1", "O.t1", "S.tr"), p.pt("TE2", "O.t1", "-S.tr"), layer="HIDDEN",
           name="螺纹终止线 (thread limit)")


def pin(p, rows, gbno, edition, twin, name, material, grade, internal=False):
    params = [("d", NUMBER, True), ("Tol", TEXTPARA, True), ("L", NUMBER, True),
              ("c", NUMBER, True)]
    if internal:
        params += [("d2", NUMBER, True), ("P", NUMBER, True), ("t1", NUMBER, True),
                   ("t2", NUMBER, True)]
    p.parameters(*params)
    p.value_rows(rows)
    size_text = 'O.d & " " & O.Tol & "×" & O.L'
    gb.properties(p, name, edition, twin, size_text, gb.mark("销", gbno, size_text), material, grade, None)

    drawing.common(p)
    p.struct("r", "O.d/2")
    p.struct("rc", "S.r-O.c")
    drawing.mass_property(p, "Pi/4*O.d^2*O.L" + ("-Pi/4*O.d2^2*O.t2" if internal else ""))

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 (Front view)", "O")
    with p.in_view(front):
        outline = [("O.c", "S.r"), ("O.L-O.c", "S.r"), ("O.L", "S.rc"), ("O.L", "-S.rc"),
                   ("O.L-O.c", "-S.r"), ("O.c", "-S.r"), ("0", "-S.rc"), ("0", "S.rc")]
        pts = [p.pt(f"G{i + 1}", x, y) for i, (x, y) in enumerate(outline)]
        p.pline(pts, name="销轮廓 (outline)")
        p.line(pts[0], pts[5], name="倒角棱线左 (chamfer edge, left)")
        p.line(pts[1], pts[4], name="倒角棱线右 (chamfer edge, right)")
        p.line(p.pt("A1", "-S.cl", "0"), p.pt("A2", "O.L+S.cl", "0"), layer="CENTER",
               name="轴线 (axis)")
        p.dim_linear("G7", "G4", p.pt("DL", "0", "-S.r-S.dof"), text="O.L",
                     name="长度 l (length)")
        # The diameter with its tolerance class: one dimension per class, the filter picks it.
        side = p.pt("DD", "-S.dof", "0")
        p.dim_linear("G1", "G6", side, vertical=True, text='"Ø" & O.d', tol="m6",
                     name="直径 d m6 (diameter)", filt='O.Tol<>"h8"')
        p.dim_linear("G1", "G6", side, vertical=True, text='"Ø" & O.d', tol="h8",
                     name="直径 d h8 (diameter)", filt='O.Tol="h8"')
        p.text(p.pt("TX", "0", "-S.r-2*S.dof-S.th"), 'T.标记 & ""',
               name="标记 (designation)")
        if internal:
            tapped_hole(p)

    p.edited(5, Tol="h8")
    p.edited(len(rows), L=200)

    p.pt("E", "O.L+S.gv+S.r", "0")
    end = p.view("左视图 (Left view)", "E")
    with p.in_view(end):
        p.circle("E", "r", name="外圆 (outside)")
        p.circle("E", "rc", name="倒角圆 (chamfer edge)")
        if internal:
            drawing.thread_end(p, "E", "tr1", "tr", "内")
        drawing.centre_cross(p, "E", "S.r", "")
