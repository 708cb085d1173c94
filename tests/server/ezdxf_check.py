"""ezdxf's view of a DXF file, as JSON on standard output (the server tests'
independent reader): both loaders, their audits, and what model space holds."""
import json
import sys
from collections import Counter

import ezdxf
from ezdxf import bbox, path, recover
from ezdxf.lldxf.encoding import decode_dxf_unicode


def audit_codes(auditor):
    return [f"{e.code}: {e.message}" for e in auditor.errors]


def describe(doc):
    msp = doc.modelspace()
    texts = []
    dimensions = []
    for e in msp:
        kind = e.dxftype()
        if kind == "TEXT":
            texts.append(decode_dxf_unicode(e.dxf.text))
        elif kind == "MTEXT":
            texts.append(decode_dxf_unicode(e.text))
        elif kind == "DIMENSION":
            block = e.dxf.get("geometry", "")
            inside = Counter(x.dxftype() for x in doc.blocks.get(block)) if block in doc.blocks else {}
            dimensions.append({"block": block, "text": decode_dxf_unicode(e.dxf.get("text", "")),
                               "style": e.dxf.get("dimstyle", ""), "type": e.dimtype,
                               "contents": dict(inside)})
    groups = {}
    for name, group in doc.groups:
        groups[decode_dxf_unicode(name)] = len(group)
    blocks = {}
    for block in doc.blocks:
        if block.name.lower().startswith("*model_space") or block.name.lower().startswith("*paper_space"):
            continue
        blocks[decode_dxf_unicode(block.name)] = dict(Counter(x.dxftype() for x in block))
    inserts = []
    for e in msp.query("INSERT"):
        inserts.append({"block": decode_dxf_unicode(e.dxf.name),
                        "attribs": {decode_dxf_unicode(a.dxf.tag): decode_dxf_unicode(a.dxf.text)
                                    for a in e.attribs},
                        "hidden": [decode_dxf_unicode(a.dxf.tag) for a in e.attribs
                                   if a.is_invisible]})
    layers = {decode_dxf_unicode(layer.dxf.name): {"color": layer.dxf.color,
                                                   "plot": layer.dxf.get("plot", 1),
                                                   "linetype": layer.dxf.linetype,
                                                   "lineweight": layer.dxf.get("lineweight", -3)}
              for layer in doc.layers}
    return {"counts": dict(Counter(e.dxftype() for e in msp)), "texts": texts,
            "dimensions": dimensions, "groups": groups, "blocks": blocks, "inserts": inserts,
            "layers": layers, "dimstyles": [d.dxf.name for d in doc.dimstyles],
            "version": doc.dxfversion}


def short_dashes(doc):
    """Entities with a dash pattern too short for two dashes: the whole pattern
    and its first dash again, at $LTSCALE times the entity's own scale."""
    patterns = {}
    for ltype in doc.linetypes:
        tags = ltype.pattern_tags.tags
        elements = [abs(t.value) for t in tags if t.code == 49]
        if len(elements) >= 2:
            patterns[ltype.dxf.name.upper()] = sum(elements) + elements[0]
    drawing_scale = doc.header.get("$LTSCALE", 1.0)
    found = []
    for block in doc.blocks:
        if block.name.startswith("*") and not block.name.lower().startswith("*model_space"):
            continue
        for e in block:
            linetype = e.dxf.get("linetype", "BYLAYER").upper()
            if linetype == "BYLAYER" and doc.layers.has_entry(e.dxf.layer):
                linetype = doc.layers.get(e.dxf.layer).dxf.linetype.upper()
            if linetype not in patterns:
                continue
            try:
                vertices = list(path.make_path(e).flattening(0.01))
            except (TypeError, ValueError):
                continue
            length = sum(a.distance(b) for a, b in zip(vertices, vertices[1:]))
            needed = patterns[linetype] * drawing_scale * e.dxf.get("ltscale", 1.0)
            if length < needed * (1 - 1e-6):
                found.append(f"{e.dxftype()} {decode_dxf_unicode(e.dxf.layer)} {linetype} "
                             f"{length:.3f} < {needed:.3f} in {decode_dxf_unicode(block.name)}")
    return found


def extents(doc):
    """$EXTMIN/$EXTMAX beside ezdxf's measure of model space (texts at one
    text height per character and a third below the baseline, dimension
    blocks drawn), each min x, min y, max x, max y. Changes the texts: ezdxf
    measures a \\U+ escape as its seven characters."""
    for block in doc.blocks:
        for e in block:
            if e.dxftype() == "MTEXT":
                e.text = decode_dxf_unicode(e.text)
                # ezdxf 0.18 wraps an MTEXT without a width at every space:
                # the width of its longest line, one text height a character.
                if not e.dxf.get("width", 0):
                    lines = e.plain_text(split=True) or [""]
                    e.dxf.width = max(len(line) for line in lines) * e.dxf.char_height
            elif e.dxftype() in ("TEXT", "ATTDEF"):
                e.dxf.text = decode_dxf_unicode(e.dxf.text)
    for e in doc.modelspace().query("INSERT"):
        for a in e.attribs:
            a.dxf.text = decode_dxf_unicode(a.dxf.text)
    measured = bbox.extents(doc.modelspace())
    low, high = doc.header.get("$EXTMIN", (0, 0, 0)), doc.header.get("$EXTMAX", (0, 0, 0))
    return {"header": [low[0], low[1], high[0], high[1]],
            "measured": [measured.extmin.x, measured.extmin.y, measured.extmax.x,
                         measured.extmax.y] if measured.has_data else []}


def main(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    rdoc, rauditor = recover.readfile(path)
    result = describe(doc)
    result["errors"] = audit_codes(auditor)
    result["fixes"] = [f"{e.code}: {e.message}" for e in auditor.fixes]
    result["styles"] = {decode_dxf_unicode(s.dxf.name): [s.dxf.get("font", ""), s.dxf.get("bigfont", "")]
                        for s in doc.styles}
    result["short_dashes"] = short_dashes(doc)
    result["extents"] = extents(doc)
    result["insbase"] = list(doc.header.get("$INSBASE", (0, 0, 0)))
    result["recover_errors"] = audit_codes(rauditor)
    recovered = describe(rdoc)
    result["recover_counts"] = recovered["counts"]
    result["recover_dimensions"] = recovered["dimensions"]
    print(json.dumps(result, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])
