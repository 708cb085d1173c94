"""Hexagon head bolt ISO 4014, product grade A, M5 to M24 (partly threaded).

Dimensions follow ISO 4014:2011 (the same values as the 1999 edition): thread pitch P (coarse,
ISO 261), thread length b for l <= 125, 125 < l <= 200 and l > 200, head height k (nominal),
width across flats s (= s max) and the minimum width across corners e of product grade A.
The lengths are common preferred lengths of each size; any other length may be typed in.
"""

import drawing
from qzlib import NUMBER, TEXTPARA

#        thread   d    P    b<=125 b<=200 b>200   k     s     e min
SIZES = [
    ("M5", 5, 0.8, 16, 22, 35, 3.5, 8, 8.79),
    ("M6", 6, 1, 18, 24, 37, 4, 10, 11.05),
    ("M8", 8, 1.25, 22, 28, 41, 5.3, 13, 14.38),
    ("M10", 10, 1.5, 26, 32, 45, 6.4, 16, 17.77),
    ("M12", 12, 1.75, 30, 36, 49, 7.5, 18, 20.03),
    ("M16", 16, 2, 38, 44, 57, 10, 24, 26.75),
    ("M20", 20, 2.5, 46, 52, 65, 12.5, 30, 33.53),
    ("M24", 24, 3, 54, 60, 73, 15, 36, 39.98),
]
LENGTHS = {
    "M5": (25, 30, 40, 50), "M6": (30, 40, 50, 60), "M8": (40, 50, 60, 80),
    "M10": (50, 60, 80, 100), "M12": (60, 80, 100, 120), "M16": (80, 100, 120, 160),
    "M20": (100, 120, 160, 200), "M24": (120, 160, 200, 240),
}


def build(lib):
    p = lib.part("bolts", "iso4014", "六角头螺栓 ISO 4014 (Hexagon head bolt)")
    p.parameters(("Thread", TEXTPARA, True), ("L", NUMBER, True), ("d", NUMBER, True),
              ("P", NUMBER, True), ("b1", NUMBER, False), ("b2", NUMBER, False),
              ("b3", NUMBER, False), ("k", NUMBER, True), ("s", NUMBER, True),
              ("e", NUMBER, True))
    p.value_rows([(t, l, d, pitch, b1, b2, b3, k, s, e)
                  for t, d, pitch, b1, b2, b3, k, s, e in SIZES for l in LENGTHS[t]])
    p.prop("Name", "六角头螺栓")
    p.prop("Standard", "ISO 4014:2011")
    p.prop("Material", "钢 Steel, property class 8.8")
    drawing.hex_head_part(
        p, '"Hexagon head bolt ISO 4014 - " & O.Thread & " x " & O.L & " - 8.8"', bolt=True)
    # Lengths a user may type: shorter than the thread (threaded to the head), and in the
    # thread length ranges above 125 and 200 mm.
    for length in (25, 150, 260):
        p.edited(18, L=length)
