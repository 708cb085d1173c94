"""Screw drives as a drafter draws them: the hexagon socket, the hexalobular socket, the slot and
the cross recess, in the front view (from the top of the screw at x = `top` along the axis) and
seen from the end. The drive's size is the input O.s (socket size, lobe width A, slot width n,
cross recess diameter m) and its depth O.t.
"""

import drawing


def drive_sizes(p):
    p.struct("ssh", "O.s/2")
    p.struct("sre", "O.s/Sqr(3)")
    p.struct("tc", "S.sre*TanD(30)")               # 120° cone at the bottom of a socket
    p.struct("cw", "O.s/5")                        # width of a cross recess arm (drawn)


def front(p, drive, top):
    """The drive in the front view: hidden for a socket or recess, cut for a slot. `top` is the
    x formula of the screw's top on the axis. Returns the upper-half entities to mirror."""
    if drive in ("socket", "lobe"):
        return [p.line(p.pt("S1", top, "S.sre"), p.pt("S2", f"{top}+O.t", "S.sre"),
                       layer="HIDDEN", name="内六角孔 (socket, upper)"),
                p.line("S2", p.pt("S3", f"{top}+O.t+S.tc", "0"), layer="HIDDEN",
                       name="内六角孔锥底 (socket cone, upper)")]
    if drive == "cross":
        return [p.line(p.pt("S1", top, "O.s/2"), p.pt("S3", f"{top}+O.t", "0"), layer="HIDDEN",
                       name="十字槽 (cross recess, upper)")]
    upper = [p.line(p.pt("S1", top, "O.s/2"), p.pt("S2", f"{top}+O.t", "O.s/2"),
                    name="槽 (slot, upper)")]
    p.line("S2", p.pt("S2L", f"{top}+O.t", "-O.s/2"), name="槽底 (slot bottom)")
    return upper


def end(p, drive, c, r):
    """The drive seen from the end around point c inside the circle of radius S.<r>. Returns
    the outline entities for the view's group."""
    if drive == "socket":
        hexa, corners = drawing.hexagon(p, c, "ssh", "sre", "SK", name="内六角 (socket)")
        p.dim_linear(corners[2], corners[4], p.pt("ES", f"P.{c}.X", f"P.{c}.Y-S.{r}-S.dof"),
                     text="O.s", name="内六角对边 s (socket size)")
        return [hexa]
    if drive == "lobe":
        # Six lobes reaching the circle A/2, each hollow between two lobes an arc tangent to
        # both.
        p.struct("rl", "O.s/8")
        p.struct("rlc", "O.s/2-S.rl")
        p.struct("rh", "O.s/5")
        p.struct("hh", "S.rlc*CosD(30)+Sqr((S.rl+S.rh)^2-(S.rlc*SinD(30))^2)")
        p.struct("phi", "ATan2D(S.hh*SinD(30), S.hh*CosD(30)-S.rlc)")
        p.struct("mphi", "-S.phi")
        p.struct("th0", "ATan2D(-S.hh*SinD(30), S.rlc-S.hh*CosD(30))")
        p.struct("th0e", "S.th0+360")
        p.struct("th60", "60-S.th0")
        lobe = p.arc(p.pt("LB", f"P.{c}.X+S.rlc", f"P.{c}.Y"), "rl", "mphi", "phi",
                     name="花形凸瓣 (lobe)")
        hollow = p.arc(p.pt("HL", f"P.{c}.X+S.hh*CosD(30)", f"P.{c}.Y+S.hh*SinD(30)"), "rh",
                       "th60", "th0e", name="花形凹瓣 (hollow between lobes)")
        p.polar([lobe, hollow], c, 6, 360, name="内六角花形 (hexalobular socket)")
        return [lobe]
    if drive == "cross":
        # A plus-shaped outline: arms s long and s/5 wide.
        arm = [("S.ssh", "S.cw/2"), ("S.cw/2", "S.cw/2"), ("S.cw/2", "S.ssh"),
               ("-S.cw/2", "S.ssh"), ("-S.cw/2", "S.cw/2"), ("-S.ssh", "S.cw/2"),
               ("-S.ssh", "-S.cw/2"), ("-S.cw/2", "-S.cw/2"), ("-S.cw/2", "-S.ssh"),
               ("S.cw/2", "-S.ssh"), ("S.cw/2", "-S.cw/2"), ("S.ssh", "-S.cw/2")]
        pts = [p.pt(f"CR{i + 1}", f"P.{c}.X+{x}", f"P.{c}.Y+{y}") for i, (x, y) in enumerate(arm)]
        return [p.pline(pts, name="十字槽 (cross recess)")]
    # The slot across the end, drawn at 45° as a drafter shows it in this view.
    members = []
    for sign, tag in ((1, "U"), (-1, "L")):
        off = f"{sign}*O.s/2*0.7071"
        a = p.pt(f"SL{tag}1", f"P.{c}.X-S.{r}*0.7071-({off})", f"P.{c}.Y-S.{r}*0.7071+({off})")
        b = p.pt(f"SL{tag}2", f"P.{c}.X+S.{r}*0.7071-({off})", f"P.{c}.Y+S.{r}*0.7071+({off})")
        members.append(p.line(a, b, name=f"槽 (slot, {tag})"))
    return members
