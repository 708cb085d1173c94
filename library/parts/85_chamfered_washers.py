"""Plain washer, chamfered, GB/T 97.2 (ISO 7090): a section with the outside edge of the top
face chamfered, and the top view. Sizes and values are the plain washer GB/T 97.1's (ISO 7090
gives d1, d2 and h of ISO 7089 from M5 up; the checked table for 5 to 24): the rows come from
the plain washers' source. The chamfer (30° to the face, a quarter of h deep) is a drawing
proportion.
"""

import drawing
import gb
import sources
from qzlib import NUMBER, TEXTPARA


def build(lib):
    plain = sources.part_source("50_plain_washers")
    rows = plain.table_rows("iso7090_plain_washer_chamfered_normal_series",
                            "iso7089_plain_washer")
    p = lib.part("washers", "gb97.2", gb.part_name("平垫圈 倒角型 A级", "GB/T 97.2", "ISO 7090",
                                                   "Plain washer, chamfered"))
    p.parameters(("Size", NUMBER, True), ("Thread", TEXTPARA, True), ("d1", NUMBER, True),
                 ("d2", NUMBER, True), ("h", NUMBER, True))
    p.value_rows(rows)
    size_text = 'O.Size & ""'
    gb.properties(p, "平垫圈 倒角型 A级", "GB/T 97.2-2002", "ISO 7090:2000", size_text,
                  gb.mark("垫圈", "GB/T 97.2", size_text), "钢", "200HV", None)

    drawing.common(p)
    p.struct("r1", "O.d1/2")
    p.struct("r2", "O.d2/2")
    p.struct("ch", "O.h/4")              # the chamfer's depth along the axis
    p.struct("cw", "S.ch/TanD(30)")      # and its width on the top face, at 30° to it
    p.struct("rt", "S.r2-S.cw")          # where the chamfer meets the top face
    drawing.mass_property(p, "Pi/4*(O.d2^2-O.d1^2)*O.h-Pi*S.r2*S.cw*S.ch")

    # The washer lies on its bearing face (y = 0); the base point is the centre of that face.
    p.base_point = p.pt("O", "0", "0")
    front = p.view("主视图 全剖 (Front view, full section)", "O")
    with p.in_view(front):
        for side, x in (("右", ""), ("左", "-")):
            pts = [p.auto_pt("W", f"{x}S.r1", "0"), p.auto_pt("W", f"{x}S.r2", "0"),
                   p.auto_pt("W", f"{x}S.r2", "O.h-S.ch"), p.auto_pt("W", f"{x}S.rt", "O.h"),
                   p.auto_pt("W", f"{x}S.r1", "O.h")]
            band = p.pline(pts, name=f"剖面{side} (section, {side})")
            p.hatch([band], scale=0.5, name=f"剖面线{side} (hatching, {side})")
        plain.section_details(p, top_bore=("W10", "W5"), outside=("W7", "W2"),
                              thickness=("W2", "W4"))

    p.pt("Q", "0", "-S.r2-S.gv")
    top = p.view("俯视图 (Top view)", "Q")
    with p.in_view(top):
        p.circle("Q", "r2", name="外圆 (outside)")
        p.circle("Q", "rt", name="倒角棱线 (chamfer edge)")
        p.circle("Q", "r1", name="内孔 (bore)")
        drawing.centre_cross(p, "Q", "S.r2", "")
