"""ezdxf's view of a DXF file, as JSON on standard output (the server tests'
independent reader): both loaders, their audits, and what model space holds."""
import json
import sys
from collections import Counter

import ezdxf
from ezdxf import recover
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


def main(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    rdoc, rauditor = recover.readfile(path)
    result = describe(doc)
    result["errors"] = audit_codes(auditor)
    result["fixes"] = [f"{e.code}: {e.message}" for e in auditor.fixes]
    result["styles"] = {decode_dxf_unicode(s.dxf.name): [s.dxf.get("font", ""), s.dxf.get("bigfont", "")]
                        for s in doc.styles}
    result["insbase"] = list(doc.header.get("$INSBASE", (0, 0, 0)))
    result["recover_errors"] = audit_codes(rauditor)
    recovered = describe(rdoc)
    result["recover_counts"] = recovered["counts"]
    result["recover_dimensions"] = recovered["dimensions"]
    print(json.dumps(result, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])
