"""Drawing conventions shared by the parts: drafting sizes, centre lines, hexagons, thread ends,
and the hexagon head fastener body that bolts and screws have in common.

Sizes that follow the drawing scale (text height, dimension line distance, centre line overshoot)
are structure parameters multiplied by S.sc, so a part drawn at 1:2 still prints them at size.
"""


def common(p):
    """Structure parameters every part uses. QZDBSCA is the host's drawing scale."""
    p.struct("sc", "IIf(QZDBSCA>0, QZDBSCA, 1)", visible=False)
    p.struct("th", "3.5*S.sc", visible=False)        # text height 3.5 mm (ISO 3098)
    p.struct("dof", "8*S.sc", visible=False)         # dimension line to outline (ISO 129-1)
    p.struct("cl", "3*S.sc", visible=False)          # centre lines overshoot the outline
    p.struct("gv", "3*S.dof", visible=False)         # space between two views
    p.struct("rho", 7.85)                            # density of steel, g/cm³


def mass_property(p, volume):
    """Mass in kg from a volume in mm³ and the density S.rho in g/cm³."""
    p.struct("V", volume)
    p.prop("质量", "Round(S.V*S.rho/1000000, 4)", formula=True)


def centre_cross(p, c, half, name):
    """Two centre lines through point c, each `half` (a formula) plus the overshoot to either
    side; the vertical one is the horizontal one turned by 90°, as a drafter copies it."""
    a = p.pt(f"{c}h1", f"P.{c}.X-({half})-S.cl", f"P.{c}.Y")
    b = p.pt(f"{c}h2", f"P.{c}.X+({half})+S.cl", f"P.{c}.Y")
    h = p.line(a, b, layer="CENTER", name=f"{name}水平中心线 (horizontal centre line)")
    p.rotate([h], c, 90, name=f"{name}竖直中心线 (vertical centre line)", layer="CENTER")
    return h


def hexagon(p, c, hs, re, prefix, name, layer="OUTLINE"):
    """A regular hexagon around point c with two corners on the vertical centre line.
    hs: half the width across flats; re: half the width across corners (structure names)."""
    corners = [("0", f"S.{re}"), (f"-S.{hs}", f"S.{re}/2"), (f"-S.{hs}", f"-S.{re}/2"),
               ("0", f"-S.{re}"), (f"S.{hs}", f"-S.{re}/2"), (f"S.{hs}", f"S.{re}/2")]
    names = [p.pt(f"{prefix}{i + 1}", f"P.{c}.X+{x}", f"P.{c}.Y+{y}")
             for i, (x, y) in enumerate(corners)]
    return p.pline(names, closed=True, layer=layer, name=name), names


def thread_end(p, c, outline_r, thin_r, name):
    """A thread seen from its end (ISO 6410-1 simplified): the crest diameter as a thick
    circle and the root diameter as a thin three-quarter circle open in the upper right
    quadrant. For an external thread outline_r is the major radius, for an internal one the
    minor radius."""
    circle = p.circle(c, outline_r, name=f"{name}螺纹大径 (thread crest)")
    arc = p.arc(c, thin_r, 90, 0, layer="THIN", name=f"{name}螺纹 3/4 圈 (thread root, 3/4 circle)")
    return circle, arc


def hex_sizes(p):
    """The drawn hexagon from the width across flats O.s: the corners lie at e = 2s/√3."""
    p.struct("hs", "O.s/2")
    p.struct("re", "O.s/Sqr(3)")


def hex_dims(p, c, corners, e_text='O.e & " min"'):
    """Width across flats s below the view and width across corners e on a diagonal."""
    below = p.pt(f"{c}ds", f"P.{c}.X", f"P.{c}.Y-S.re-S.dof")
    p.dim_linear(corners[2], corners[4], below, text="O.s", name="对边宽度 s (width across flats)")
    # The across-corners line runs from the corner at 30° to the one at 210°; its dimension
    # line stands off at 120°.
    off = p.pt(f"{c}de", f"P.{c}.X-(S.re+S.dof)/2", f"P.{c}.Y+(S.re+S.dof)*Sqr(3)/2")
    p.dim_aligned(corners[5], corners[2], off, text=e_text,
                  name="对角宽度 e (width across corners)")


