"""Parallel keys GB/T 1096 in its three forms (A round ends, B square ends, C one of each) with
their keyway (GB/T 1095): the key seen from
above and from the side, and the shaft's cross-section with the keyway dimensioned.

Values of GB/T 1096-2003 / GB/T 1095-2003: for each shaft diameter range (over d0 up to d) the
key width b (h8), height h (h11), the shaft keyway depth t1 and the hub keyway depth t2, and
the key's length range; lengths from the standard's length series within it. Not in the
project's data: compared with two published reproductions of the DIN 6885-1 table, which gives
the same cross-sections (see library/README.md). The keyway is drawn on a shaft of the range's
largest diameter d (the user types another); the end chamfer s and the keyway's corner radius
are left out (under 0.6 mm up to b = 22).
"""

import drawing
import gb
from qzlib import NUMBER

#       d over  up to   b   h   t1   t2   L min  L max
KEYS = [(6, 8, 2, 2, 1.2, 1.0, 6, 20), (8, 10, 3, 3, 1.8, 1.4, 6, 36),
        (10, 12, 4, 4, 2.5, 1.8, 8, 45), (12, 17, 5, 5, 3.0, 2.3, 10, 56),
        (17, 22, 6, 6, 3.5, 2.8, 14, 70), (22, 30, 8, 7, 4.0, 3.3, 18, 90),
        (30, 38, 10, 8, 5.0, 3.3, 22, 110), (38, 44, 12, 8, 5.0, 3.3, 28, 140),
        (44, 50, 14, 9, 5.5, 3.8, 36, 160), (50, 58, 16, 10, 6.0, 4.3, 45, 180),
        (58, 65, 18, 11, 7.0, 4.4, 50, 200), (65, 75, 20, 12, 7.5, 4.9, 56, 220),
        (75, 85, 22, 14, 9.0, 5.4, 63, 250), (85, 95, 25, 14, 9.0, 5.4, 70, 280),
        (95, 110, 28, 16, 10.0, 6.4, 80, 320), (110, 130, 32, 18, 11.0, 7.4, 90, 360)]
LENGTHS = (6, 8, 10, 12, 14, 16, 18, 20, 22, 25, 28, 32, 36, 40, 45, 50, 56, 63, 70, 80, 90, 100,
           110, 125, 140, 160, 180, 200, 220, 250, 280, 320, 360)


FORMS = {"A": ("圆头", "round ends"), "B": ("平头", "square ends"),
         "C": ("单圆头", "one round end")}


def build(lib):
    for form in FORMS:
        key(lib, form)


