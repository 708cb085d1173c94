"""Angular contact ball bearings GB/T 292: the 70 series (contact angle 15°, C) and the 72
and 73 series (15°, C, and 40°, B), 7000C to 7010C, 7200C/B to 7210C/B, 7300C/B to 7305C/B.

GB/T 292 takes the boundary dimensions of ISO 15: the 70, 72 and 73 series are the dimension
series 10, 02 and 03, the same as the deep groove 60, 62 and 63 series. d, D, B and r s min
therefore come from the same tables as GB/T 276: the checked ISO 15 table for 70 and 72, the
DIN 625-1 table for 73 (no confirmed r there, so sharp corners). A maker's page gives 7205
as 25 × 52 × 15, as the 6205 row has it. The low shoulders and the ball size are drawing
proportions (tools/bearing.py).
"""

import bearing
import tables

ANGLES = {"C": 15, "B": 40}


def rows_of(source, series, types):
    out = []
    for code, d, D, B, r in source:
        number = "7" + series[1] + code[2:]
        for t in types:
            out.append((number + t, d, D, B, r, ANGLES[t]))
    return out


def build(lib):
    n = tables.num
    checked = tables.checked("iso15_deep_groove_ball_bearing", key="designation")
    by_series = {s: [(code, n(r["d"]), n(r["D"]), n(r["B"]), n(r["r_s_min"]))
                     for code, r in checked.items() if r["series"] == s] for s in ("60", "62")}
    din = tables.standard("din625-1_deep_groove_ball_bearing")
    by_series["63"] = [(code, n(r["d1"]), n(r["d2"]), n(r["B"]), None)
                       for code, r in din.items() if r["series"] == "63" and len(code) == 4]
    for series, deep, types, english in (("70", "60", "C", "70 series, 15°"),
                                         ("72", "62", "CB", "72 series, 15° and 40°"),
                                         ("73", "63", "CB", "73 series, 15° and 40°")):
        bearing.bearing_part(
            lib, f"gb292-{series}",
            f"角接触球轴承 {series} 系列 GB/T 292 (ISO 15) (Angular contact ball bearing, "
            f"{english})", series, rows_of(by_series[deep], series, types),
            kind="角接触球轴承", standard="GB/T 292-2007", contact=True)
