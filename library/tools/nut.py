"""What the hexagon nuts drawn outside the plain nut's one outline have in common: the internal
thread's sizes, the far bore edges seen through a section, and the end view with the
hexagon, the thread and the dimensions a drafter gives a nut.
"""

import drawing


def thread_sizes(p, countersink=True):
    """The internal thread from O.d and O.P, and the countersink O.da at the faces."""
    drawing.hex_sizes(p)
    p.struct("r", "O.d/2")
    p.struct("D1", "O.d-1.082532*O.P")   # minor diameter of the internal thread (ISO 724)
    p.struct("r1", "S.D1/2")
    if not countersink:
        return
    p.struct("ra", "O.da/2")
    p.struct("cs", "(S.ra-S.r1)*TanD(30)")    # 120° countersink: its depth along the axis
    p.struct("csd", "(S.ra-S.r)*TanD(30)")    # where the countersink meets the major diameter


HALVES = ((1, "U", "upper"), (-1, "L", "lower"))


def half_points(p, prefix, sign, corners):
    """Points prefix1, prefix2 ... at the (x, y) formulas of the upper half, mirrored for
    sign -1."""
    y = (lambda f: f) if sign > 0 else (lambda f: f"-({f})")
    return [p.pt(f"{prefix}{i + 1}", x, y(f)) for i, (x, f) in enumerate(corners)]


def section(p, corners, length, edges, thread, extra=None):
    """A full section through the corners: the outline `corners` (upper half, bearing face at
    x = 0) in both halves, hatched; the bore edges behind the plane, the thread's major
    diameter from x = thread[0] to thread[1], and the axis over `length`. `extra(sign, tag,
    where)` adds what else a half holds (an insert)."""
    for sign, tag, where in HALVES:
        outline = p.pline(half_points(p, tag, sign, corners), name=f"剖面 (section, {where} half)")
        p.hatch([outline], scale=0.5, name=f"剖面线 (hatching, {where})")
        if extra:
            extra(sign, tag, where)
    bore_edges(p, edges)
    major_diameter(p, *thread)
    a1 = p.pt("A1", "-S.cl", "0")
    a2 = p.pt("A2", f"{length}+S.cl", "0")
    p.line(a1, a2, layer="CENTER", name="轴线 (axis)")


def bore_edges(p, pairs):
    """Behind the cutting plane the far half of each circular edge of the bore shows as a
    line across it: `pairs` are (upper point, lower point, where)."""
    for top, bottom, where in pairs:
        p.line(top, bottom, name=f"孔口棱线 (bore edge behind the section, {where})")


def major_diameter(p, x0, x1):
    """ISO 6410-1: an internal thread in section shows its major diameter as a thin line, the
    hatching running to the minor diameter."""
    for y, tag in (("S.r", "U"), ("-S.r", "L")):
        a = p.pt(f"M{tag}1", x0, y)
        b = p.pt(f"M{tag}2", x1, y)
        p.line(a, b, layer="THIN", name=f"螺纹大径 (thread major diameter, {tag})")


def end_view(p, x, name, circle=None, circle_name="", e_text='O.e & " min"'):
    """The nut seen along its axis at (x, 0): hexagon, the circle `circle` (a structure
    radius: the bearing face, or a flange in front of the hexagon; None for an unchamfered
    nut), the thread end, centre lines, s, e and the thread size."""
    p.pt("N", x, "0")
    side = p.view(name, "N")
    with p.in_view(side):
        hexa, corners = drawing.hexagon(p, "N", "hs", "re", "NH", name="六角 (hexagon)")
        outline = [hexa]
        if circle:
            outline.append(p.circle("N", circle, name=circle_name))
        outline += drawing.thread_end(p, "N", "r1", "r", "内")
        p.group(outline, name="端视轮廓 (end view outline)")
        drawing.centre_cross(p, "N", f"Max(S.re, S.{circle})" if circle else "S.re", "")
        drawing.hex_dims(p, "N", corners, e_text)
        p.pt("DT", "P.N.X+(S.re+S.dof)*0.7071", "P.N.Y+(S.re+S.dof)*0.7071")
        p.dim_diametric("N", "r", "DT", text='O.Thread & ""', name="螺纹规格 (thread size)")
