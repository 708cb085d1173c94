"""A quick wireframe of a part for its author, without the engine: PNG, all views in place.

    /usr/bin/python3 library/tools/preview.py --part gb5782 --row 5 --out /tmp/bolt.png

Texts are drawn as boxes of their size (the texts themselves are printed), dimensions as their
extension lines, dimension line and arrow ticks, hatches as 45° lines. Transforms are applied as
a host would: mirror, move and rotate copy their members, arrays repeat them.
"""

import argparse
import math
import pathlib
import struct
import sys
import zlib

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent))

import check  # noqa: E402
import qzlib  # noqa: E402

COLOURS = {"OUTLINE": (0, 0, 0), "THIN": (0, 90, 200), "CENTER": (200, 0, 0),
           "HIDDEN": (150, 0, 150), "HATCH": (120, 120, 120), "DIM": (0, 140, 0),
           "TEXT": (200, 120, 0)}


def arc_points(cx, cy, r, a0, a1, ratio=1.0, axis=0.0):
    sweep = (a1 - a0) % 360 or 360
    n = max(8, int(sweep / 4))
    pts = []
    for i in range(n + 1):
        t = math.radians(a0 + sweep * i / n)
        x, y = r * math.cos(t), r * ratio * math.sin(t)
        ca, sa = math.cos(axis), math.sin(axis)
        pts.append((cx + x * ca - y * sa, cy + x * sa + y * ca))
    return pts


