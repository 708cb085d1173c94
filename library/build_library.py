"""Builds the sample library's SQL from the part sources: schema, then every part's rows.

    /usr/bin/python3 build_library.py --schema schema.sql --out metric-parts.sql \
        --values metric-parts.values.json

Every formula of every part is evaluated for every value row first; a part that does not
compute, or draws something degenerate for some row, stops the build with the reason. The
values file holds, for a few rows of each part, every formula with the result computed here, so
that a test can have the engine's own evaluator repeat them.
"""

import argparse
import importlib.util
import json
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE / "tools"))

import check  # noqa: E402
import qzlib  # noqa: E402

ROOT_NAME = "公制标准件 (Metric standard parts)"
FOLDERS = [
    ("bolts", "螺栓 (Bolts)"),
    ("screws", "螺钉 (Screws)"),
    ("nuts", "螺母 (Nuts)"),
    ("washers", "垫圈 (Washers)"),
    ("pins", "销 (Pins)"),
    ("rings", "挡圈 (Retaining rings)"),
    ("keys", "键 (Keys)"),
    ("bearings", "滚动轴承 (Rolling bearings)"),
    ("flanges", "法兰 (Flanges)"),
]


def load_library():
    lib = qzlib.Library(ROOT_NAME, FOLDERS)
    for source in sorted((HERE / "parts").glob("*.py")):
        spec = importlib.util.spec_from_file_location(source.stem, source)
        module = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(module)
        module.build(lib)
    return lib


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--schema", default=str(HERE / "schema.sql"))
    ap.add_argument("--out", required=True)
    ap.add_argument("--values", help="where to write the formulas and their results")
    args = ap.parse_args()
    lib = load_library()
    try:
        for part in lib.parts:
            check.check_part(part)
    except check.PartError as err:
        sys.exit(f"build_library: {err}")
    schema = pathlib.Path(args.schema).read_text(encoding="utf-8")
    out = pathlib.Path(args.out)
    out.write_text(schema + "\n" + lib.sql(), encoding="utf-8")
    if args.values:
        cases = [case for part in lib.parts for case in check.value_cases(part)]
        pathlib.Path(args.values).write_text(json.dumps({"cases": cases}, ensure_ascii=False),
                                             encoding="utf-8")


if __name__ == "__main__":
    main()
