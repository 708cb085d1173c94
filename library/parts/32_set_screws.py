"""Set screws: hexagon socket GB/T 77 (ISO 4026, flat point), 78 (ISO 4027, cone point), 79
(ISO 4028, dog point), 80 (ISO 4029, cup point); slotted GB/T 73 (ISO 4766, flat point) and 71
(ISO 7434, cone point). One drawing: the front view with the point the standard names and the
drive hidden (socket) or cut (slot), and the view of the drive end.

Columns: P coarse pitch (ISO 261; the slotted tables give none, it is taken from the ISO 4026
table of the same size), t drive depth (min), s socket size or n slot width (nominal), dp flat,
dog or cup point diameter (max), dt cone point diameter (max), z dog point length (long
screws, max), df the diameter of the chamfered top end (about the minor diameter). Lengths: the
standard's nominal lengths within each size's range.
"""

import drawing
import drives
import gb
import tables
from qzlib import NUMBER, TEXTPARA

HEX = ["M3", "M4", "M5", "M6", "M8", "M10", "M12", "M16", "M20", "M24"]
SLOT = ["M3", "M4", "M5", "M6", "M8", "M10", "M12"]
n = tables.num

# key, GB/T, edition, twin, name, English, table, lengths of, drive, point
PARTS = [
    ("gb77", "GB/T 77", "GB/T 77-2007", "ISO 4026:2003", "内六角平端紧定螺钉",
     "Hexagon socket set screw, flat point", "iso4026_hexagon_socket_set_screw_flat_point",
     "ISO 4026", "socket", "flat"),
    ("gb78", "GB/T 78", "GB/T 78-2007", "ISO 4027:2003", "内六角锥端紧定螺钉",
     "Hexagon socket set screw, cone point", "iso4027_hexagon_socket_set_screw_cone_point",
     "ISO 4027", "socket", "cone"),
    ("gb79", "GB/T 79", "GB/T 79-2007", "ISO 4028:2003", "内六角圆柱端紧定螺钉",
     "Hexagon socket set screw, dog point", "iso4028_hexagon_socket_set_screw_dog_point",
     "ISO 4028", "socket", "dog"),
    ("gb80", "GB/T 80", "GB/T 80-2007", "ISO 4029:2003", "内六角凹端紧定螺钉",
     "Hexagon socket set screw, cup point", "iso4029_hexagon_socket_set_screw_cup_point",
     "ISO 4029", "socket", "cup"),
    ("gb73", "GB/T 73", "GB/T 73-2017", "ISO 4766:2011", "开槽平端紧定螺钉",
     "Slotted set screw, flat point", "iso4766_slotted_set_screw_flat_point", "ISO 4766",
     "slot", "flat"),
    ("gb71", "GB/T 71", "GB/T 71-2018", "ISO 7434:1983", "开槽锥端紧定螺钉",
     "Slotted set screw, cone point", "iso7434_slotted_set_screw_cone_point", "ISO 7434",
     "slot", "cone"),
]


def table_rows(table, lstd, drive):
    """(Thread, L, d, P, s, t, dp, z, df) rows: s is the slot width n for a slotted screw, dp
    the cone point's dt for a cone point."""
    std = tables.standard(table)
    flat = tables.standard("iso4026_hexagon_socket_set_screw_flat_point")
    rows = []
    for size in tables.sizes(std, HEX if drive == "socket" else SLOT):
        r = std[size]
        d = tables.thread_d(size)
        pitch = n(r.get("P") or flat[size]["P"])
        df = n(r.get("df") or flat[size]["df"])
        if drive == "slot":
            s, t = n(r["n_nom"]), n(r["t_nom_min"])
        elif "s_nom" in r:  # ISO 4028 names its columns otherwise
            s, t = n(r["s_nom"]), n(r["te_min"])
        else:
            s, t = n(r["s"]), n(r["t"])
        dp = n(r.get("dp") or r.get("dt") or r.get("d_p_max") or r.get("dp_max")
               or r.get("dt_max"))
        z = n(r.get("z_long_max")) or 0
        for length in tables.lengths(lstd, n(r["Min_L"]), n(r["Max_L"])):
            rows.append((size, length, d, pitch, s, t, dp or 0, z, df))
    return rows


def point_outline(p, point):
    """Upper half of the point end: from the major diameter to the axis side. Returns the
    entities and the x where the thread's major diameter ends."""
    if point == "dog":
        p.struct("xe", "O.L-O.z-(S.r-S.rp)")
        a = p.pt("PT1", "S.xe", "S.r")
        b = p.pt("PT2", "O.L-O.z", "S.rp")
        c = p.pt("PT3", "O.L", "S.rp")
        return [p.line(a, b, name="圆柱端倒角 (dog point chamfer, upper)"),
                p.line(b, c, name="圆柱端 (dog point, upper)")]
    p.struct("xe", "O.L-(S.r-S.rp)")
    a = p.pt("PT1", "S.xe", "S.r")
    b = p.pt("PT2", "O.L", "S.rp")
    name = "锥端 (cone point, upper)" if point == "cone" else "端部倒角 (end chamfer, upper)"
    return [p.line(a, b, name=name)]