class Scene:
    """Polylines per entity, with the layer they are drawn on."""

    def __init__(self, part, values):
        self.part, self.v = part, values
        self.items = {}      # eid -> list of (layer, [points], width)
        self.texts = []      # (x, y, height, text)
        self.hatches = []    # (loops, angle)

    def add(self, eid, layer, pts, width=1):
        self.items.setdefault(eid, []).append((layer, pts, width))

    def text_box(self, eid, x, y, h, text):
        w = max(1, len(text)) * h * 0.7
        self.add(eid, "TEXT", [(x, y), (x + w, y), (x + w, y + h), (x, y + h), (x, y)])
        self.texts.append(text)

    def build(self):
        v = self.v
        for e in self.part.entities:
            if not v.passes(e):
                continue
            g, layer = e.geometry, e.layer
            width = 2 if layer == "OUTLINE" else 1
            if e.etype == qzlib.LINE:
                self.add(e.eid, layer, [v.point(n) for n in g["points"]], width)
            elif e.etype == qzlib.PLINE2D:
                pts = [v.point(n) for n in g["points"]]
                if g["closed"]:
                    pts.append(pts[0])
                self.add(e.eid, layer, pts, width)
            elif e.etype == qzlib.CIRCLE:
                cx, cy = v.point(g["center"])
                self.add(e.eid, layer, arc_points(cx, cy, v.s_value(g["radius"]), 0, 360), width)
            elif e.etype == qzlib.ARC:
                cx, cy = v.point(g["center"])
                self.add(e.eid, layer, arc_points(cx, cy, v.s_value(g["radius"]),
                                                  v.s_value(g["start"]), v.s_value(g["end"])),
                         width)
            elif e.etype == qzlib.ELLIPSE:
                cx, cy = v.point(g["center"])
                ax, ay = v.point(g["axis"])
                rmaj, rmin = v.s_value(g["rmajor"]), v.s_value(g["rminor"])
                a0 = v.s_value(g["start"]) if g["start"] else 0
                a1 = v.s_value(g["end"]) if g["end"] else 360
                self.add(e.eid, layer, arc_points(cx, cy, rmaj, a0, a1, rmin / rmaj,
                                                  math.atan2(ay, ax)), width)
            elif e.etype in (qzlib.TEXT, qzlib.MTEXT):
                x, y = v.point(g["insert"])
                text = v.evaluate(g["text"])
                self.text_box(e.eid, x, y, v.s_value(g["height"]), text)
            elif e.etype in qzlib.DIMENSIONS:
                self.dimension(e)
            elif e.etype == qzlib.LEADER:
                self.add(e.eid, "DIM", [v.point(n) for n in g["points"]])
            elif e.etype == qzlib.HATCH:
                self.hatches.append((g["outer"], g.get("angle", 0.0)))
            elif e.etype == qzlib.BLOCKREF:
                x, y = v.point(g["insert"])
                s = v.s_value(g["scale"])
                self.add(e.eid, "TEXT", [(x, y), (x + 70 * s, y), (x + 70 * s, y + 21 * s),
                                         (x, y + 21 * s), (x, y)])
        for e in self.part.entities:
            if v.passes(e) and e.etype in (qzlib.MOVE, qzlib.MIRROR, qzlib.ROTATE, qzlib.POLAR,
                                           qzlib.RECTARRAY):
                self.transform(e)

    def dimension(self, e):
        v, g = self.v, e.geometry
        text = v.evaluate(g["text"]) if g["text"] else "<>"
        if g["tol"]:
            text += g["tol"]
        h = v.s_value("th")
        kind = g["kind"]
        if kind in ("linear", "aligned"):
            a, b = (v.point(n) for n in g["ext"])
            lp = v.point(g["line"])
            if kind == "linear" and not g["vertical"]:
                d = ((0, lp[1] - a[1]), (0, lp[1] - b[1]))
            elif kind == "linear":
                d = ((lp[0] - a[0], 0), (lp[0] - b[0], 0))
            else:
                ux, uy = b[0] - a[0], b[1] - a[1]
                n = math.hypot(ux, uy)
                nx, ny = -uy / n, ux / n
                off = (lp[0] - a[0]) * nx + (lp[1] - a[1]) * ny
                d = ((nx * off, ny * off), (nx * off, ny * off))
            a2 = (a[0] + d[0][0], a[1] + d[0][1])
            b2 = (b[0] + d[1][0], b[1] + d[1][1])
            self.add(e.eid, "DIM", [a, a2])
            self.add(e.eid, "DIM", [b, b2])
            self.add(e.eid, "DIM", [a2, b2])
            tx, ty = v.point(g["textpos"])
            self.text_box(e.eid, tx - len(text) * h * 0.35, ty + 0.5, h, text)
        elif kind in ("diametric", "radial"):
            cx, cy = v.point(g["center"])
            tx, ty = v.point(g["textpos"])
            r = v.s_value(g["radius"])
            ang = math.atan2(ty - cy, tx - cx)
            far = (cx - r * math.cos(ang), cy - r * math.sin(ang)) if kind == "diametric" \
                else (cx, cy)
            self.add(e.eid, "DIM", [far, (tx, ty)])
            self.text_box(e.eid, tx, ty, h, text)
        elif kind == "angular3":
            c = v.point(g["vertex"])
            p1, p2 = (v.point(n) for n in g["ends"])
            ap = v.point(g["arc"])
            r = math.dist(c, ap)
            a0 = math.degrees(math.atan2(p1[1] - c[1], p1[0] - c[0]))
            a1 = math.degrees(math.atan2(p2[1] - c[1], p2[0] - c[0]))
            self.add(e.eid, "DIM", arc_points(c[0], c[1], r, a0, a1))
            for p in (p1, p2):
                ang = math.atan2(p[1] - c[1], p[0] - c[0])
                self.add(e.eid, "DIM", [p, (c[0] + r * math.cos(ang), c[1] + r * math.sin(ang))])
            self.text_box(e.eid, ap[0], ap[1], h, text)
        elif kind == "angular2":
            (s1, e1), (s2, e2) = ([v.point(n) for n in line] for line in g["lines"])
            ap = v.point(g["arc"])
            self.add(e.eid, "DIM", [s1, e1])
            self.add(e.eid, "DIM", [s2, e2])
            self.text_box(e.eid, ap[0], ap[1], h, text)
        elif kind == "ordinate":
            p = v.point(g["defining"])
            q = v.point(g["leader_end"])
            self.add(e.eid, "DIM", [p, q])
            self.text_box(e.eid, q[0], q[1], h, text)

    def transform(self, e):
        v, g = self.v, e.geometry
        members = [m for m in g["members"] if m in self.items]
        copies = []
        if e.etype == qzlib.MIRROR:
            (x0, y0), (x1, y1) = v.point(g["from"]), v.point(g["to"])
            dx, dy = x1 - x0, y1 - y0
            n2 = dx * dx + dy * dy

            def f(p):
                t = ((p[0] - x0) * dx + (p[1] - y0) * dy) / n2
                fx, fy = x0 + t * dx, y0 + t * dy
                return (2 * fx - p[0], 2 * fy - p[1])
            copies.append(f)
        elif e.etype == qzlib.MOVE:
            (x0, y0), (x1, y1) = v.point(g["from"]), v.point(g["to"])
            copies.append(lambda p: (p[0] + x1 - x0, p[1] + y1 - y0))
        elif e.etype in (qzlib.ROTATE, qzlib.POLAR):
            cx, cy = v.point(g["base" if e.etype == qzlib.ROTATE else "center"])
            if e.etype == qzlib.ROTATE:
                angles = [v.s_value(g["angle"])]
            else:
                n = int(round(v.s_value(g["count"])))
                sweep = v.s_value(g["sweep"])
                step = sweep / n if abs(sweep) >= 360 else sweep / (n - 1)
                angles = [step * i for i in range(1, n)]
            for a in angles:
                t = math.radians(a)
                copies.append(lambda p, c=math.cos(t), s=math.sin(t):
                              (cx + (p[0] - cx) * c - (p[1] - cy) * s,
                               cy + (p[0] - cx) * s + (p[1] - cy) * c))
        elif e.etype == qzlib.RECTARRAY:
            rows = int(round(v.s_value(g["rows"])))
            cols = int(round(v.s_value(g["cols"])))
            rs, cs = v.s_value(g["row_space"]), v.s_value(g["col_space"])
            for i in range(max(rows, 1)):
                for j in range(max(cols, 1)):
                    if i or j:
                        copies.append(lambda p, dx=j * cs, dy=i * rs: (p[0] + dx, p[1] + dy))
        for m in members:
            for layer, pts, width in list(self.items[m]):
                for f in copies:
                    self.add(e.eid, layer, [f(p) for p in pts], width)
            if g.get("erase"):
                del self.items[m]

    def loops(self, members):
        """Boundary polygons of a hatch, chaining its entities' point lists."""
        pieces = [list(pts) for m in members for _, pts, _ in self.items.get(m, [])]
        loops = []
        while pieces:
            loop = pieces.pop(0)
            while math.dist(loop[0], loop[-1]) > 1e-6 and pieces:
                for i, piece in enumerate(pieces):
                    if math.dist(piece[0], loop[-1]) < 1e-6:
                        loop.extend(piece[1:])
                    elif math.dist(piece[-1], loop[-1]) < 1e-6:
                        loop.extend(reversed(piece[:-1]))
                    else:
                        continue
                    pieces.pop(i)
                    break
                else:
                    break
            loops.append(loop)
        return loops


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = bytearray(b"\xff" * (w * h * 3))

    def dot(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            i = (y * self.w + x) * 3
            self.px[i:i + 3] = bytes(c)

    def line(self, x0, y0, x1, y1, c, width):
        n = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(n + 1):
            x = round(x0 + (x1 - x0) * i / n)
            y = round(y0 + (y1 - y0) * i / n)
            for dx in range(width):
                for dy in range(width):
                    self.dot(x + dx, y + dy, c)

    def png(self, path):
        raw = b"".join(b"\x00" + bytes(self.px[y * self.w * 3:(y + 1) * self.w * 3])
                       for y in range(self.h))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
        data = (b"\x89PNG\r\n\x1a\n" +
                chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
        pathlib.Path(path).write_bytes(data)


def render(scene, path, size=1400, margin=20, window=None):
    polys = [(layer, pts, w) for items in scene.items.values() for layer, pts, w in items]
    xs = [p[0] for _, pts, _ in polys for p in pts]
    ys = [p[1] for _, pts, _ in polys for p in pts]
    x0, x1, y0, y1 = window or (min(xs), max(xs), min(ys), max(ys))
    scale = (size - 2 * margin) / max(x1 - x0, y1 - y0)
    w = int((x1 - x0) * scale) + 2 * margin
    h = int((y1 - y0) * scale) + 2 * margin
    cv = Canvas(w, h)

    def tr(p):
        return (margin + (p[0] - x0) * scale, h - margin - (p[1] - y0) * scale)
    for members, angle in scene.hatches:
        for loop in scene.loops(members):
            edges = [(tr(a), tr(b)) for a, b in zip(loop, loop[1:] + loop[:1])]
            for y in range(h):
                xs_ = sorted(a[0] + (y - a[1]) * (b[0] - a[0]) / (b[1] - a[1])
                             for a, b in edges if (a[1] <= y) != (b[1] <= y))
                for xa, xb in zip(xs_[0::2], xs_[1::2]):
                    for x in range(int(xa) + 1, int(xb) + 1):
                        step = (x + y) if angle == 0 else (x - y)
                        if step % 8 == 0:
                            cv.dot(x, y, COLOURS["HATCH"])
    for layer, pts, width in polys:
        c = COLOURS[layer]
        for a, b in zip(pts, pts[1:]):
            (ax, ay), (bx, by) = tr(a), tr(b)
            cv.line(ax, ay, bx, by, c, width)
    cv.png(path)


def main():
    import build_library
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--part", required=True, help="part key, e.g. gb5782")
    ap.add_argument("--row", type=int, default=1)
    ap.add_argument("--out", required=True)
    ap.add_argument("--set", action="append", default=[], help="NAME=VALUE: edit an input")
    ap.add_argument("--window", help="x0,x1,y0,y1: the part of the drawing to show")
    args = ap.parse_args()
    lib = build_library.load_library()
    part = next(p for p in lib.parts if p.key == args.part)
    row = list(part.rows[args.row - 1])
    for assignment in args.set:
        name, value = assignment.split("=", 1)
        i = [n for _, n, _, _ in part.inputs].index(name)
        row[i] = value if part.inputs[i][2] == qzlib.TEXTPARA else float(value)
    values = check.Values(part, row)
    scene = Scene(part, values)
    scene.build()
    window = tuple(float(t) for t in args.window.split(",")) if args.window else None
    render(scene, args.out, window=window)
    print("texts:", " | ".join(scene.texts))
    print("properties:", {k: v for k, v in values.t.items()})


if __name__ == "__main__":
    main()