def key(lib, form):
    zh, en = FORMS[form]
    p = lib.part("keys", f"gb1096-{form}",
                 gb.part_name(f"普通型 平键 {form}型 ({zh})", "GB/T 1096", "DIN 6885-1",
                              f"Parallel key, form {form}, {en}"))
    p.parameters(("b", NUMBER, True), ("h", NUMBER, True), ("L", NUMBER, True),
                 ("d", NUMBER, True), ("d0", NUMBER, False), ("t1", NUMBER, True),
                 ("t2", NUMBER, True))
    p.value_rows([(b, h, length, d, d0, t1, t2) for d0, d, b, h, t1, t2, lo, hi in KEYS
                  for length in LENGTHS if lo <= length <= hi])
    size_text = 'O.b & "×" & O.h & "×" & O.L'
    prefix = "" if form == "A" else form + " "     # form A is marked without a letter
    gb.properties(p, f"普通型 平键 {form}型", "GB/T 1096-2003", "DIN 6885-1:1968", size_text,
                  f'"GB/T 1096 键 {prefix}" & ' + size_text, "45", "—", None)
    drawing.common(p)
    p.struct("hb", "O.b/2")
    p.struct("xr", "O.L/2-S.hb")               # centres of the round ends
    p.struct("rs", "O.d/2")
    rounds = {"A": 2, "B": 0, "C": 1}[form]
    drawing.mass_property(p, f"(O.b*O.L-{rounds}*(1-Pi/4)*O.b^2/4)*O.h")

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 (Front view)", "O")
    with p.in_view(front):
        # Seen from the side: the key's height over its length.
        pts = [p.pt("K1", "-O.L/2", "0"), p.pt("K2", "O.L/2", "0"), p.pt("K3", "O.L/2", "O.h"),
               p.pt("K4", "-O.L/2", "O.h")]
        p.pline(pts, name="键侧面 (key, side)")
        # Where the round ends meet the flat sides.
        for tag, x in (("L", "-S.xr"), ("R", "S.xr"))[:rounds]:
            p.line(p.pt(f"E{tag}1", x, "0"), p.pt(f"E{tag}2", x, "O.h"), layer="THIN",
                   name=f"圆头切线 (end of the round end, {tag})")
        p.dim_linear("K1", "K2", p.pt("DL", "0", "-S.dof"), text="O.L", name="长度 L (length)")
        p.dim_linear("K2", "K3", p.pt("DH", "O.L/2+S.dof", "0"), vertical=True, text="O.h",
                     tol="h11", name="高度 h (height)")
        p.text(p.pt("TX", "-O.L/2", "-2*S.dof-S.th"), 'T.标记 & ""', name="标记 (designation)")

    p.pt("T", "0", "O.h+S.gv+S.hb")
    top = p.view("俯视图 (Top view)", "T")
    with p.in_view(top):
        left = "P.T.X-S.xr" if rounds >= 1 else "P.T.X-O.L/2"
        right = "P.T.X+S.xr" if rounds == 2 else "P.T.X+O.L/2"
        a = p.line(p.pt("T1", left, "P.T.Y+S.hb"), p.pt("T2", right, "P.T.Y+S.hb"),
                   name="键上边 (key, upper side)")
        p.mirror([a], "T", p.pt("TM", "P.T.X+1", "P.T.Y"), name="键下边 (key, lower side)")
        p.pt("TC1", "P.T.X-S.xr", "P.T.Y")
        p.pt("TC2", "P.T.X+S.xr", "P.T.Y")
        if rounds >= 1:
            p.arc("TC1", "hb", 90, 270, name="左圆头 (left round end)")
        else:
            p.line("T1", p.pt("T1E", left, "P.T.Y-S.hb"), name="左端 (left end)")
        if rounds == 2:
            p.arc("TC2", "hb", -90, 90, name="右圆头 (right round end)")
        else:
            p.line("T2", p.pt("T2E", right, "P.T.Y-S.hb"), name="右端 (right end)")
        p.line(p.pt("TA1", "P.T.X-O.L/2-S.cl", "P.T.Y"), p.pt("TA2", "P.T.X+O.L/2+S.cl", "P.T.Y"),
               layer="CENTER", name="中心线 (centre line)")
        p.pt("T1L", left, "P.T.Y-S.hb")
        p.dim_linear("T1", "T1L", p.pt("DB", "P.T.X-O.L/2-S.dof", "P.T.Y"), vertical=True,
                     text="O.b", tol="h8", name="宽度 b (width)")

    # The shaft's cross-section with the keyway at the top.
    p.pt("S", "O.L/2+S.gv+S.rs", "S.rs")
    shaft = p.view("键槽断面 (Keyway section)", "S")
    with p.in_view(shaft):
        p.struct("ky", "Sqr(S.rs^2-S.hb^2)", visible=False)
        p.struct("ka", "ATan2D(S.ky, S.hb)", visible=False)
        p.struct("ka2", "180-S.ka", visible=False)
        pts = [p.pt("W1", "P.S.X+S.hb", "P.S.Y+S.ky"), p.pt("W2", "P.S.X+S.hb", "P.S.Y+S.rs-O.t1"),
               p.pt("W3", "P.S.X-S.hb", "P.S.Y+S.rs-O.t1"), p.pt("W4", "P.S.X-S.hb", "P.S.Y+S.ky")]
        slot = p.pline(pts, closed=False, name="键槽 (keyway)")
        rim = p.arc("S", "rs", "ka2", "ka", name="轴断面 (shaft section)")
        p.hatch([slot, rim], scale=1, name="剖面线 (hatching)")
        drawing.centre_cross(p, "S", "S.rs", "")
        p.dim_linear("W4", "W1", p.pt("DW", "P.S.X", "P.S.Y+S.rs+S.dof"), text="O.b", tol="N9",
                     name="键槽宽 b (keyway width)")
        p.pt("SB", "P.S.X", "P.S.Y-S.rs")
        p.dim_linear("W2", "SB", p.pt("DT", "P.S.X+S.rs+S.dof", "P.S.Y"), vertical=True,
                     text='O.d-O.t1 & ""', name="槽底至轴底 d-t1 (keyway depth)")
        # The keyway's corners as ordinates from the shaft's axis, as a programme needs them.
        p.dim_ordinate("W3", "S", p.pt("OW3", "P.W3.X", "P.S.Y-S.rs-S.dof"), True,
                       text='-S.hb & ""', name="槽边坐标 (keyway side, X)")
        p.dim_ordinate("W2", "S", p.pt("OW2", "P.W2.X", "P.S.Y-S.rs-S.dof"), True,
                       text='S.hb & ""', name="槽边坐标 (keyway side, X)")
