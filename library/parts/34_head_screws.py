"""Machine screws with a round or countersunk head: slotted GB/T 65 (ISO 1207 cheese head), 67
(ISO 1580 pan head), 68 (ISO 2009 countersunk), 69 (ISO 2010 raised countersunk); cross
recessed GB/T 818 (ISO 7045 pan head), 819.1 (ISO 7046-1 countersunk), 820 (ISO 7047 raised
countersunk); hexagon socket GB/T 70.2 (ISO 7380-1 button head) and 70.3 (ISO 10642
countersunk); hexalobular socket GB/T 2671.1 (ISO 14580 cheese head), 2671.2 (ISO 14579 cap
head), 2672 (ISO 14583 pan head) and 2674 (ISO 14584 raised countersunk). One drawing: the front view with the head the standard names and its drive, and
the view of the head.

Columns: P coarse pitch, b thread length (min; a shorter screw is threaded to within a = 2P of
the head), dk head diameter (max; the theoretical sharp-edged diameter of a countersunk head),
k head height (max), s the drive size (slot width n min, cross recess diameter m of type H, or
socket size s nominal, or the hexalobular socket's width across the lobes A), t drive depth, rf the radius of the pan head's edge (ISO 1580), of the
dome (ISO 7045) or of the raised top (ISO 2010, 7047). The hexalobular socket is drawn as six lobes of radius
A/8 joined by tangent hollows of radius A/5, a proportion; the button head's dome is a drawing proportion (through the head's top and 0.3 k down its side). Lengths: the standard's nominal
lengths within each size's range; a countersunk screw's length includes its head.
"""

import drawing
import drives
import gb
import tables
from qzlib import NUMBER, TEXTPARA

SIZES = ["M2", "M2.5", "M3", "M4", "M5", "M6", "M8", "M10", "M12", "M16", "M20"]
n = tables.num

# key, GB/T, edition, twin, name, English, table, lengths of, head, drive, marking kind
PARTS = [
    ("gb65", "GB/T 65", "GB/T 65-2016", "ISO 1207:2011", "开槽圆柱头螺钉", "Slotted cheese head screw",
     "iso1207_slotted_cheese_head_screw", "ISO 1207", "cheese", "slot"),
    ("gb67", "GB/T 67", "GB/T 67-2016", "ISO 1580:2011", "开槽盘头螺钉", "Slotted pan head screw",
     "iso1580_slotted_pan_head_screw", "ISO 1580", "pan", "slot"),
    ("gb68", "GB/T 68", "GB/T 68-2016", "ISO 2009:2011", "开槽沉头螺钉",
     "Slotted countersunk head screw", "iso2009_slotted_countersunk_flat_head_screw", "ISO 2009",
     "csk", "slot"),
    ("gb69", "GB/T 69", "GB/T 69-2016", "ISO 2010:2011", "开槽半沉头螺钉",
     "Slotted raised countersunk head screw", "iso2010_slotted_raised_countersunk_head_screw",
     "ISO 2010", "raised", "slot"),
    ("gb818", "GB/T 818", "GB/T 818-2016", "ISO 7045:2011", "十字槽盘头螺钉",
     "Cross recessed pan head screw", "iso7045_cross_recessed_pan_head_screw", "ISO 7045",
     "dome", "cross"),
    ("gb819.1", "GB/T 819.1", "GB/T 819.1-2016", "ISO 7046-1:2011", "十字槽沉头螺钉",
     "Cross recessed countersunk head screw", "iso7046_cross_recessed_countersunk_flat_head_screw",
     "ISO 7046-1", "csk", "cross"),
    ("gb820", "GB/T 820", "GB/T 820-2015", "ISO 7047:2011", "十字槽半沉头螺钉",
     "Cross recessed raised countersunk head screw",
     "iso7047_cross_recessed_raised_countersunk_head_screw", "ISO 7047", "raised", "cross"),
    ("gb70.2", "GB/T 70.2", "GB/T 70.2-2015", "ISO 7380-1:2011", "内六角平圆头螺钉",
     "Hexagon socket button head screw", "iso7380-1_hexagon_socket_button_head_screw",
     "ISO 7380-1", "button", "socket"),
    ("gb70.3", "GB/T 70.3", "GB/T 70.3-2008", "ISO 10642:2004", "内六角沉头螺钉",
     "Hexagon socket countersunk head screw", "iso10642_hexagon_socket_countersunk_head_screw",
     "ISO 10642", "csk", "socket"),
    ("gb2671.1", "GB/T 2671.1", "GB/T 2671.1-2004", "ISO 14580:2001", "内六角花形低圆柱头螺钉",
     "Hexalobular socket cheese head screw", "iso14580_hexalobular_socket_cheese_head_screw",
     "ISO 14580", "cheese", "lobe"),
    ("gb2671.2", "GB/T 2671.2", "GB/T 2671.2-2004", "ISO 14579:2001", "内六角花形圆柱头螺钉",
     "Hexalobular socket head cap screw", "iso14579_hexalobular_socket_head_cap_screw",
     "ISO 14579", "cheese", "lobe"),
    ("gb2672", "GB/T 2672", "GB/T 2672-2004", "ISO 14583:2011", "内六角花形盘头螺钉",
     "Hexalobular socket pan head screw", "iso14583_hexalobular_socket_pan_head_screw",
     "ISO 14583", "dome", "lobe"),
    ("gb2674", "GB/T 2674", "GB/T 2674-2004", "ISO 14584:2001", "内六角花形半沉头螺钉",
     "Hexalobular socket raised countersunk head screw",
     "iso14584_hexalobular_socket_raised_countersunk_head_screw", "ISO 14584", "raised", "lobe"),
]


