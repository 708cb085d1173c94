"""Deep groove ball bearings, diameter series 2 (62 series), 6200 to 6210.

Boundary dimensions follow GB/T 276-2013 and ISO 15:2017 (unchanged since the 1998 edition): bore d, outside
diameter D, width B and the smallest chamfer r (r s min). The reference table has no confirmed
r for 6205, so that row leaves r blank and the rings are drawn with sharp corners.
"""

import bearing

#        code     d    D    B   r s min
ROWS = [
    ("6200", 10, 30, 9, 0.6),
    ("6201", 12, 32, 10, 0.6),
    ("6202", 15, 35, 11, 0.6),
    ("6203", 17, 40, 12, 0.6),
    ("6204", 20, 47, 14, 1),
    ("6205", 25, 52, 15, None),
    ("6206", 30, 62, 16, 1),
    ("6207", 35, 72, 17, 1.1),
    ("6208", 40, 80, 18, 1.1),
    ("6209", 45, 85, 19, 1.1),
    ("6210", 50, 90, 20, 1.1),
]


def build(lib):
    bearing.bearing_part(lib, "gb276-62", "深沟球轴承 62 系列 GB/T 276 (ISO 15) (Deep groove ball bearing, 62 series)",
                         "62", ROWS)
