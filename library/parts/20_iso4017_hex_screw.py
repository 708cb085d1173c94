"""Hexagon head screw ISO 4017, product grade A, M5 to M24 (threaded to the head).

Dimensions follow ISO 4017:2011 (the head is that of ISO 4014): thread pitch P (coarse),
head height k (nominal), width across flats s (= s max) and the minimum width across corners e
of product grade A. The lengths are common preferred lengths of each size; any other length may
be typed in.
"""

import drawing
from qzlib import NUMBER, TEXTPARA

#        thread   d    P      k     s     e min
SIZES = [
    ("M5", 5, 0.8, 3.5, 8, 8.79),
    ("M6", 6, 1, 4, 10, 11.05),
    ("M8", 8, 1.25, 5.3, 13, 14.38),
    ("M10", 10, 1.5, 6.4, 16, 17.77),
    ("M12", 12, 1.75, 7.5, 18, 20.03),
    ("M16", 16, 2, 10, 24, 26.75),
    ("M20", 20, 2.5, 12.5, 30, 33.53),
    ("M24", 24, 3, 15, 36, 39.98),
]
LENGTHS = {
    "M5": (10, 16, 20, 30), "M6": (12, 16, 25, 40), "M8": (16, 20, 30, 50),
    "M10": (20, 25, 40, 60), "M12": (25, 30, 50, 80), "M16": (30, 40, 60, 100),
    "M20": (40, 50, 80, 120), "M24": (50, 60, 100, 150),
}


def build(lib):
    p = lib.part("screws", "iso4017", "六角头螺钉 ISO 4017 (Hexagon head screw)")
    p.parameters(("Thread", TEXTPARA, True), ("L", NUMBER, True), ("d", NUMBER, True),
              ("P", NUMBER, True), ("k", NUMBER, True), ("s", NUMBER, True),
              ("e", NUMBER, True))
    p.value_rows([(t, l, d, pitch, k, s, e)
                  for t, d, pitch, k, s, e in SIZES for l in LENGTHS[t]])
    p.prop("Name", "六角头螺钉")
    p.prop("Standard", "ISO 4017:2011")
    p.prop("Material", "钢 Steel, property class 8.8")
    drawing.hex_head_part(
        p, '"Hexagon head screw ISO 4017 - " & O.Thread & " x " & O.L & " - 8.8"', bolt=False)
    p.edited(1, L=6)
    p.edited(32, L=300)
