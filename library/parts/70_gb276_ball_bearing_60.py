"""Deep groove ball bearings, diameter series 0 (60 series), 6000 to 6010.

Boundary dimensions follow GB/T 276-2013 and ISO 15:2017 (unchanged since the 1998 edition): bore d, outside
diameter D, width B and the smallest chamfer r (r s min).
"""

import bearing

#        code     d    D    B   r s min
ROWS = [
    ("6000", 10, 26, 8, 0.3),
    ("6001", 12, 28, 8, 0.3),
    ("6002", 15, 32, 9, 0.3),
    ("6003", 17, 35, 10, 0.3),
    ("6004", 20, 42, 12, 0.6),
    ("6005", 25, 47, 12, 0.6),
    ("6006", 30, 55, 13, 1),
    ("6007", 35, 62, 14, 1),
    ("6008", 40, 68, 15, 1),
    ("6009", 45, 75, 16, 1),
    ("6010", 50, 80, 16, 1),
]


def build(lib):
    bearing.bearing_part(lib, "gb276-60", "深沟球轴承 60 系列 GB/T 276 (ISO 15) (Deep groove ball bearing, 60 series)",
                         "60", ROWS)
