"""Prevailing torque hexagon nuts with a non-metallic insert: GB/T 889.1 (ISO 7040), the thin
GB/T 6172.2 (ISO 10511) and the fine-thread GB/T 889.2 (ISO 10512). A full section showing the
polyamide ring held in the crimped collar above the threaded body, and the view of the
bearing face.

Columns: pitch P, width across flats s (max), e min, overall height h (max), height of the
threaded metal body m (min: a style 1 or thin nut's m min), bearing face dw min and
countersink da max. The regular nuts take dw from the checked ISO 4032 table where it has the
diameter (their tables give it to 0.01 off: 11.63 for 11.6), the thin nut keeps its own (it
agrees with GB/T 6172.1's dw, 33.2 at M24 where ISO 4032 has 33.3). The collar's
diameter (dw), its wall, the ring's section and the lip over it are drawing proportions.
"""

import drawing
import gb
import nut
import tables
from qzlib import NUMBER, TEXTPARA

n = tables.num

# key, GB/T, edition, twin, name, English, table, property class, dw from ISO 4032
PARTS = [
    ("gb889.1", "GB/T 889.1", "GB/T 889.1-2015", "ISO 7040:2012", "1型非金属嵌件六角锁紧螺母",
     "Prevailing torque hexagon nut with non-metallic insert, style 1",
     "iso7040_prevailing_torque_hexagon_nut_nonmetallic_insert", "8", True),
    ("gb6172.2", "GB/T 6172.2", "GB/T 6172.2-2016", "ISO 10511:2012", "非金属嵌件六角锁紧薄螺母",
     "Prevailing torque hexagon thin nut with non-metallic insert",
     "iso10511_prevailing_torque_hexagon_thin_nut_nonmetallic_insert", "04", False),
    ("gb889.2", "GB/T 889.2", "GB/T 889.2-2016", "ISO 10512:2012",
     "1型非金属嵌件六角锁紧螺母 细牙",
     "Prevailing torque hexagon nut with non-metallic insert, style 1, fine thread",
     "iso10512_prevailing_torque_hexagon_nut_nonmetallic_insert_fine_thread", "8", True),
]


def table_rows(name, regular):
    """(thread, d, P, s, e, h, m, dw, da) of each preferred size."""
    std = tables.standard(name)
    dw_checked = {n(c["d_mm"]): n(c["dw_min"]) for c in tables.checked("iso4032_hex_nut").values()
                  if regular}
    rows = []
    for size in tables.sizes(std):
        r = std[size]
        d = tables.thread_d(size)
        rows.append((tables.mark_size(size), d, n(r["P"]), n(r["s_max"]), n(r["e_min"]),
                     n(r["h_max"]), n(r["m_min"]), dw_checked.get(d, n(r["d_w_min"])),
                     n(r["d_a_max"])))
    return rows


def build(lib):
    for key, gbno, edition, twin, name, english, table, grade, regular in PARTS:
        p = lib.part("nuts", key, gb.part_name(name, gbno, twin.split(":")[0], english))
        insert_nut(p, table_rows(table, regular), gbno, edition, twin, name, grade)


# The metal body's upper half: countersink, the bearing face chamfered at 30° from the
# bearing face circle, the hexagon up to m with the same chamfer, the collar round the ring
# crimped over it.
BODY = [("0", "S.ra"), ("0", "S.rw"), ("S.hc", "S.re"), ("O.m-S.hc", "S.re"), ("O.m", "S.rc"),
        ("O.h-S.ck", "S.rc"), ("O.h", "S.rc-S.ck"), ("O.h", "S.r"), ("O.h-S.t", "S.r"),
        ("O.h-S.t", "S.rn"), ("O.m", "S.rn"), ("O.m", "S.r1"), ("S.cs", "S.r1")]


def insert(p, sign, tag, where):
    """The ring in the collar, between the body's points 10 to 12 and the lip."""
    top = p.pt(f"{tag}R", "O.h-S.t", "S.r1" if sign > 0 else "-S.r1")
    ring = p.pline([f"{tag}12", f"{tag}11", f"{tag}10", top],
                   name=f"尼龙圈剖面 (insert section, {where} half)")
    # Non-metallic material is cross-hatched (GB/T 4457.5).
    p.hatch([ring], pattern="ANSI37", scale=0.3, name=f"尼龙圈剖面线 (insert hatching, {where})")


def insert_nut(p, rows, gbno, edition, twin, name, grade):
    p.parameters(("Thread", TEXTPARA, True), ("d", NUMBER, True), ("P", NUMBER, True),
                 ("s", NUMBER, True), ("e", NUMBER, True), ("h", NUMBER, True),
                 ("m", NUMBER, True), ("dw", NUMBER, True), ("da", NUMBER, True))
    p.value_rows(rows)
    size_text = 'O.Thread & ""'
    gb.properties(p, name, edition, twin, size_text, gb.mark("螺母", gbno, size_text),
                  "钢, 嵌件 聚酰胺 (polyamide insert)", grade, None)

    drawing.common(p)
    nut.thread_sizes(p)
    p.struct("rw", "O.dw/2")
    p.struct("hc", "(S.re-S.rw)*TanD(30)")    # 30° chamfer from the bearing face circle
    p.struct("rc", "S.rw")                     # the collar: as wide as the bearing face
    p.struct("rn", "S.rc-(S.rc-S.r)/3")        # the ring's outside: a third is the wall
    p.struct("t", "S.rc-S.rn")                 # the lip over the ring: the wall's thickness
    p.struct("ck", "S.t/2")                    # the crimp's chamfer
    drawing.mass_property(p, "Sqr(3)/2*O.s^2*O.m+Pi*S.rc^2*(O.h-O.m)-Pi*S.D1^2/4*O.h")

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 全剖 (Front view, full section)", "O")
    with p.in_view(front):
        nut.section(p, BODY, "O.h",
                    [("U1", "L1", "bearing face"), ("U13", "L13", "countersink"),
                     ("U12", "L12", "thread to insert"), ("U9", "L9", "under the lip"),
                     ("U8", "L8", "top")], ("S.csd", "O.m"),
                    lambda sign, tag, where: insert(p, sign, tag, where))
        p.dim_linear("L2", "L7", p.pt("DH", "0", "-S.re-S.dof"), text='O.h & " max"',
                     name="总高 h (overall height)")
        p.dim_linear("U2", "U5", p.pt("DM", "0", "S.re+S.dof"), text='O.m & " min"',
                     name="螺纹高度 m (height of the threaded body)")
        p.pt("DC", "-S.dof", "0")
        p.dim_angular2(("U13", "U1"), ("L13", "L1"), "DC", name="沉孔角 (countersink angle)")
        p.pt("TX", "0", "-S.re-2*S.dof-S.th")
        p.text("TX", 'T.标记 & ""', name="标记 (designation)")

    nut.end_view(p, "O.h+S.gv+S.re", "左视图 (Left view)", "rw",
                 "支承面圆 (bearing face circle)")
