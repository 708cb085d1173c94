"""The deep groove ball bearing drawing shared by the diameter series: a full section through
the axis and the view along the axis with the balls between the rings.

Only d, D, B and the chamfer r come from the standard; the inside of the bearing (ball size,
raceway grooves, ring shoulders) is a drawing proportion, as in makers' catalogue figures:
ball diameter 0.3(D - d) on the pitch diameter (D + d)/2, shoulders 0.3 of a ball diameter from
the pitch circle, grooves of 0.52 of the ball diameter.
"""

import drawing
import gb
from qzlib import NUMBER, TEXTPARA


def ring_half(p, prefix, sign, outer, low=None):
    """One ring of the section above (sign 1) or below (sign -1) the axis: the chamfered
    outline as an open polyline from one groove edge round to the other, and the groove arc
    that closes it. `low` (angular contact) is the (radius, groove half width) of a low
    shoulder: the outer ring's on the -x side, the inner ring's on the +x side, away from
    the ring's contact; the groove arc then ends at the structure angles gol/gil (outer) or
    gir/gor (inner) that bearing_part defines."""
    def y(f):
        return f if sign > 0 else f"-({f})"
    if outer:
        shoulder, face, edge = "S.ro", "S.rD", "S.rD-S.rc"
    else:
        shoulder, face, edge = "S.ri", "S.rd", "S.rd+S.rc"
    # The outline runs from the groove edge at +x round the far face and back to -x.
    near = far = shoulder
    xnear = xfar = "S.xg"
    if low is not None and outer:
        far, xfar = low
    elif low is not None:
        near, xnear = low
    xs = [(xnear, near), ("S.hb", near), ("S.hb", edge), ("S.hb-S.rc", face),
          ("-S.hb+S.rc", face), ("-S.hb", edge), ("-S.hb", far), (f"-{xfar}", far)]
    pts = [p.pt(f"{prefix}{i + 1}", x, y(f)) for i, (x, f) in enumerate(xs)]
    where = "上" if sign > 0 else "下"
    kind = "外圈" if outer else "内圈"
    english = ("outer" if outer else "inner") + (" ring, upper" if sign > 0 else " ring, lower")
    outline = p.pline(pts, closed=False, name=f"{kind}{where} ({english})")
    centre = "BC" if sign > 0 else "BCL"
    # The groove bulges away from the ball's centre: upward in the upper outer ring and the
    # lower inner ring, downward in the two others.
    up = (sign > 0) == outer
    start, end = ("gos", "goe") if up else ("gis", "gie")
    if low is not None and outer:
        start, end = (start, "gol") if up else ("gil", end)
    elif low is not None:
        start, end = ("gor", end) if up else (start, "gir")
    groove = p.arc(centre, "rg", start, end, name=f"{kind}{where}滚道 ({english}, raceway)")
    return outline, groove


