"""The properties every part of the library carries, named as a Chinese designer reads them.

名称 the product name, 标准 the GB/T number with its edition, 等效标准 the ISO or DIN twin,
规格 the size, 标记 the marking in the GB/T 1237 form ("螺栓 GB/T 5782 M12×80"), 材料,
性能等级 and 质量 (kg, from the part's volume formula S.V and density S.rho).
"""

import drawing


def part_name(name, gb, twin, english):
    """"六角头螺栓 GB/T 5782 (ISO 4014) (Hexagon head bolt)": GB/T first, its twin after."""
    twin_text = f" ({twin})" if twin else ""
    return f"{name} {gb}{twin_text} ({english})"


def properties(p, name, standard, twin, size_text, mark, material, grade, volume):
    """`size_text` and `mark` are formulas; `standard` and `twin` name their editions."""
    p.prop("名称", name)
    p.prop("标准", standard)
    p.prop("等效标准", twin or "—")
    p.prop("规格", size_text, formula=True)
    p.prop("标记", mark, formula=True)
    p.prop("材料", material)
    p.prop("性能等级", grade)
    if volume is not None:
        drawing.mass_property(p, volume)


def mark(kind, gb, size_text):
    """The GB/T 1237 marking formula: kind and number, then the size formula."""
    return f'"{kind} {gb} " & {size_text}'
