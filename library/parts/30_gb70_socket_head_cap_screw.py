"""Hexagon socket head cap screw GB/T 70.1 (ISO 4762), M4 to M24: front view with the socket hidden and
the view of the head.

Dimensions follow ISO 4762:2004: thread pitch P (coarse), thread length b (reference), head
diameter dk (max, plain head; the knurled head's max when Head is "knurled"), head height k
(max), socket size s (nominal), minimum socket width across corners e and socket depth t (min).
The lengths are the standard's nominal lengths within each size's range (tables.lengths); any
other length may be typed in.
"""

import drawing
import gb
import tables
from qzlib import NUMBER, TEXTPARA

#       thread  d    P     b   dk plain dk knurled  k    s   e min   t min
SIZES = [
    ("M4", 4, 0.7, 20, 7, 7.22, 4, 3, 3.443, 2),
    ("M5", 5, 0.8, 22, 8.5, 8.72, 5, 4, 4.583, 2.5),
    ("M6", 6, 1, 24, 10, 10.22, 6, 5, 5.723, 3),
    ("M8", 8, 1.25, 28, 13, 13.27, 8, 6, 6.863, 4),
    ("M10", 10, 1.5, 32, 16, 16.27, 10, 8, 9.149, 5),
    ("M12", 12, 1.75, 36, 18, 18.27, 12, 10, 11.429, 6),
    ("M16", 16, 2, 44, 24, 24.33, 16, 14, 15.996, 8),
    ("M20", 20, 2.5, 52, 30, 30.33, 20, 17, 19.437, 10),
    ("M24", 24, 3, 60, 36, 36.39, 24, 19, 21.734, 12),
]
KNURLED = 'O.Head="knurled"'


