"""Deep groove ball bearings, diameter series 3 (63 series), 6300 to 6305, and the 160 series
(16002 to 16007).

Boundary dimensions d, D, B from the DIN 625-1 table (data/standards), the only source here for
these series; the table's "fillet radius" is not the chamfer r s min of ISO 15, so r is left
blank and the rings are drawn with sharp corners.
"""

import bearing
import tables


def build(lib):
    std = tables.standard("din625-1_deep_groove_ball_bearing")
    n = tables.num
    rows = [(size, n(r["d1"]), n(r["d2"]), n(r["B"]), None)
            for size, r in std.items() if r["series"] == "63" and size.startswith("63")]
    bearing.bearing_part(lib, "gb276-63", "深沟球轴承 63 系列 GB/T 276 (ISO 15) (Deep groove ball "
                         "bearing, 63 series)", "63", rows)
    rows = [(size, n(r["d1"]), n(r["d2"]), n(r["B"]), None)
            for size, r in std.items() if r["series"] == "160" and size.startswith("160")]
    bearing.bearing_part(lib, "gb276-160", "深沟球轴承 160 系列 GB/T 276 (ISO 15) (Deep groove "
                         "ball bearing, 160 series)", "160", rows)