def bearing_part(lib, key, name, series, rows, kind="深沟球轴承", standard="GB/T 276-2013",
                 contact=False):
    """`contact`: an angular contact bearing, its rows ending with the contact angle alpha;
    each ring has a low shoulder on the side away from its contact, and the contact line
    runs through the balls."""
    p = lib.part("bearings", key, name)
    extra = (("alpha", NUMBER, True),) if contact else ()
    p.parameters(("Code", TEXTPARA, True), ("d", NUMBER, True), ("D", NUMBER, True),
              ("B", NUMBER, True), ("r", NUMBER, True), *extra)
    p.value_rows(rows)
    gbno = standard.split("-")[0]
    gb.properties(p, f"{kind} {series} 系列", standard, "ISO 15:2017", 'O.Code & ""',
                  f'"滚动轴承 " & O.Code & " {gbno}"', "GCr15", "—", None)
    drawing.common(p)
    p.struct("rD", "O.D/2")
    p.struct("rd", "O.d/2")
    p.struct("hb", "O.B/2")
    p.struct("rc", "O.r")                   # chamfer; 0 where the table gives none
    p.struct("rp", "(O.D+O.d)/4")          # pitch radius
    p.struct("Dw", "0.3*(O.D-O.d)")        # ball diameter (proportion)
    p.struct("rb", "S.Dw/2")
    p.struct("e3", "0.3*S.Dw")             # shoulders stand off the pitch circle
    p.struct("ro", "S.rp+S.e3")
    p.struct("ri", "S.rp-S.e3")
    p.struct("rg", "0.52*S.Dw")            # groove radius
    p.struct("xg", "Sqr(S.rg^2-S.e3^2)")   # half width of the groove at the shoulder
    p.struct("ag", "ATan2D(S.e3, S.xg)")
    p.struct("gos", "S.ag")
    p.struct("goe", "180-S.ag")
    p.struct("gis", "180+S.ag")
    p.struct("gie", "360-S.ag")
    p.struct("z", "Int(Pi*2*S.rp/(1.5*S.Dw))")   # number of balls that fit with a cage
    lows = {True: None, False: None}
    if contact:
        # A low shoulder stands 0.45 of a ball diameter off the pitch circle (a full one
        # 0.3), just inside the groove radius.
        p.struct("el", "0.45*S.Dw")
        p.struct("xl", "Sqr(S.rg^2-S.el^2)")
        p.struct("al", "ATan2D(S.el, S.xl)")
        for name, formula in (("gol", "180-S.al"), ("gil", "180+S.al"), ("gir", "360-S.al"),
                              ("gor", "S.al")):
            p.struct(name, formula)
        lows = {True: ("S.rp+S.el", "S.xl"), False: ("S.rp-S.el", "S.xl")}
    drawing.mass_property(p, "2*Pi*((S.rD+S.ro)/2*(S.rD-S.ro)+(S.ri+S.rd)/2*(S.ri-S.rd))*O.B"
                             "+S.z*Pi*S.Dw^3/6")

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 全剖 (Front view, full section)", "O")
    with p.in_view(front):
        bc = p.pt("BC", "0", "S.rp")
        bcl = p.pt("BCL", "0", "-S.rp")
        for sign, tag in ((1, "U"), (-1, "L")):
            for outer, ring in ((True, "O"), (False, "I")):
                outline, groove = ring_half(p, f"R{ring}{tag}", sign, outer, lows[outer])
                # Adjacent parts in a section are hatched in opposite directions.
                p.hatch([outline, groove], scale=0.5, angle=0 if outer else 90,
                        name=f"剖面线 (hatching, {ring}{tag})")
        ball = p.circle(bc, "rb", name="滚珠上 (ball, upper)")
        p.move([ball], bc, bcl, name="滚珠下 (ball, lower, copied)")
        if contact:
            # The contact line through each ball's centre, at alpha to the radial plane:
            # from the inner ring's contact (-x) to the outer ring's (+x).
            p.struct("cx", "1.5*S.rg*SinD(O.alpha)", visible=False)
            p.struct("cy", "1.5*S.rg*CosD(O.alpha)", visible=False)
            for tag, y in (("U", "S.rp"), ("L", "-S.rp")):
                sy = "" if tag == "U" else "-"
                a = p.pt(f"C{tag}1", "-S.cx", f"{y}-{sy}S.cy".replace("--", "+"))
                b = p.pt(f"C{tag}2", "S.cx", f"{y}+{sy}S.cy".replace("+-", "-"))
                p.line(a, b, layer="CENTER", name=f"接触角线 (contact line, {tag})")
        p.line(p.pt("A1", "-S.hb-S.cl", "0"), p.pt("A2", "S.hb+S.cl", "0"), layer="CENTER",
               name="轴线 (axis)")
        p.line(p.pt("A3", "0", "-S.rD-S.cl"), p.pt("A4", "0", "S.rD+S.cl"), layer="CENTER",
               name="径向对称线 (radial plane)")
        p.dim_linear("ROL6", "ROL3", p.pt("DB", "0", "-S.rD-S.dof"), text="O.B",
                     name="宽度 B (width)")
        # Bore and outside diameter as the bearing's own sizes: the seat fits (k6, H7)
        # belong to the shaft and the housing, not to the bearing.
        p.dim_linear("ROU5", "ROL5", p.pt("DD", "-S.hb-S.dof", "0"), vertical=True,
                     text='"Ø" & O.D', name="外径 D (outside diameter)")
        p.dim_linear("RIU4", "RIL4", p.pt("Dd", "S.hb+S.dof", "0"), vertical=True,
                     text='"Ø" & O.d', name="内径 d (bore)")
        # The chamfer r s min at a corner of the outer ring, where catalogue figures show it;
        # a row without a confirmed r has none.
        corner = p.pt("RC", "S.hb-S.rc", "S.rD-S.rc")
        p.dim_diametric(corner, "rc", p.pt("DR", "P.RC.X+(S.rc+S.dof)*0.7071",
                                          "P.RC.Y+(S.rc+S.dof)*0.7071"),
                        text='"R" & O.r', radial=True, name="倒角 r (chamfer)", filt="O.r>0")
        p.text(p.pt("TX", "-S.hb", "-S.rD-2*S.dof-S.th"), 'T.标记 & ""',
               name="标记 (designation)")

    p.pt("E", "S.hb+S.gv+S.rD", "0")
    side = p.view("左视图 (Left view)", "E")
    with p.in_view(side):
        rings = [p.circle("E", r, name=f"{n}") for r, n in (
            ("rD", "外径 (outside)"), ("ro", "外圈挡边 (outer ring shoulder)"),
            ("ri", "内圈挡边 (inner ring shoulder)"), ("rd", "内孔 (bore)"))]
        p.circle("E", "rp", layer="CENTER", name="节圆 (pitch circle)")
        # A ball shows only between the shoulders: two arcs of its circle, where
        # ri <= distance from the centre <= ro, i.e. sin t between si and so.
        p.struct("so", "(S.ro^2-S.rp^2-S.rb^2)/(2*S.rp*S.rb)", visible=False)
        p.struct("si", "(S.ri^2-S.rp^2-S.rb^2)/(2*S.rp*S.rb)", visible=False)
        p.struct("tso", "ATan2D(S.so, Sqr(1-S.so^2))", visible=False)
        p.struct("tsi", "ATan2D(S.si, Sqr(1-S.si^2))", visible=False)
        p.struct("tso2", "180-S.tso", visible=False)
        p.struct("tsi2", "180-S.tsi", visible=False)
        eb = p.pt("EB", "P.E.X", "P.E.Y+S.rp")
        right = p.arc(eb, "rb", "tsi", "tso", name="滚珠右侧 (ball, right edge)")
        left = p.arc(eb, "rb", "tso2", "tsi2", name="滚珠左侧 (ball, left edge)")
        p.polar([right, left], "E", "z", 360, name="滚珠阵列 (balls)")
        p.group(rings, name="套圈 (rings)")
        drawing.centre_cross(p, "E", "S.rD", "")
    return p