def build(lib):
    p = lib.part("screws", "gb70.1", gb.part_name("内六角圆柱头螺钉", "GB/T 70.1", "ISO 4762",
                                                  "Hexagon socket head cap screw"))
    ranges = tables.standard("iso4762_hexagon_socket_head_cap_screw")
    p.parameters(("Thread", TEXTPARA, True), ("L", NUMBER, True), ("d", NUMBER, True),
              ("P", NUMBER, True), ("b", NUMBER, True), ("dk", NUMBER, True),
              ("dkk", NUMBER, False), ("k", NUMBER, True), ("s", NUMBER, True),
              ("e", NUMBER, True), ("t", NUMBER, True), ("Head", TEXTPARA, True))
    p.value_rows([(th, l, d, pitch, b, dk, dkk, k, s, e, t, "plain")
                  for th, d, pitch, b, dk, dkk, k, s, e, t in SIZES
                  for l in tables.lengths("ISO 4762", tables.num(ranges[th]["Min_L"]),
                                          tables.num(ranges[th]["Max_L"]))])
    size_text = 'O.Thread & "×" & O.L'
    gb.properties(p, "内六角圆柱头螺钉", "GB/T 70.1-2008", "ISO 4762:2004", size_text,
                  gb.mark("螺钉", "GB/T 70.1", size_text), "钢", "12.9", None)

    drawing.common(p)
    drawing.external_thread_sizes(p)
    p.struct("xt", "IIf(O.L>O.b, O.L-O.b, 0)")     # short screws are threaded to the head
    p.struct("rk", "IIf(O.Head=\"knurled\", O.dkk, O.dk)/2")
    p.struct("ch", "0.06*O.d")                      # head edge chamfer, a drawing proportion
    p.struct("ssh", "O.s/2")
    p.struct("sre", "O.s/Sqr(3)")
    p.struct("tc", "S.sre*TanD(30)")                # 120° cone at the bottom of the socket
    p.struct("pk", "O.dk/10")                       # pitch of the drawn knurl lines
    p.struct("kns", "-S.pk", visible=False)
    drawing.mass_property(p, "Pi*S.rk^2*O.k-Sqr(3)/2*O.s^2*O.t+Pi/4*O.d^2*O.L")

    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 (Front view)", "O")
    with p.in_view(front):
        b1 = p.pt("B1", "0", "S.r")
        k1 = p.pt("K1", "0", "S.rk")
        k2 = p.pt("K2", "-O.k+S.ch", "S.rk")
        k3 = p.pt("K3", "-O.k", "S.rk-S.ch")
        k2l = p.pt("K2L", "-O.k+S.ch", "-S.rk")
        k3l = p.pt("K3L", "-O.k", "-S.rk+S.ch")
        p.pt("KB", "0", "-S.rk")
        s1 = p.pt("S1", "-O.k", "S.sre")
        s2 = p.pt("S2", "-O.k+O.t", "S.sre")
        s3 = p.pt("S3", "-O.k+O.t+S.tc", "0")
        upper = [
            p.line(b1, k1, name="支承面 (bearing face, upper)"),
            p.line(k1, k2, name="头部圆柱 (head, upper)"),
            p.line(k2, k3, name="头部倒角 (head chamfer, upper)"),
            p.line(s1, s2, layer="HIDDEN", name="内六角孔 (socket, upper)"),
            p.line(s2, s3, layer="HIDDEN", name="内六角孔锥底 (socket cone, upper)"),
        ]
        p.line(k3, k3l, name="头部顶面 (top face)")
        p.line(k2, k2l, name="倒角棱线 (chamfer edge)")
        shank_upper, _, runout = drawing.shank(p, "O.L>O.b", runout=True)
        a2 = p.pt("A2", "O.L+S.cl", "0")
        p.line(p.pt("A1", "-O.k-S.cl", "0"), a2, layer="CENTER", name="轴线 (axis)")
        p.mirror(upper + shank_upper, "O", a2, name="下半部 (lower half, mirrored)")
        p.mirror([runout], "O", a2, name="螺尾下半 (run-out, lower half)", filt="O.L>O.b")
        # A knurled head: straight knurl lines along the head, drawn thin (ISO 128 convention).
        knurl = p.line(p.pt("KN1", "-O.k+S.ch", "S.rk-S.pk"), p.pt("KN2", "0", "S.rk-S.pk"),
                       layer="THIN", name="滚花 (knurl)", filt=KNURLED)
        p.rect_array([knurl], 9, 1, "kns", 0, name="滚花阵列 (knurl lines)", layer="THIN",
                     filt=KNURLED)
        top = p.pt("DT", "0", "S.rk+S.dof")
        p.dim_linear("K3", "K1", top, text="O.k", name="头高 k (head height)")
        p.dim_linear("K2", "K2L", p.pt("DK", "-O.k-S.dof", "0"), vertical=True,
                     text='"Ø" & 2*S.rk', name="头部直径 dk (head diameter)")
        drawing.shank_dims(p, "KB", "-S.rk-S.dof", top, "O.L>O.b", "O.b")
        p.text(p.pt("TX", "-O.k", "-S.rk-2*S.dof-S.th"), 'T.标记 & ""',
               name="标记 (designation)")

    p.edited(17, Head="knurled")
    p.edited(17, L=200)
    p.edited(1, L=5)

    p.pt("E", "O.L+S.gv+S.rk", "0")
    side = p.view("左视图 (Left view)", "E")
    with p.in_view(side):
        p.struct("rkc", "S.rk-S.ch", visible=False)
        head = p.circle("E", "rk", name="头部 (head)")
        edge = p.circle("E", "rkc", name="倒角圆 (chamfer edge)")
        socket, corners = drawing.hexagon(p, "E", "ssh", "sre", "SK", name="内六角 (socket)")
        p.group([head, edge, socket], name="头部端视 (head seen from the end)")
        drawing.centre_cross(p, "E", "S.rk", "")
        p.dim_linear(corners[2], corners[4], p.pt("ES", "P.E.X", "P.E.Y-S.rk-S.dof"),
                     text="O.s", name="内六角对边 s (socket size)")