def _first(r, *cols):
    for c in cols:
        if r.get(c) not in (None, ""):
            return n(r[c])
    return None


def table_rows(table, lstd, head, drive):
    """(Thread, L, d, P, b, a, dk, k, s, t, rf) rows."""
    std = tables.standard(table)
    rows = []
    for size in tables.sizes(std, SIZES):
        r = std[size]
        pitch = n(r["P"])
        dk = _first(r, "dk_theo", "dk", "dk_max")
        k = _first(r, "csh_height", "k")
        if drive == "slot":
            s, t = n(r["n_min"]), _first(r, "t_min", "t_mean")
        elif drive == "cross":
            s, t = n(r["mH"]), None
        elif drive == "lobe":
            s, t = _first(r, "A", "A_ref"), _first(r, "t_mean", "t")
        else:  # the socket's nominal size from the table's mean of its tolerance zone
            s, t = round(n(r["s_mean"]) * 2) / 2, _first(r, "t", "t_min")
            s = int(s) if float(s).is_integer() else s
        if t is None:
            t = round(0.6 * s, 2)  # cross recess: drawn 0.6 m deep, a proportion
        rf = _first(r, "rf") or 0
        b = _first(r, "b", "b_min")
        a = _first(r, "a", "a_max") or 2 * pitch
        for length in tables.lengths(lstd, n(r["Min_L"]), n(r["Max_L"])):
            rows.append((size, length, tables.thread_d(size), pitch, b, a, dk, k, s, t, rf))
    return rows


def head_outline(p, head):
    """Upper half of the head from the top face on the axis to the bearing face at (hx1, r).
    Returns the entities to mirror and the point on the top of the axis."""
    csk = head in ("csk", "raised")
    if csk:
        # Top face at x = 0, the 90° cone down to the shank at x = k.
        c1 = p.pt("K1", "0", "S.rk")
        c2 = p.pt("B1", "O.k", "S.r")
        ents = [p.line(c1, c2, name="沉头锥面 (countersunk head cone, upper)")]
        if head == "csk":
            top = p.pt("KT", "0", "0")
            ents.append(p.line(top, c1, name="头部顶面 (top face, upper)"))
            return ents, top
        p.struct("rf", "O.rf")
        p.struct("f", "O.rf-Sqr(O.rf^2-S.rk^2)")       # height of the raised top
        p.struct("fa", "ATan2D(S.rk, O.rf-S.f)")
        p.struct("fas", "180-S.fa")
        top = p.pt("KT", "-S.f", "0")
        ents.append(p.arc(p.pt("KC", "-S.f+O.rf", "0"), "rf", "fas", 180,
                          name="半沉头球面 (raised top, upper)"))
        return ents, top
    b1 = p.pt("B1", "0", "S.r")
    k1 = p.pt("K1", "0", "S.rk")
    ents = [p.line(b1, k1, name="支承面 (bearing face, upper)")]
    top = p.pt("KT", "-O.k", "0")
    if head == "cheese":
        k2 = p.pt("K2", "-O.k", "S.rk")
        ents += [p.line(k1, k2, name="头部圆柱 (head, upper)"),
                 p.line(k2, top, name="头部顶面 (top face, upper)")]
    elif head == "pan":
        p.struct("rf", "O.rf")
        k2 = p.pt("K2", "-O.k+O.rf", "S.rk")
        k3 = p.pt("K3", "-O.k", "S.rk-O.rf")
        ents += [p.line(k1, k2, name="头部圆柱 (head, upper)"),
                 p.arc(p.pt("KC", "-O.k+O.rf", "S.rk-O.rf"), "rf", 90, 180,
                       name="头部圆角 (head edge radius, upper)"),
                 p.line(k3, top, name="头部顶面 (top face, upper)")]
    else:
        # A dome through the top of the head: its radius given (ISO 7045) or through the
        # point 0.3 k down the side (button head, a proportion).
        if head == "dome":
            p.struct("R", "Max(O.rf, S.rk*1.05)")
        else:
            p.struct("R", "(S.rk^2+(0.7*O.k)^2)/(1.4*O.k)")
        p.struct("hs", "O.k-(S.R-Sqr(S.R^2-S.rk^2))")   # height of the cylindrical side
        p.struct("ra", "ATan2D(S.rk, S.R-O.k+S.hs)")
        p.struct("ras", "180-S.ra")
        k2 = p.pt("K2", "-S.hs", "S.rk")
        ents += [p.line(k1, k2, name="头部圆柱 (head, upper)"),
                 p.arc(p.pt("KC", "-O.k+S.R", "0"), "R", "ras", 180,
                       name="头部球面 (domed head, upper)")]
    return ents, top