def external_thread_sizes(p):
    p.struct("r", "O.d/2")
    p.struct("d3", "O.d-1.22687*O.P")     # minor diameter of an external thread (ISO 724)
    p.struct("r3", "S.d3/2")
    p.struct("cx", "(O.d-S.d3)/2")         # 45° end chamfer down to the minor diameter
    p.struct("xro", "(S.r-S.r3)*Sqr(3)")   # thread run-out drawn at 30° to the axis


def hex_head_front(p):
    """A hexagon head seen across corners, bearing face at x = 0, top face at x = -O.k: three
    faces with the 30° chamfer curves drawn as circular arcs through the chamfer's ends (the
    usual simplification of its hyperbolas). Returns (upper-half entities, symmetric ones)."""
    p.struct("hc", "(S.re-S.hs)*TanD(30)")          # depth of the 30° chamfer at the corners
    p.struct("R1", "((S.re/2)^2+S.hc^2)/(2*S.hc)")   # arc on the middle face
    p.struct("a1", "ATan2D(S.re/2, S.R1-S.hc)")
    p.struct("a1s", "180-S.a1")
    p.struct("a1e", "180+S.a1")
    p.struct("R2", "((S.re/4)^2+S.hc^2)/(2*S.hc)")   # arcs on the side faces
    p.struct("a2", "ATan2D(S.re/4, S.R2-S.hc)")
    p.struct("a2s", "180-S.a2")
    p.struct("a2e", "180+S.a2")
    h1 = p.pt("H1", "-O.k", "S.hs")
    h2 = p.pt("H2", "-O.k", "-S.hs")
    h3 = p.pt("H3", "-O.k+S.hc", "S.re")
    h4 = p.pt("H4", "0", "S.re")
    p.pt("H5", "0", "-S.re")
    h6 = p.pt("H6", "-O.k+S.hc", "S.re/2")
    h7 = p.pt("H7", "0", "S.re/2")
    c1 = p.pt("C1", "-O.k+S.R1", "0")
    c2 = p.pt("C2", "-O.k+S.R2", "3*S.re/4")
    b1 = p.pt("B1", "0", "S.r")
    upper = [
        p.line(h1, h3, name="头部倒角 (head chamfer, upper)"),
        p.line(h3, h4, name="头部轮廓 (head outline, upper)"),
        p.line(h4, b1, name="支承面 (bearing face, upper)"),
        p.line(h6, h7, name="棱线 (edge between faces, upper)"),
        p.arc(c2, "R2", "a2s", "a2e", name="侧面倒角弧 (side face chamfer arc, upper)"),
    ]
    symmetric = [
        p.line(h1, h2, name="头部顶面 (top face)"),
        p.arc(c1, "R1", "a1s", "a1e", name="中面倒角弧 (middle face chamfer arc)"),
    ]
    return upper, symmetric


def shank(p, limit_filter, runout):
    """The shank and thread of a bolt or screw, from the bearing face (x = 0) to the end
    (x = O.L), thread from x = S.xt (ISO 6410-1: minor diameter thin, thread limit thick).
    Returns the upper-half entities to mirror, the end line, and the run-out (or None)."""
    b1 = "B1"  # made with the head: the bearing face ends there
    b2 = p.pt("B2", "O.L-S.cx", "S.r")
    b2l = p.pt("B2L", "O.L-S.cx", "-S.r")
    b3 = p.pt("B3", "O.L", "S.r3")
    b4 = p.pt("B4", "O.L", "-S.r3")
    t1 = p.pt("T1", "S.xt", "S.r3")
    t3 = p.pt("T3", "S.xt", "S.r")
    t4 = p.pt("T4", "S.xt", "-S.r")
    upper = [
        p.line(b1, b2, name="螺杆上轮廓 (shank, upper)"),
        p.line(b2, b3, name="端部倒角 (end chamfer, upper)"),
        p.line(t1, b3, layer="THIN", name="螺纹小径 (thread minor diameter, upper)"),
    ]
    end = p.line(b3, b4, name="端面 (end face)")
    p.line(t3, t4, name="螺纹终止线 (thread limit)", filt=limit_filter)
    ro = None
    if runout:
        r2 = p.pt("T5", "S.xt-S.xro", "S.r")
        ro = p.line(t1, r2, layer="THIN", name="螺尾 (thread run-out)", filt=limit_filter)
    return upper, end, ro


