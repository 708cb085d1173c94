"""Compares the standards' tables the library uses with a second source, cell by cell, and
prints every disagreement: the checked tables (tests/data/fasteners) for the sizes they share,
and, within the standards' tables, the heads that two standards share (a fine-thread bolt has
the head of its coarse twin). library/README.md lists the result and what the library chose.

    /usr/bin/python3 -B library/tools/crosscheck.py
"""

import tables

n = tables.num

# table, checked table, key column of the checked table, (column, checked column) pairs
AGAINST_CHECKED = [
    ("iso4014_hexagon_head_bolt", "iso4014_hex_bolt", "size",
     [("P", "P"), ("b1", "b_ref_l_le_125"), ("b2", "b_ref_l_125_to_200"),
      ("b3", "b_ref_l_gt_200"), ("k", "k_nom"), ("s", "s_max"), ("e", "e_min_A")]),
    ("iso4017_hexagon_head_screw", "iso4017_hex_screw", "size",
     [("P", "P"), ("k", "k_nom"), ("s", "s_max"), ("e", "e_min_A")]),
    ("iso4762_hexagon_socket_head_cap_screw", "iso4762_socket_head_cap_screw", "size",
     [("P", "P"), ("b", "b_ref"), ("dk_max", "dk_max_plain"), ("k", "k_max"), ("e", "e_min"),
      ("t", "t_min"), ("s_mean", "s_nom")]),
    ("iso4032_hexagon_nut_style_1", "iso4032_hex_nut", "size",
     [("P", "P"), ("s_nom", "s_max"), ("e", "e_min"), ("m", "m_max"), ("dw", "dw_min"),
      ("damax", "da_max")]),
    ("iso7089_plain_washer_normal_series", "iso7089_plain_washer", "for_thread",
     [("d1_min", "d1_min"), ("d2_max", "d2_max"), ("h", "h_nom")]),
    ("iso2338_parallel_pin", "iso2338_parallel_pin", "d_nom", [("c", "c_approx")]),
    ("din625-1_deep_groove_ball_bearing", "iso15_deep_groove_ball_bearing", "designation",
     [("d1", "d"), ("d2", "D"), ("B", "B")]),
    # A nylon insert nut's body is a style 1 (or thin) nut's: same s, e, dw, da and m min.
    ("iso7040_prevailing_torque_hexagon_nut_nonmetallic_insert", "iso4032_hex_nut", "size",
     [("P", "P"), ("s_max", "s_max"), ("s_min", "s_min"), ("e_min", "e_min"),
      ("m_min", "m_min"), ("d_w_min", "dw_min"),
      ("d_a_max", "da_max"), ("d_a_min", "da_min")]),
    ("iso10511_prevailing_torque_hexagon_thin_nut_nonmetallic_insert", "iso4032_hex_nut",
     "size", [("P", "P"), ("s_max", "s_max"), ("e_min", "e_min"), ("d_w_min", "dw_min"),
              ("d_a_max", "da_max")]),
    ("iso4161_hexagon_nut_with_flange", "iso4032_hex_nut", "size",
     [("P", "P"), ("d_a_max", "da_max"), ("d_a_min", "da_min")]),
    ("iso7090_plain_washer_chamfered_normal_series", "iso7089_plain_washer", "for_thread",
     [("d1_min", "d1_min"), ("d2_max", "d2_max"), ("h", "h_nom"), ("h_max", "h_max")]),
]