def set_screw(p, rows, gbno, edition, twin, name, drive, point):
    p.parameters(("Thread", TEXTPARA, True), ("L", NUMBER, True), ("d", NUMBER, True),
                 ("P", NUMBER, True), ("s", NUMBER, True), ("t", NUMBER, True),
                 ("dp", NUMBER, True), ("z", NUMBER, point == "dog"), ("df", NUMBER, True))
    p.value_rows(rows)
    size_text = 'O.Thread & "×" & O.L'
    gb.properties(p, name, edition, twin, size_text, gb.mark("螺钉", gbno, size_text), "钢", "45H", None)
    drawing.common(p)
    p.struct("r", "O.d/2")
    p.struct("r3", "(O.d-1.22687*O.P)/2")
    p.struct("rf", "Min(O.df, O.d-1.22687*O.P)/2")
    p.struct("cf", "S.r-S.rf")                     # 45° chamfer at the drive end
    p.struct("rp", "O.dp/2")
    drives.drive_sizes(p)
    drawing.mass_property(p, "Pi/4*O.d^2*O.L")

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 (Front view)", "O")
    with p.in_view(front):
        top = p.pt("F1", "0", "S.rf")
        upper = [p.line(top, p.pt("F2", "S.cf", "S.r"), name="顶端倒角 (top chamfer, upper)")]
        upper += point_outline(p, point)
        upper.append(p.line("F2", "PT1", name="螺纹大径 (thread crest, upper)"))
        upper.append(p.line(p.pt("F3", "S.cf", "S.r3"), p.pt("F4", "S.xe", "S.r3"),
                            layer="THIN", name="螺纹小径 (thread root, upper)"))
        p.line(top, p.pt("F1L", "0", "-S.rf"), name="顶面 (top face)")
        end_pt = "PT3" if point == "dog" else "PT2"
        p.pt("PTL", f"P.{end_pt}.X", f"-P.{end_pt}.Y")
        if point != "cone":
            p.line(end_pt, "PTL", name="端面 (end face)")
        if point == "dog":
            p.line("PT2", p.pt("PT2L", "P.PT2.X", "-P.PT2.Y"), name="圆柱端肩 (dog point shoulder)")
        if point == "cup":
            # The cup: a shallow spherical recess in the end face, a quarter of dp deep.
            p.struct("ch", "O.dp/4")
            p.struct("cR", "(S.rp^2+S.ch^2)/(2*S.ch)")
            p.struct("ca", "ATan2D(S.rp, S.cR-S.ch)")
            p.struct("cas", "180-S.ca")
            p.struct("cae", "180+S.ca")
            p.arc(p.pt("CC", "O.L-S.ch+S.cR", "0"), "cR", "cas", "cae", layer="HIDDEN",
                  name="凹端 (cup, hidden)")
        upper += drives.front(p, drive, "0")
        a2 = p.pt("A2", "O.L+S.cl", "0")
        p.line(p.pt("A1", "-S.cl", "0"), a2, layer="CENTER", name="轴线 (axis)")
        p.mirror(upper, "O", a2, name="下半部 (lower half, mirrored)")
        p.pt("F2L", "S.cf", "-S.r")
        p.dim_linear("F1L", "PTL", p.pt("DL", "0", "-S.r-S.dof"), text="O.L",
                     name="公称长度 l (nominal length)")
        p.dim_linear("F2", "F2L", p.pt("DM", "-S.dof", "0"), vertical=True,
                     text='O.Thread & ""', name="螺纹规格 (thread size)")
        if point != "cone":
            p.dim_linear(end_pt, "PTL", p.pt("DP", "O.L+S.dof", "0"), vertical=True,
                         text='"Ø" & O.dp', name="端部直径 dp (point diameter)")
        if point == "dog":
            p.dim_linear("PT2", "PT3", p.pt("DZ", "0", "S.r+S.dof"), text="O.z",
                         name="圆柱端长度 z (dog point length)")
        p.text(p.pt("TX", "0", "-S.r-2*S.dof-S.th"), 'T.标记 & ""', name="标记 (designation)")

    p.pt("E", "O.L+S.gv+S.r", "0")
    side = p.view("左视图 (Left view)", "E")
    with p.in_view(side):
        crest, root = drawing.thread_end(p, "E", "r", "r3", "")
        members = [crest, root]
        members += drives.end(p, drive, "E", "r")
        p.group(members, name="端视轮廓 (end view outline)")
        drawing.centre_cross(p, "E", "S.r", "")


def build(lib):
    for key, gbno, edition, twin, name, english, table, lstd, drive, point in PARTS:
        rows = table_rows(table, lstd, drive)
        p = lib.part("screws", key, gb.part_name(name, gbno, twin.split(":")[0], english))
        set_screw(p, rows, gbno, edition, twin, name, drive, point)