def shank_dims(p, start, below, top, limit_filter, b_text):
    """Length below from the bearing face point `start` (dimension line at y = `below`),
    thread length on the level of point `top` when the thread stops short of the head, and the
    thread size at the end."""
    line = p.pt("DL", "0", below)
    p.dim_linear(start, "B4", line, text="O.L", name="公称长度 l (nominal length)")
    if b_text:
        p.dim_linear("T3", "B3", top, text=b_text, name="螺纹长度 b (thread length)",
                     filt=limit_filter)
    side = p.pt("DM", "O.L+S.dof", "0")
    p.dim_linear("B2", "B2L", side, vertical=True, text='O.Thread & ""',
                 name="螺纹规格 (thread size)")


def hex_head_part(p, props, bolt):
    """Everything of a hexagon head bolt (partly threaded, `bolt`) or screw (fully threaded)
    after its inputs and value rows: a front view and the view from the thread end. `props`
    writes the part's properties, given its volume formula."""
    common(p)
    hex_sizes(p)
    external_thread_sizes(p)
    if bolt:
        # Thread length b by nominal length (ISO 4014: l <= 125, 125 < l <= 200, l > 200); a
        # length at or below b makes the bolt threaded up to the head.
        p.struct("b", "IIf(O.L<=125, O.b1, IIf(O.L<=200, O.b2, O.b3))")
        p.struct("xt", "IIf(O.L>S.b, O.L-S.b, 0)")
        limit = "O.L>S.b"
    else:
        # A fully threaded screw: the thread ends about 2P from the bearing face.
        p.struct("xt", "Min(2*O.P, O.L/2)")
        limit = "1"
    props("Sqr(3)/2*O.s^2*O.k+Pi*O.d^2/4*O.L")

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 (Front view)", "O")
    with p.in_view(front):
        upper_head, _ = hex_head_front(p)
        upper_shank, _, runout = shank(p, limit, runout=bolt)
        a1 = p.pt("A1", "-O.k-S.cl", "0")
        a2 = p.pt("A2", "O.L+S.cl", "0")
        p.line(a1, a2, layer="CENTER", name="轴线 (axis)")
        p.mirror(upper_head + upper_shank, "O", a2, name="下半部 (lower half, mirrored)")
        if runout:
            p.mirror([runout], "O", a2, name="螺尾下半 (run-out, lower half)", filt=limit)
        top = p.pt("DT", "0", "S.re+S.dof")
        p.dim_linear("H1", "H4", top, text="O.k", name="头高 k (head height)")
        shank_dims(p, "H5", "-S.re-S.dof", top, limit, "S.b" if bolt else None)
        p.pt("TX", "-O.k", "-S.re-2*S.dof-S.th")
        p.text("TX", 'T.标记 & ""', name="标记 (designation)")

    p.pt("E", "-O.k-S.gv-S.re", "0")
    end = p.view("右视图 (Right view)", "E")
    with p.in_view(end):
        hexa, corners = hexagon(p, "E", "hs", "re", "EH", name="六角头 (hexagon head)")
        crest, root = thread_end(p, "E", "r", "r3", "")
        p.group([hexa, crest, root], name="端视轮廓 (end view outline)")
        centre_cross(p, "E", "S.re", "")
        hex_dims(p, "E", corners)