# Heads two standards share: (table A, column A, table B, column B), compared by diameter.
SHARED_HEADS = [
    ("iso4014_hexagon_head_bolt", "k", "iso8765_hexagon_head_bolt_fine_thread", "k_nom"),
    ("iso4014_hexagon_head_bolt", "s", "iso8765_hexagon_head_bolt_fine_thread", "s_nom_max"),
    ("iso4014_hexagon_head_bolt", "s", "iso4017_hexagon_head_screw", "s"),
    ("iso4016_hexagon_head_bolt_grade_c", "s_nom_max", "iso4018_hexagon_head_screw_grade_c",
     "s_nom_max"),
    ("iso4016_hexagon_head_bolt_grade_c", "k_nom", "iso4018_hexagon_head_screw_grade_c",
     "k_nom"),
    ("iso8765_hexagon_head_bolt_fine_thread", "k_nom", "iso8676_hexagon_head_screw_fine_thread",
     "k"),
    ("iso8765_hexagon_head_bolt_fine_thread", "s_nom_max",
     "iso8676_hexagon_head_screw_fine_thread", "s"),
    ("iso4032_hexagon_nut_style_1", "s_nom", "iso8673_hexagon_nut_style_1_fine_thread", "s_nom"),
    ("iso4032_hexagon_nut_style_1", "m", "iso8673_hexagon_nut_style_1_fine_thread", "m"),
    ("iso4033_hexagon_nut_style_2", "m", "iso8674_hexagon_nut_style_2_fine_thread", "m"),
    ("iso4032_hexagon_nut_style_1", "s_nom", "iso4035_hexagon_thin_nut_chamfered", "s_nom"),
    ("iso7089_plain_washer_normal_series", "d2_max", "iso7091_plain_washer_normal_series_grade_c",
     "d2_max"),
    ("iso4026_hexagon_socket_set_screw_flat_point", "s", "iso4029_hexagon_socket_set_screw_cup_point",
     "s"),
    ("iso4026_hexagon_socket_set_screw_flat_point", "s", "iso4028_hexagon_socket_set_screw_dog_point",
     "s_nom"),
    ("iso2009_slotted_countersunk_flat_head_screw", "dk_theo",
     "iso7046_cross_recessed_countersunk_flat_head_screw", "dk_theo"),
    ("iso1580_slotted_pan_head_screw", "dk_max", "iso7045_cross_recessed_pan_head_screw", "dk_max"),
    ("iso7040_prevailing_torque_hexagon_nut_nonmetallic_insert", "h_max",
     "iso10512_prevailing_torque_hexagon_nut_nonmetallic_insert_fine_thread", "h_max"),
    ("iso7040_prevailing_torque_hexagon_nut_nonmetallic_insert", "m_min",
     "iso10512_prevailing_torque_hexagon_nut_nonmetallic_insert_fine_thread", "m_min"),
    ("iso7040_prevailing_torque_hexagon_nut_nonmetallic_insert", "s_max",
     "iso10512_prevailing_torque_hexagon_nut_nonmetallic_insert_fine_thread", "s_max"),
    ("iso4035_hexagon_thin_nut_chamfered", "m", "iso4036_hexagon_thin_nut_unchamfered", "m"),
    ("iso4035_hexagon_thin_nut_chamfered", "s_nom", "iso4036_hexagon_thin_nut_unchamfered",
     "s_nom"),
    ("iso7089_plain_washer_normal_series", "d1_min", "iso7090_plain_washer_chamfered_normal_series",
     "d1_min"),
    ("iso7089_plain_washer_normal_series", "h", "iso7090_plain_washer_chamfered_normal_series",
     "h"),
]

# Nylon insert nuts: the insert's height h max - m min is the same for the regular and the
# thin nut of one diameter (the design rule the standards state).
INSERT_HEIGHTS = ("iso7040_prevailing_torque_hexagon_nut_nonmetallic_insert",
                  "iso10511_prevailing_torque_hexagon_thin_nut_nonmetallic_insert")


def against_checked():
    for table, ref_name, key, cols in AGAINST_CHECKED:
        std = tables.standard(table)
        ref = tables.checked(ref_name, key)
        for ref_size, r in ref.items():
            size = ref_size
            if key == "d_nom":
                size = next((s for s in std if n(s) == n(ref_size)), None)
            if size not in std:
                yield f"{table}: size {ref_size} is missing (the checked table has it)"
                continue
            for col, ref_col in cols:
                a, b = n(std[size][col]), n(r[ref_col])
                if a != b:
                    yield f"{table} {size} {col} = {a}; {ref_name} {ref_col} = {b}"


def shared_heads():
    for ta, ca, tb, cb in SHARED_HEADS:
        a = {}
        for size, r in tables.standard(ta).items():
            a.setdefault(tables.thread_d(size), (size, n(r[ca])))
        for size, r in tables.standard(tb).items():
            d = tables.thread_d(size)
            if d in a and a[d][1] != n(r[cb]):
                yield f"{ta} {a[d][0]} {ca} = {a[d][1]}; {tb} {size} {cb} = {n(r[cb])}"


def insert_heights():
    regular, thin = (tables.standard(name) for name in INSERT_HEIGHTS)
    for size, r in regular.items():
        if size in thin:
            a = round(n(r["h_max"]) - n(r["m_min"]), 3)
            b = round(n(thin[size]["h_max"]) - n(thin[size]["m_min"]), 3)
            if a != b:
                yield (f"insert height h max - m min {size}: {a} ({INSERT_HEIGHTS[0]}), "
                       f"{b} ({INSERT_HEIGHTS[1]})")


def main():
    for line in against_checked():
        print(line)
    for line in shared_heads():
        print(line)
    for line in insert_heights():
        print(line)


if __name__ == "__main__":
    main()