def head_screw(p, rows, gbno, edition, twin, name, head, drive):
    p.parameters(("Thread", TEXTPARA, True), ("L", NUMBER, True), ("d", NUMBER, True),
                 ("P", NUMBER, True), ("b", NUMBER, True), ("a", NUMBER, False),
                 ("dk", NUMBER, True), ("k", NUMBER, True), ("s", NUMBER, True),
                 ("t", NUMBER, True), ("rf", NUMBER, head in ("pan", "dome", "raised")))
    p.value_rows(rows)
    size_text = 'O.Thread & "×" & O.L'
    grade = "8.8" if drive in ("socket", "lobe") else "4.8"
    gb.properties(p, name, edition, twin, size_text, gb.mark("螺钉", gbno, size_text), "钢", grade, None)
    csk = head in ("csk", "raised")
    drawing.common(p)
    drawing.external_thread_sizes(p)
    p.struct("rk", "O.dk/2")
    p.struct("hx1", "O.k" if csk else "0")             # where the shank leaves the head
    p.struct("xt", "IIf(O.L-O.b>S.hx1+O.a, O.L-O.b, S.hx1+O.a)")
    drives.drive_sizes(p)
    drawing.mass_property(p, ("Pi/12*O.k*(O.dk^2+O.dk*O.d+O.d^2)" if csk
                              else "0.9*Pi/4*O.dk^2*O.k") + "+Pi/4*O.d^2*(O.L-S.hx1)")

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 (Front view)", "O")
    with p.in_view(front):
        upper, top = head_outline(p, head)
        ht = f"P.{top}.X"                              # x of the top of the head on the axis
        upper += drives.front(p, drive, ht)
        shank_upper, _, _ = drawing.shank(p, "1", runout=False)
        a2 = p.pt("A2", "O.L+S.cl", "0")
        p.line(p.pt("A1", f"{ht}-S.cl", "0"), a2, layer="CENTER", name="轴线 (axis)")
        p.mirror(upper + shank_upper, "O", a2, name="下半部 (lower half, mirrored)")
        if csk:
            p.line("K1", p.pt("K1L", "0", "-S.rk"), name="头部顶面 (top face)")
            start = "K1L"
        else:
            start = p.pt("KB", "0", "-S.rk")
            if head in ("cheese", "pan"):
                p.line("K2" if head == "cheese" else "K3",
                       p.pt("K2L", "-O.k", "-S.rk" if head == "cheese" else "-S.rk+O.rf"),
                       name="头部顶面 (top face)")
        # Head height: the countersunk part of a countersunk head, the whole head otherwise.
        p.dim_linear("K1" if csk else "KT", "B1" if csk else "K1",
                     p.pt("DT", "0", "S.rk+S.dof"), text="O.k", name="头高 k (head height)")
        p.dim_linear("K1", p.pt("K1D", "P.K1.X", "-S.rk"), p.pt("DK", f"{ht}-S.dof", "0"),
                     vertical=True, text='"Ø" & O.dk', name="头部直径 dk (head diameter)")
        drawing.shank_dims(p, start, "-S.rk-S.dof", p.pt("DB", "0", "S.rk+2*S.dof"), "O.L-O.b>S.hx1+O.a",
                           "O.b")
        p.text(p.pt("TX", ht, "-S.rk-2*S.dof-S.th"), 'T.标记 & ""', name="标记 (designation)")

    p.pt("E", "O.L+S.gv+S.rk", "0")
    side = p.view("左视图 (Left view)", "E")
    with p.in_view(side):
        members = [p.circle("E", "rk", name="头部 (head)")]
        members += drives.end(p, drive, "E", "rk")
        p.group(members, name="头部端视 (head seen from the end)")
        drawing.centre_cross(p, "E", "S.rk", "")


def build(lib):
    for key, gbno, edition, twin, name, english, table, lstd, head, drive in PARTS:
        rows = table_rows(table, lstd, head, drive)
        p = lib.part("screws", key, gb.part_name(name, gbno, twin.split(":")[0], english))
        head_screw(p, rows, gbno, edition, twin, name, head, drive)
