"""Block drawings kept in the library (QZEnt_BlockGlobal.BlockData), written as DXF R12 text.

A block's data is the drawing that the host reads into the block definition: here the part
label that the flange inserts, a frame with one attribute per row. The frame is 70 x 21 mm with
rows of 7 mm and 3.5 mm text (ISO 3098), its insertion point the lower left corner.
"""

LABEL_BLOCK = "QZ_PARTLABEL"
LABEL_TAGS = ("DESIGNATION", "STANDARD", "MATERIAL")


def _codes(pairs):
    return "".join(f"{code}\n{value}\n" for code, value in pairs)


def _line(x1, y1, x2, y2):
    return _codes([(0, "LINE"), (8, "0"), (10, x1), (20, y1), (30, 0), (11, x2), (21, y2),
                   (31, 0)])


def _attdef(x, y, tag, prompt):
    return _codes([(0, "ATTDEF"), (8, "0"), (10, x), (20, y), (30, 0), (40, 3.5), (1, ""),
                   (3, prompt), (2, tag), (70, 0)])


def label_dxf():
    width, row = 70, 7
    rows = len(LABEL_TAGS)
    body = [_line(0, 0, width, 0), _line(width, 0, width, rows * row),
            _line(width, rows * row, 0, rows * row), _line(0, rows * row, 0, 0)]
    body += [_line(0, i * row, width, i * row) for i in range(1, rows)]
    # The first tag sits in the top row.
    for i, tag in enumerate(LABEL_TAGS):
        body.append(_attdef(1.5, (rows - 1 - i) * row + 1.75, tag, tag.capitalize()))
    text = (_codes([(0, "SECTION"), (2, "HEADER"), (9, "$ACADVER"), (1, "AC1009"),
                    (9, "$INSBASE"), (10, 0.0), (20, 0.0), (30, 0.0), (0, "ENDSEC")]) +
            _codes([(0, "SECTION"), (2, "ENTITIES")]) + "".join(body) +
            _codes([(0, "ENDSEC"), (0, "EOF")]))
    return text.encode("ascii")
