"""Hexagon head bolts and screws: GB/T 5782 (ISO 4014), 5783 (ISO 4017), 5780 (ISO 4016),
5781 (ISO 4018), 5785 (ISO 8765), 5786 (ISO 8676). One drawing (drawing.hex_head_part); the
standards differ in their tables only.

Values: the checked tables (tests/data/fasteners) for the sizes they hold, the standards'
tables (data/standards) for the rest; e is the minimum width across corners (grade A to M24,
grade B above, taken from the ISO 8765 table's e_min_B for the same head where the ISO 4014
table only holds a modelling value). Preferred sizes only (no bracketed M14, M18, M22 ...).
Lengths: the standard's nominal lengths within its range for the size (see tables.lengths).
"""

import drawing
import gb
import tables
from qzlib import NUMBER, TEXTPARA

COARSE = ["M4", "M5", "M6", "M8", "M10", "M12", "M16", "M20", "M24", "M30", "M36"]
FINE = ["M8x1", "M10x1", "M12x1.5", "M16x1.5", "M20x1.5", "M24x2", "M30x2", "M36x3"]


def _e_min_b():
    """e min of product grade B by nominal diameter, from the fine-thread bolt table (the
    head of ISO 8765 is that of ISO 4014)."""
    out = {}
    for size, r in tables.standard("iso8765_hexagon_head_bolt_fine_thread").items():
        out.setdefault(tables.thread_d(size), tables.num(r["e_min_B"]))
    return out


def _b(r, *cols):
    """Thread lengths b by band; a band the standard does not use for a size (0 or blank)
    takes the next band's value, which is what a length in it gets."""
    vals = [tables.num(r[c]) or None for c in cols]
    for i in range(len(vals) - 2, -1, -1):
        vals[i] = vals[i] or vals[i + 1]
    return vals


def grade_a_rows():
    """ISO 4014 / 4017 heads: (thread, d, P, b1, b2, b3, k, s, e) by size."""
    std = tables.standard("iso4014_hexagon_head_bolt")
    ref = tables.checked("iso4014_hex_bolt")
    e_b = _e_min_b()
    rows = {}
    for size in tables.sizes(std, COARSE):
        if size in ref:
            c = ref[size]
            rows[size] = (size, tables.num(c["d_mm"]), tables.num(c["P"]),
                          tables.num(c["b_ref_l_le_125"]), tables.num(c["b_ref_l_125_to_200"]),
                          tables.num(c["b_ref_l_gt_200"]), tables.num(c["k_nom"]),
                          tables.num(c["s_max"]), tables.num(c["e_min_A"]))
        else:
            r = std[size]
            d = tables.thread_d(size)
            rows[size] = (size, d, tables.num(r["P"]), *_b(r, "b1", "b2", "b3"),
                          tables.num(r["k"]), tables.num(r["s"]), e_b[d])
    return rows


def fine_rows(table):
    std = tables.standard(table)
    rows = {}
    for size in tables.sizes(std, FINE):
        r = std[size]
        e = tables.num(r.get("e_min_A")) or tables.num(r.get("e_min_B"))
        rows[size] = (tables.mark_size(size), tables.thread_d(size), tables.num(r["P"]),
                      *_b(r, "b_1", "b_2", "b_3"), tables.num(r["k_nom"]),
                      tables.num(r["s_nom_max"]), e)
    return rows, std


def grade_c_rows(table, bolt):
    std = tables.standard(table)
    rows = {}
    for size in tables.sizes(std, COARSE):
        r = std[size]
        b = _b(r, "b_1", "b_2", "b_3") if bolt else (None, None, None)
        rows[size] = (size, tables.thread_d(size), tables.num(r["P"]), *b,
                      tables.num(r["k_nom"]), tables.num(r["s_nom_max"]), tables.num(r["e_min"]))
    return rows, std


# key, GB/T, edition, twin, Chinese name, English name, bolt (partly threaded), lengths of,
# material and property class
PARTS = [
    ("gb5782", "GB/T 5782", "GB/T 5782-2016", "ISO 4014:2011", "六角头螺栓", "Hexagon head bolt",
     True, "ISO 4014", "8.8"),
    ("gb5783", "GB/T 5783", "GB/T 5783-2016", "ISO 4017:2014", "六角头螺栓 全螺纹",
     "Hexagon head screw", False, "ISO 4017", "8.8"),
    ("gb5780", "GB/T 5780", "GB/T 5780-2016", "ISO 4016:2011", "六角头螺栓 C级",
     "Hexagon head bolt, grade C", True, "ISO 4016", "4.6"),
    ("gb5781", "GB/T 5781", "GB/T 5781-2016", "ISO 4018:2011", "六角头螺栓 全螺纹 C级",
     "Hexagon head screw, grade C", False, "ISO 4018", "4.6"),
    ("gb5785", "GB/T 5785", "GB/T 5785-2016", "ISO 8765:2011", "六角头螺栓 细牙",
     "Hexagon head bolt, fine thread", True, "ISO 8765", "8.8"),
    ("gb5786", "GB/T 5786", "GB/T 5786-2016", "ISO 8676:2011", "六角头螺栓 细牙 全螺纹",
     "Hexagon head screw, fine thread", False, "ISO 8676", "8.8"),
]


def _table(key):
    if key in ("gb5782", "gb5783"):
        name = "iso4014_hexagon_head_bolt" if key == "gb5782" else "iso4017_hexagon_head_screw"
        return grade_a_rows(), tables.standard(name)
    if key == "gb5780":
        return grade_c_rows("iso4016_hexagon_head_bolt_grade_c", True)
    if key == "gb5781":
        return grade_c_rows("iso4018_hexagon_head_screw_grade_c", False)
    if key == "gb5785":
        return fine_rows("iso8765_hexagon_head_bolt_fine_thread")
    return fine_rows("iso8765_hexagon_head_bolt_fine_thread")


def build(lib):
    for key, gbno, edition, twin, name, english, bolt, lstd, grade in PARTS:
        rows, std = _table(key)
        if key == "gb5786":
            std = tables.standard("iso8676_hexagon_head_screw_fine_thread")
        p = lib.part("bolts", key, gb.part_name(name, gbno, twin.split(":")[0], english))
        params = [("Thread", TEXTPARA, True), ("L", NUMBER, True), ("d", NUMBER, True),
                  ("P", NUMBER, True)]
        if bolt:
            params += [("b1", NUMBER, False), ("b2", NUMBER, False), ("b3", NUMBER, False)]
        params += [("k", NUMBER, True), ("s", NUMBER, True), ("e", NUMBER, True)]
        p.parameters(*params)
        values = []
        for size, row in rows.items():
            lo, hi = tables.num(std[size]["Min_L"]), tables.num(std[size]["Max_L"])
            head = row[:3] if bolt else row[:3]
            rest = row[3:] if bolt else row[6:]
            for length in tables.lengths(lstd, lo, hi):
                values.append((head[0], length, *head[1:], *rest))
        p.value_rows(values)
        size_text = 'O.Thread & "×" & O.L'
        gb.properties(p, name, edition, twin, size_text, gb.mark("螺栓", gbno, size_text), "钢", grade,
                      None)
        drawing.hex_head_part(p, lambda v, p=p: drawing.mass_property(p, v), bolt=bolt)
        if bolt:
            # A typed length shorter than the thread (threaded to the head), and lengths in
            # the bands above 125 and 200 mm.
            for length in (12, 150, 260):
                p.edited(len(values) // 2, L=length)
